// The picture makers of the asset generator, one function per image file.
#pragma once
#include <string>

#include "FileWriters.h"

// 128 x 128 textures that tile under GL_REPEAT (TileImages.cpp).
Image makeGrass();
Image makeDirt();
Image makeWater();
Image makeCloud();

// The dusk sky (SkyImages.cpp): faces in the sky box's order front, right, back, left, top, bottom.
constexpr int kSkyFaceCount = 6;
Image makeSkyFace(int face);
Image makeSun();
Image makeReflection();

// Dialog widget cells (ControlsImage.cpp).
Image makeControls();

// The 128 x 128 desktop icon (IconImage.cpp), with its opacity (0..255) per pixel, top row first.
struct IconImage {
    Image picture;
    std::vector<uint8_t> alpha;
};
IconImage makeIcon();

// 16 x 8 glyph cells of codes 32..127 from a TrueType font (FontImage.cpp); empty on failure.
Image makeFont(const std::string& fontPath);
