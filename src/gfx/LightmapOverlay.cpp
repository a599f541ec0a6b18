// Full-screen lightmap overlay.
#include "gfx/LightmapOverlay.h"

void LightmapOverlay::draw() {}
