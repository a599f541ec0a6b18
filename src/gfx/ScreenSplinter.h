// The splinter burst and picture skip effects built from a captured frame.
#pragma once
#include "gfx/Texture.h"
#include "world/SceneObject.h"

class ScreenSplinter : public SceneObject {
public:
    void init();
    void prepare();
    void drawPieces();

    Texture captureTexture;
    float skipDirection = 1.0f;
    float skipPhase = 0.0f;
};
