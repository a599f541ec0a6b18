// Screen passes: letterbox, viewport, projections, clears and fades.
#include "gfx/Screen.h"
#include "core/AppContext.h"
#include "core/Prefs.h"
#include <GL/glu.h>
#include <algorithm>

Screen::Screen() { color = Color4(0, 0, 0, 1); }

void Screen::setLetterbox(int level) {
    letterboxLevel = static_cast<float>(level);
    viewportBottom = static_cast<int>(level * 0.05f * height);
    viewportTop = static_cast<int>((1.0f - level * 0.05f) * height);
    viewportHeight = viewportTop - viewportBottom;
}

void Screen::applyViewport() const { glViewport(0, viewportBottom, width, viewportHeight); }

void Screen::setOrtho2D() const {
    glDisable(GL_SCISSOR_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, viewportBottom, viewportTop, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void Screen::setPerspective(float aspect, float fov) const {
    float cameraZ = gApp->prefs->cameraZ;
    float level = letterboxLevel / 6.0f;
    // A narrow field of view under a deep letterbox would otherwise turn the picture over.
    float fovy = std::max(1.0f, fov - level * level * 44.0f);
    // The picture area is as wide as the window but shorter: its own shape keeps circles round.
    float pictureAspect = viewportHeight > 0 ? aspect * height / viewportHeight : aspect;
    // Wide points and lines are clipped by their centre alone; the scissor keeps them out of the bars.
    glScissor(0, viewportBottom, width, viewportHeight);
    glEnable(GL_SCISSOR_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fovy, pictureAspect, zNear, zFarBase + cameraZ);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, cameraZ, 0, 0, cameraZ - 1, 0, 1, 0);
}

void Screen::drawFade(float alpha) const {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glColor4f(color.r, color.g, color.b, alpha);
    // Fill even when the scene is drawn as lines or points.
    glPushAttrib(GL_POLYGON_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glRectf(0, static_cast<float>(viewportBottom), static_cast<float>(width), static_cast<float>(viewportTop));
    glPopAttrib();
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}

void Screen::drawLetterbox() const {
    glColor3f(letterboxColor[0], letterboxColor[1], letterboxColor[2]);
    glPushAttrib(GL_POLYGON_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glRectf(0, 0, static_cast<float>(width), static_cast<float>(viewportBottom));
    glRectf(0, static_cast<float>(viewportTop), static_cast<float>(width), static_cast<float>(height));
    glPopAttrib();
}

void Screen::clearFrame() const {
    glClear(GL_DEPTH_BUFFER_BIT);
    if (!gApp->prefs->clearScreen) return;
    glClearColor(color.r, color.g, color.b, 1.0f);
    if (letterboxLevel == 0.0f) {
        if (clearPasses == 0.0f) glClear(GL_COLOR_BUFFER_BIT);
    } else {
        drawFade(1.0f);
    }
}

void Screen::blackWipe() {
    if (clearPasses == 1.0f || clearPasses == 2.0f) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(color.r, color.g, color.b, 1.0f);
        clearPasses += 1.0f;
    }
    if (clearPasses == 3.0f) clearPasses = 0.0f;
}
