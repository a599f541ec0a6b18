// Scene objects and textures: overlap and motion, the render state switched on and off exactly, the billboard, the
// bind cache, and the uploads of loaded and generated textures read back from GL.
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

TEST_F(SceneObjectGl, OverlapStopsAtExactlyTheSummedRadiusAndMotionFollowsTheStep) {
    SceneObject a, b;
    a.radius = 0.5f, b.radius = 0.25f;
    for (int axis = 0; axis < 3; ++axis) {
        b.position = Vec3(0.1f, -0.1f, 0.1f);
        b.position[axis] = axis == 1 ? -0.75f : 0.75f;
        EXPECT_FALSE(a.overlaps(b)) << "touching at the summed radius is not overlapping, axis " << axis;
    }
    b.position = Vec3(0.7f, -0.7f, 0.7f);
    EXPECT_TRUE(a.overlaps(b));
    prefs.objectSize = 0.5f;
    EXPECT_FALSE(a.overlaps(b)) << "the object size scales the radii";
    a.velocity = Vec3(1, 2, 3), a.spin = Vec3(10, 0, 0), frameClock.dt = 0.5f;
    a.update();
    a.applyDrag(1.0f);
    EXPECT_FLOAT_EQ(a.position.z + a.rotation.x + a.velocity.y, 1.5f + 5.0f + 1.0f);
}

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
        prefs.textures = c.textures;
        for (GLenum cap : caps) glDisable(cap);
        glDepthMask(GL_TRUE);
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
    GLint src = 0, dst = 0, alpha = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &alpha);
    EXPECT_EQ(src * 10 + dst, GL_DST_COLOR * 10 + GL_ONE) << "set by the begin, not restored by the end";
    EXPECT_EQ(alpha, GL_GREATER);
    for (GLenum cap : caps) glDisable(cap);
}

TEST_F(SceneObjectGl, BillboardCoversItsExtentMovedTurnedAndFacingTheCamera) {
    // 80 pixels per unit; red at (+60, 0) and (0, +60) from the window centre.
    const struct { float x, rotationZ, viewerY; int visible; bool right, up, shifted; } cases[] = {
        {0, 0, 0, 1, true, false, false}, {0, 90, 0, 1, false, true, false}, {1, 0, 0, 1, true, false, true},
        {0, 0, 90, 1, false, false, false}, {0, 0, 0, 0, false, false, false}};
    for (const auto& c : cases) {
        beginTestFrame(320, 240);
        orthoProjection(-2, 2, -1.5, 1.5);
        SceneObject o;
        o.alphaTest = o.blend = o.depthTest = 0, o.extent = Vec3(1, 0.5f, 1), o.visible = c.visible;
        o.position.x = c.x, o.rotation.z = c.rotationZ, camera.rotation.y = c.viewerY;
        o.setColor(1, 0, 0, 1);
        o.draw();
        SCOPED_TRACE(&c - cases);
        EXPECT_EQ(readPixel(220, 120).r > 0, c.right);
        EXPECT_EQ(readPixel(160, 180).r == 255, c.up);
        EXPECT_EQ(readPixel(300, 120).r > 0, c.shifted);
    }
}

TEST_F(SceneObjectGl, RepeatedBindIssuesNoSecondBindCallAndAFreshBindSetsWrapAndEnvironment) {
    Texture a, b;
    a.bind();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), a.name);
    glBindTexture(GL_TEXTURE_2D, 0);  // behind the cache's back
    a.bind();
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0) << "a cached bind must not call glBindTexture again";
    b.wrapMode = GL_CLAMP, b.envMode = GL_REPLACE;  // both differ from GL's defaults
    b.bind();
    GLint wrap[2], env = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap[0]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap[1]);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    EXPECT_TRUE(wrap[0] == GL_CLAMP && wrap[1] == GL_CLAMP && env == GL_REPLACE) << wrap[0] << " " << wrap[1] << " " << env;
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    a.bind();
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), a.name);
}

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
