// A box of six inward-facing sky textures around the camera or the origin.
#pragma once
#include "scene/SceneObject.h"
#include "scene/Texture.h"

class SkyBox : public SceneObject {
public:
    // Reads the six face images from the directory (empty: the working directory).
    void load(const char* dir);
    void draw() override;

    Texture faces[6];  // front, right, back, left, top, bottom
    float sizeFactor = 1.4f;
};
