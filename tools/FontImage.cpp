// The bitmap font: glyphs 32..127 rendered antialiased with FreeType into 16 x 32 cells,
// 16 cells per row, space at the top left, the two bottom rows left black.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>

#include "Images.h"

namespace {

constexpr int kCellW = 16;
constexpr int kCellH = 32;
constexpr int kPixelSize = 24;    // a 14-pixel advance and 28-pixel line: fills the cell without touching
constexpr FT_Pos kEmbolden = 48;  // in 1/64 pixel

void blitGlyph(Image& image, const FT_GlyphSlot slot, int cellX, int cellY, int baseline) {
    const FT_Bitmap& bitmap = slot->bitmap;
    const int advance = int(slot->advance.x >> 6);
    const int left = cellX + (kCellW - advance) / 2 + slot->bitmap_left;
    const int top = cellY + baseline - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        for (unsigned col = 0; col < bitmap.width; ++col) {
            const int x = left + int(col);
            const int y = top + int(row);
            // Clip to the cell: a neighbour's ink would show at the edge of every quad.
            if (x < cellX || x >= cellX + kCellW || y < cellY || y >= cellY + kCellH) continue;
            const float v = bitmap.buffer[row * bitmap.pitch + col] / 255.0f;
            image.set(x, y, v, v, v);
        }
    }
}

}  // namespace

Image makeFont(const std::string& fontPath) {
    FT_Library library;
    if (FT_Init_FreeType(&library)) return Image(0, 0);
    FT_Face face;
    if (FT_New_Face(library, fontPath.c_str(), 0, &face) || FT_Set_Pixel_Sizes(face, 0, kPixelSize)) {
        FT_Done_FreeType(library);
        return Image(0, 0);
    }
    const int ascent = int(face->size->metrics.ascender >> 6);
    const int descent = int(-face->size->metrics.descender >> 6);
    const int baseline = (kCellH - ascent - descent) / 2 + ascent;
    Image image(kCellW * 16, kCellH * 8);
    for (int code = 33; code < 127; ++code) {
        if (FT_Load_Char(face, FT_ULong(code), FT_LOAD_DEFAULT)) continue;
        // Slightly heavier strokes survive the program's unfiltered minification at small sizes.
        FT_Outline_EmboldenXY(&face->glyph->outline, kEmbolden, kEmbolden / 2);
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL)) continue;
        const int glyph = code - 32;
        blitGlyph(image, face->glyph, glyph % 16 * kCellW, glyph / 16 * kCellH, baseline);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return image;
}
