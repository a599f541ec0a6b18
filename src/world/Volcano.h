// The volcano: the 20-second eruption cycle, lava bombs, ash, lava flows and the flash.
#pragma once
#include "sound/SoundSystem.h"
#include "world/SceneObject.h"

class HeightField;
class RotorSet;
class TerrainMesh;
class TextBox;
class Texture;

class Volcano : public SceneObject {
public:
    void init();
    void update() override;
    void draw() override;

    int lastUniversePick = -1;
    int lastBlendPick0 = 2;
    int lastBlendPick1 = 3;
    int bombCount = 0;
    double eruptionStart = 0.0;
    float cycleLength = 20.0f;
    Texture* waterTexture = nullptr;
    Texture* imageTexture = nullptr;
    Texture* cloudTexture = nullptr;
    Texture* flashTexture = nullptr;
    Texture* dirtTexture = nullptr;
    Texture* grassTexture = nullptr;
    Texture* smokeTexture = nullptr;
    TerrainMesh* terrain = nullptr;
    HeightField* heightField = nullptr;
    SampleHandle explosionSample = nullptr;
    RotorSet* rotors = nullptr;
    TextBox* infoText = nullptr;
};
