// The full-screen lightmap: a 128 x 128 mask of noise, vignette and gratings multiplied over the finished frame.
#pragma once
#include "scene/SceneObject.h"
#include <cstdint>

class LightmapOverlay : public SceneObject {
public:
    static constexpr int kSize = 128;
    static constexpr int kMaskBytes = kSize * kSize * 2;  // luminance and alpha per texel

    // Once per frame: rebuilds the mask when its refresh interval has passed, then draws it; nothing while off.
    void update() override;
    // Stretches the mask over the whole window, repeated lightmapX by lightmapY times.
    void draw() override;

    double lastLightmapTime = 0;  // realSeconds of the last rebuild
};

// Computes the mask for noise amplitude `noise`, vignette radius `vignette` and the layer bits `flags`.
// Draws from the program's random generator in the order the layers need them; no GL.
void computeLightmapMask(uint8_t* mask, int noise, int vignette, int flags);
// Computes the mask and uploads it over the contents of `target` (made 128 x 128 luminance-alpha at start-up).
void rebuildLightmap(Texture& target, int noise, int vignette, int flags);
// The status text naming the layers, e.g. "9/64: X  Vignette ".
void describeLightmap(int flags, char* text, int size);
