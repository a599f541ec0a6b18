// Scene objects: overlap and motion, and the render state switched on and off exactly in a real GL context.
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

TEST_F(SceneObjectGl, OverlapStopsAtExactlyTheSummedRadiusAndAZeroStepMovesNothing) {
    SceneObject a, b;
    a.radius = 0.5f;
    b.radius = 0.25f;
    b.position = Vec3(0.75f, 0, 0);
    EXPECT_FALSE(a.overlaps(b)) << "touching at the summed radius is not overlapping";
    b.position = Vec3(0.7f, -0.7f, 0.7f);
    EXPECT_TRUE(a.overlaps(b));
    prefs.objectSize = 0.5f;
    EXPECT_FALSE(a.overlaps(b)) << "the object size scales the radii";
    a.velocity = Vec3(1, 2, 3);
    a.spin = Vec3(10, 0, 0);
    frameClock.dt = 0.0f;
    a.update();
    EXPECT_EQ(a.position.length() + a.rotation.length(), 0.0f);
    frameClock.dt = 0.5f;
    a.update();
    EXPECT_FLOAT_EQ(a.position.z, 1.5f);
    EXPECT_FLOAT_EQ(a.rotation.x, 5.0f);
}

TEST_F(SceneObjectGl, BeginSwitchesOnExactlyWhatEndSwitchesOff) {
    Texture tex;
    SceneObject o;
    o.texture = &tex;
    o.depthWrite = 0;
    o.blendSrc = 6;
    o.blendDst = 1;
    o.beginRenderState();
    for (GLenum cap : {GL_ALPHA_TEST, GL_BLEND, GL_DEPTH_TEST, GL_TEXTURE_2D}) EXPECT_TRUE(glIsEnabled(cap)) << cap;
    EXPECT_EQ(depthMask(), GL_FALSE);
    GLint src = 0, dst = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(src, GL_DST_COLOR);
    EXPECT_EQ(dst, GL_ONE);
    o.endRenderState();
    for (GLenum cap : {GL_ALPHA_TEST, GL_BLEND, GL_DEPTH_TEST, GL_TEXTURE_2D}) EXPECT_FALSE(glIsEnabled(cap)) << cap;
    EXPECT_EQ(depthMask(), GL_TRUE);
    // The blend function is not restored.
    glGetIntegerv(GL_BLEND_SRC, &src);
    EXPECT_EQ(src, GL_DST_COLOR);
}

// Render state off, or textures off, leaves what was switched on as it was.
TEST_F(SceneObjectGl, SwitchedOffPartsOfTheRenderStateLeaveTheGlStateAlone) {
    Texture tex;
    const struct { int renderStateOn, textures; GLenum untouched, notEnabled; } cases[] = {
        {0, 1, GL_BLEND, GL_ALPHA_TEST}, {1, 0, GL_TEXTURE_2D, GL_TEXTURE_2D}};
    for (const auto& c : cases) {
        SceneObject o;
        o.texture = &tex;
        o.renderStateOn = c.renderStateOn;
        prefs.textures = c.textures;
        o.beginRenderState();
        EXPECT_FALSE(glIsEnabled(c.notEnabled)) << c.notEnabled;
        glEnable(c.untouched);
        o.endRenderState();
        EXPECT_TRUE(glIsEnabled(c.untouched)) << c.untouched;
        glDisable(c.untouched);
    }
}

TEST_F(SceneObjectGl, BillboardCoversItsExtentInColour) {
    beginTestFrame(320, 240);
    orthoProjection(-2, 2, -1.5, 1.5);
    SceneObject o;
    o.alphaTest = 0;
    o.blend = 0;
    o.depthTest = 0;
    o.faceCamera = 0;
    o.extent = Vec3(1, 0.5f, 1);
    o.setColor(1, 0, 0, 1);
    o.draw();
    EXPECT_EQ(readPixel(160, 120).r, 255);
    EXPECT_EQ(readPixel(160 + 100, 120).r, 0);
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
