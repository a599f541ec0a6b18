// The volcano: the 20-second eruption cycle, lava bombs, ash, lava flows and the flash.
#pragma once
#include "world/LavaBomb.h"
#include "world/ParticleSystem.h"

class HeightField;
class RotorSet;
class TerrainMesh;
class TextBox;
class Texture;

class Volcano : public SceneObject {
public:
    static constexpr int kBombPool = 200;
    static constexpr int kBombsPerEruption = 95;
    static constexpr int kAshPerEruption = 40;

    void init();
    void update() override;
    void draw() override;

    // Steps of the cycle, run by update.
    void erupt();
    void varyScene();
    void healCone();

    // Seconds since the last eruption, by real time so that pausing does not stop the cycle.
    double elapsed() const;
    bool activeHalf() const;

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
    ParticleSystem ash;
    ParticleSystem lavaFlowA, lavaFlowB;
    LavaBomb bombs[kBombPool];
    TerrainMesh* terrain = nullptr;
    HeightField* heightField = nullptr;
    // The eruption's sound; set from above, where the sound system is known.
    void (*playExplosion)() = nullptr;
    RotorSet* rotors = nullptr;
    TextBox* infoText = nullptr;

private:
    void updateActiveHalf();
    void updateQuietHalf();
    void keepFlowOnGround(ParticleSystem& flow);
    void drawRocks() const;
    void drawFlash() const;
};
