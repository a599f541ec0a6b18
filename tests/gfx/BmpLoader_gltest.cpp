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

std::vector<uint8_t> readBack(GLenum target, GLenum format, int bytes) {
    std::vector<uint8_t> texels(bytes);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, format, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

}  // namespace

TEST(BmpLoaderGl, RgbaUploadMatchesFileWithMipmaps) {
    ScratchDir dir;
    writeFile("a.bmp", bmpFile(4, 2, countingPixels(8)));
    Texture texture;
    ASSERT_EQ(texture.loadBmp("a.bmp", -1, 0, 1), 0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 4);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), 2);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH), 2);
    const std::vector<uint8_t> texels = readBack(GL_TEXTURE_2D, GL_RGBA, 4 * 2 * 4);
    // Texel 5 (row 1, column 1): R = 250, G = 0, B = 5, alpha = the mean 85.
    EXPECT_EQ(std::vector<int>(texels.begin() + 20, texels.begin() + 24), (std::vector<int>{250, 0, 5, 85}));
}

TEST(BmpLoaderGl, LumAlphaUpload) {
    ScratchDir dir;
    const std::string pixels = {char(90), char(60), char(30), char(0), char(0), char(0)};
    writeFile("f.bmp", bmpFile(2, 1, pixels));
    Texture texture;
    ASSERT_EQ(texture.loadBmpLumAlpha("f.bmp", -1, 0, 0), 0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_LUMINANCE_ALPHA);
    EXPECT_EQ(readBack(GL_TEXTURE_2D, GL_LUMINANCE_ALPHA, 4), (std::vector<uint8_t>{30, 60, 0, 0}));
}

TEST(ProceduralTextureGl, VariantUploadSizesAndFormats) {
    Texture spot, big, row;
    spot.makeTextureLumAlpha(0, 0, 64.0f, 0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 128);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_LUMINANCE_ALPHA);
    const std::vector<uint8_t> texels = readBack(GL_TEXTURE_2D, GL_LUMINANCE_ALPHA, 128 * 128 * 2);
    EXPECT_EQ(texels[(64 * 128 + 64) * 2], 254);
    big.makeTexture256(0, 1, 0.25f, 6);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 256);
    row.makeTexture1D(0, 0, 64.0f, 0);
    EXPECT_EQ(readBack(GL_TEXTURE_1D, GL_RGBA, 128 * 4)[64 * 4], 254);
}
