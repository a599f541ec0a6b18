// Scene objects and textures: the render state switched on and off exactly, the billboard, the
// bind cache and the uploads of loaded and generated textures read back from GL.
#include "app/Globals.h"
#include "gfx/BmpTestFiles.h"
#include "support/TestSupport.h"
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <vector>

namespace {

class SceneObjectGl : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        prefs.textures = 1, prefs.objectSize = 1.0f;
    }
};

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

// Begin switches on exactly what end switches off; render state off, or textures off, leaves GL alone.
TEST_F(SceneObjectGl, BeginSwitchesOnExactlyWhatEndSwitchesOff) {
    Texture tex;
    const GLenum caps[4] = {GL_ALPHA_TEST, GL_BLEND, GL_DEPTH_TEST, GL_TEXTURE_2D};
    const struct { int renderStateOn, textures; bool on[4]; GLboolean depthMask; } cases[] = {
        {1, 1, {true, true, true, true}, GL_FALSE}, {0, 1, {false, false, false, false}, GL_TRUE},
        {1, 0, {true, true, true, false}, GL_FALSE}};
    for (const auto& c : cases) {
        SceneObject o;
        o.texture = &tex, o.renderStateOn = c.renderStateOn, o.depthWrite = 0, o.blendSrc = 6, o.blendDst = 1;
        prefs.textures = c.textures, glDepthMask(GL_TRUE);
        for (GLenum cap : caps) glDisable(cap);
        o.beginRenderState();
        GLboolean mask = GL_TRUE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
        EXPECT_EQ(mask, c.depthMask);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(glIsEnabled(caps[k]), c.on[k]) << &c - cases << " cap " << k;
            glEnable(caps[k]);  // what end leaves on was not its own
        }
        o.endRenderState();
        glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
        EXPECT_EQ(mask, GL_TRUE);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(glIsEnabled(caps[k]), !c.on[k]) << &c - cases << " cap " << k;
    }
    GLint src = 0, dst = 0, alpha = 0;  // set by the begin, not restored by the end
    glGetIntegerv(GL_BLEND_SRC, &src), glGetIntegerv(GL_BLEND_DST, &dst), glGetIntegerv(GL_ALPHA_TEST_FUNC, &alpha);
    EXPECT_EQ((std::vector<int>{src, dst, alpha}), (std::vector<int>{GL_DST_COLOR, GL_ONE, GL_GREATER}));
    for (GLenum cap : caps) glDisable(cap);
}

// A billboard: 80 pixels per unit, red at (+60, 0) and (0, +60) from the window centre when it covers them.
TEST_F(SceneObjectGl, BillboardCoversItsExtentMovedTurnedAndFacingTheCamera) {
    const struct { float x, rotationZ, viewerY; int visible; bool right, up, shifted; } cases[] = {
        {0, 0, 0, 1, true, false, false}, {0, 90, 0, 1, false, true, false}, {1, 0, 0, 1, true, false, true},
        {0, 0, 90, 1, false, false, false}, {0, 0, 0, 0, false, false, false}};
    for (const auto& c : cases) {
        beginTestFrame(320, 240), orthoProjection(-2, 2, -1.5, 1.5);
        SceneObject o;
        o.alphaTest = o.blend = o.depthTest = 0, o.extent = Vec3(1, 0.5f, 1), o.visible = c.visible;
        o.position.x = c.x, o.rotation.z = c.rotationZ, camera.rotation.y = c.viewerY;
        o.setColor(1, 0, 0, 1);
        o.draw();
        const bool seen[3] = {readPixel(220, 120).r > 0, readPixel(160, 180).r == 255, readPixel(300, 120).r > 0};
        EXPECT_TRUE(seen[0] == c.right && seen[1] == c.up && seen[2] == c.shifted) << &c - cases;
    }
}

TEST(TextureUploadGl, LoadedAndGeneratedTexturesReachGlWithTheirSizeFormatAndTexels) {
    ScratchDir dir;
    writeFile("a.bmp", bmpFile(4, 2, countingPixels(8)));
    Texture rgba, lum, spot, big, row;
    auto minFilter = [] { GLint v = 0; return glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &v), v; };
    ASSERT_EQ(rgba.loadBmp("a.bmp", -1, 0, 1), 0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH) * 10 + levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), 42);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH), 2) << "mipmapped";
    EXPECT_EQ(minFilter(), GL_NEAREST_MIPMAP_NEAREST);
    // Texel 5 (row 1, column 1): R = 250, G = 0, B = 5, alpha = the mean 85.
    EXPECT_EQ(readBack(GL_TEXTURE_2D, GL_RGBA, 4 * 2 * 4, 20, 4), (std::vector<int>{250, 0, 5, 85}));
    EXPECT_EQ(rgba.loadBmp("missing.bmp", -1, 0, 1), 1);
    writeFile("f.bmp", bmpFile(2, 1, {char(90), char(60), char(30), char(0), char(0), char(0)}));
    ASSERT_EQ(lum.loadBmpLumAlpha("f.bmp", -1, 0, 0), 0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_LUMINANCE_ALPHA);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH), 0) << "not mipmapped";
    EXPECT_EQ(minFilter(), GL_LINEAR);
    EXPECT_EQ(readBack(GL_TEXTURE_2D, GL_LUMINANCE_ALPHA, 4, 0, 4), (std::vector<int>{30, 60, 0, 0}));
    spot.makeTextureLumAlpha(0, 0, 64.0f, 0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 128);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_LUMINANCE_ALPHA);
    EXPECT_EQ(readBack(GL_TEXTURE_2D, GL_LUMINANCE_ALPHA, 128 * 128 * 2, (64 * 128 + 64) * 2, 1)[0], 254);
    big.makeTexture256(0, 1, 0.25f, 6);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 256);
    row.makeTexture1D(0, 0, 64.0f, 0);
    EXPECT_EQ(readBack(GL_TEXTURE_1D, GL_RGBA, 128 * 4, 64 * 4, 1)[0], 254);
    // A fresh bind sets the wrap and environment (both unlike GL's defaults); a repeated one calls GL no more.
    Texture clamp;
    clamp.wrapMode = GL_CLAMP, clamp.envMode = GL_REPLACE;
    clamp.bind();
    GLint wrapS = 0, wrapT = 0, env = 0, bound = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS), glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    glBindTexture(GL_TEXTURE_2D, 0);  // behind the cache's back
    clamp.bind();
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ((std::vector<int>{wrapS, wrapT, env, bound}), (std::vector<int>{GL_CLAMP, GL_CLAMP, GL_REPLACE, 0}));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}
