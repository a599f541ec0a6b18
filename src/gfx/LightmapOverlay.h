// The full-screen lightmap mask drawn over the picture.
#pragma once
#include "world/SceneObject.h"

class LightmapOverlay : public SceneObject {
public:
    void draw() override;
};
