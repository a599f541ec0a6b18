// Scene object render state, switched on and off exactly, checked in a real GL context.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

class SceneObjectGl : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        prefs.textures = 1;
        prefs.objectSize = 1.0f;
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_TEXTURE_2D);
        glDepthMask(GL_TRUE);
    }
};

GLboolean depthMask() {
    GLboolean m = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &m);
    return m;
}

}  // namespace

TEST_F(SceneObjectGl, BeginSwitchesOnExactlyWhatEndSwitchesOff) {
    Texture tex;
    SceneObject o;
    o.texture = &tex;
    o.depthWrite = 0;
    o.blendSrc = 6;
    o.blendDst = 1;
    o.beginRenderState();
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(depthMask(), GL_FALSE);
    GLint src = 0, dst = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(src, GL_DST_COLOR);
    EXPECT_EQ(dst, GL_ONE);
    o.endRenderState();
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(depthMask(), GL_TRUE);
    // The blend function is not restored.
    glGetIntegerv(GL_BLEND_SRC, &src);
    EXPECT_EQ(src, GL_DST_COLOR);
}

TEST_F(SceneObjectGl, RenderStateOffLeavesTheGlStateAlone) {
    SceneObject o;
    o.renderStateOn = 0;
    glEnable(GL_BLEND);
    o.beginRenderState();
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    o.endRenderState();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    glDisable(GL_BLEND);
}

TEST_F(SceneObjectGl, TexturesOffDrawsUntexturedAndLeavesTexturingAsItWas) {
    Texture tex;
    SceneObject o;
    o.texture = &tex;
    prefs.textures = 0;
    o.beginRenderState();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    glEnable(GL_TEXTURE_2D);
    o.endRenderState();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    glDisable(GL_TEXTURE_2D);
}

TEST_F(SceneObjectGl, BillboardCoversItsExtentInColour) {
    beginTestFrame(320, 240);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 2, -1.5, 1.5, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    SceneObject o;
    o.alphaTest = 0;
    o.blend = 0;
    o.depthTest = 0;
    o.faceCamera = 0;
    o.extent = Vec3(1, 0.5f, 1);
    o.setColor(1, 0, 0, 1);
    o.draw();
    Rgb inside = readPixel(160, 120), outside = readPixel(160 + 100, 120);
    EXPECT_EQ(inside.r, 255);
    EXPECT_EQ(inside.g, 0);
    EXPECT_EQ(outside.r, 0);
    o.visible = 0;
    beginTestFrame(320, 240);
    o.draw();
    EXPECT_EQ(readPixel(160, 120).r, 0);
}

TEST_F(SceneObjectGl, RepeatedBindIssuesNoSecondBindCall) {
    Texture a;
    a.bind();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), a.name);
    glBindTexture(GL_TEXTURE_2D, 0);  // behind the cache's back
    a.bind();
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0) << "a cached bind must not call glBindTexture again";
    Texture b;
    b.bind();
    a.bind();
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), a.name);
}
