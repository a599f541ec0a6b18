// Setting commands: bounds (from the one table of ranges), side effects and the confirming message of each
// setting that a key and a widget share.
#include "app/SettingCommands.h"
#include "app/Globals.h"
#include "app/SceneSequencer.h"
#include "core/SettingRanges.h"
#include "ui/MenuMessages.h"
#include <GL/gl.h>

namespace {

void show(const char* format, float value) { statusLine.setMessagef(format, static_cast<double>(value)); }

}  // namespace

void applyPolygonMode() {
    static const GLenum kModes[3] = {GL_FILL, GL_LINE, GL_POINT};
    glPolygonMode(GL_FRONT_AND_BACK, kModes[prefs.polygonMode]);
}

void setGroundHeight(float v) {
    prefs.groundHeight = inRange(prefs, prefs.groundHeight, v);
    applyWorldSettings();
    show("Page: %4.2f", prefs.groundHeight);
}

void setObjectSize(float v) {
    prefs.objectSize = inRange(prefs, prefs.objectSize, v);
    applyWorldSettings();
    show("Object Size: %4.2f", prefs.objectSize);
}

void setTesselation(int n) {
    prefs.tesselation = inRange(prefs, prefs.tesselation, n);
    applyWorldSettings();
    statusLine.setMessagef("Tesselation: %d", prefs.tesselation);
}

void setTexMag(int axis, float v) {
    static const char* const kFormats[2] = {"F1/F2: %4.2f", "F3/F4: %4.2f"};
    float& mag = axis == 0 ? prefs.texMagX : prefs.texMagY;
    mag = inRange(prefs, mag, v);
    show(kFormats[axis], mag);
}

void setUniverse(int universe) {
    static const char* const kNames[4] = {"Universe Off", "Star Universe On", "Fixed SkyBox On", "Movable SkyBox On"};
    prefs.universe = inRange(prefs, prefs.universe, universe);
    setFogColor(prefs.universe);  // white fog under the sky boxes, black under the stars
    statusLine.setMessage(kNames[prefs.universe]);
}

void setFov(float v) {
    prefs.fov = inRange(prefs, prefs.fov, v);
    show("FOV: %3.0f Degrees", prefs.fov);
}

void setCameraZ(float v) { show("CameraZ: %4.2f", prefs.cameraZ = inRange(prefs, prefs.cameraZ, v)); }

void setFade(float v) {
    // Within its range the fade never reaches 0, so a raising key always has something to multiply.
    prefs.fade = inRange(prefs, prefs.fade, v);
    // Below full strength the fade shows as trails; at full strength the screen is cleared again.
    prefs.clearScreen = prefs.fade >= 1.0f;
    if (prefs.clearScreen) screen.clearPasses = 1.0f;
    show("Fade Effect: %4.2f", 100.0f * prefs.fade);
}

void setPolygonMode(int mode) {
    static const char* const kNames[3] = {"Polygons", "Lines", "Points"};
    prefs.polygonMode = inRange(prefs, prefs.polygonMode, mode);
    applyPolygonMode();
    statusLine.setMessage(kNames[prefs.polygonMode]);
}

void setLetterbox(int level) {
    prefs.letterbox = inRange(prefs, prefs.letterbox, level);
    statusLine.setMessagef("Letterbox: %d", prefs.letterbox);
}

void setClearScreen(int on) {
    prefs.clearScreen = on != 0;
    screen.clearPasses = static_cast<float>(prefs.clearScreen);
}

void setPaused(int on) {
    prefs.paused = on != 0;
    statusLine.setMessage(prefs.paused ? "Pause" : "Continue");
}

void setBlendMode(int which, int index) {
    int& mode = which == 0 ? prefs.blendMode0 : prefs.blendMode1;
    mode = inRange(prefs, mode, index);
    showBlendModeName(which, mode);
}

void setNoiseLevel(float v) { show("Home/End: %4.2f", prefs.noiseLevel = inRange(prefs, prefs.noiseLevel, v)); }

void setVignetteSize(float v) { show("F9/F10: %4.2f", prefs.f9Value = inRange(prefs, prefs.f9Value, v)); }

void setLightmapMode(int flags) {
    prefs.lightmap = flags;
    char layers[TextBox::kTextSize];
    describeLightmap(prefs.lightmap, layers, sizeof layers);
    statusLine.setMessage(layers);
}
