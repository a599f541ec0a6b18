// A box of six inward-facing sky textures around the camera or the origin.
#pragma once
#include "scene/SceneObject.h"
#include "scene/Texture.h"

class SkyBox : public SceneObject {
public:
    void load();
    void draw() override;

    Texture faces[6];  // front, right, back, left, top, bottom
    float sizeFactor = 1.4f;
};
