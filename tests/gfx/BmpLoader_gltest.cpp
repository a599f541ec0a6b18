// Texture uploads of the bitmap loaders and generators, read back from GL.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <vector>

#include "BmpTestFiles.h"
#include "scene/Texture.h"
#include "support/TestSupport.h"

namespace {

int levelParameter(GLenum target, int level, GLenum parameter) {
    GLint value = 0;
    glGetTexLevelParameteriv(target, level, parameter, &value);
    return value;
}

std::vector<int> readBack(GLenum target, GLenum format, int bytes, int from, int count) {
    std::vector<uint8_t> texels(bytes);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, format, GL_UNSIGNED_BYTE, texels.data());
    return std::vector<int>(texels.begin() + from, texels.begin() + from + count);
}

}  // namespace

TEST(TextureUploadGl, LoadedAndGeneratedTexturesReachGlWithTheirSizeFormatAndTexels) {
    ScratchDir dir;
    writeFile("a.bmp", bmpFile(4, 2, countingPixels(8)));
    Texture rgba, lum, spot, big, row;
    ASSERT_EQ(rgba.loadBmp("a.bmp", -1, 0, 1), 0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH) * 10 + levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), 42);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH), 2) << "mipmapped";
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_NEAREST_MIPMAP_NEAREST);
    // Texel 5 (row 1, column 1): R = 250, G = 0, B = 5, alpha = the mean 85.
    EXPECT_EQ(readBack(GL_TEXTURE_2D, GL_RGBA, 4 * 2 * 4, 20, 4), (std::vector<int>{250, 0, 5, 85}));
    EXPECT_EQ(rgba.loadBmp("missing.bmp", -1, 0, 1), 1);
    writeFile("f.bmp", bmpFile(2, 1, {char(90), char(60), char(30), char(0), char(0), char(0)}));
    ASSERT_EQ(lum.loadBmpLumAlpha("f.bmp", -1, 0, 0), 0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_LUMINANCE_ALPHA);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH), 0) << "not mipmapped";
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    EXPECT_EQ(readBack(GL_TEXTURE_2D, GL_LUMINANCE_ALPHA, 4, 0, 4), (std::vector<int>{30, 60, 0, 0}));
    spot.makeTextureLumAlpha(0, 0, 64.0f, 0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 128);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_LUMINANCE_ALPHA);
    EXPECT_EQ(readBack(GL_TEXTURE_2D, GL_LUMINANCE_ALPHA, 128 * 128 * 2, (64 * 128 + 64) * 2, 1)[0], 254);
    big.makeTexture256(0, 1, 0.25f, 6);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 256);
    row.makeTexture1D(0, 0, 64.0f, 0);
    EXPECT_EQ(readBack(GL_TEXTURE_1D, GL_RGBA, 128 * 4, 64 * 4, 1)[0], 254);
}
