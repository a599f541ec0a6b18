// Splinter and skip effects.
#include "gfx/ScreenSplinter.h"

void ScreenSplinter::init() { captureTexture.makeTexture256(0, 0, 0.25f, 6); }
void ScreenSplinter::prepare() {}
void ScreenSplinter::drawPieces() {}
