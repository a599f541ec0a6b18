// Menu actions: the close box, Quit, and a table of actions by page and widget id that write the settings.
#include "app/MenuActions.h"
#include "app/Globals.h"
#include "app/Keyboard.h"
#include "app/Popup.h"
#include "app/PrefsFile.h"
#include "app/SceneSequencer.h"
#include "app/Startup.h"
#include "ui/MenuMessages.h"
#include "world/TerrainPasses.h"
#include <algorithm>

float previousColorLevel = 1.0f, previousMenuLevel = 0.0f;
double volumePreviewTime = 0.0;

namespace {

constexpr int kQuitId = 99;

struct MenuAction {
    int page;
    int id;
    void (*run)(float v);
};

int I(float v) { return static_cast<int>(v); }
void show(const char* format, float value) { statusLine.setMessagef(format, static_cast<double>(value)); }
// ---- page 0: this scene's own settings ----

void groundHeight(float v) {
    prefs.groundHeight = v;
    applyWorldSettings();
    show("<PageUp/Down> Main Height: %4.2f", prefs.groundHeight);
}

void tesselation(float v) {
    prefs.tesselation = I(v);
    applyWorldSettings();
    statusLine.setMessagef("Tesselation:: %d", prefs.tesselation);
}

void universe(float v) {
    static const char* const kNames[4] = {"Blank Universe", "Star Universe", "Fixed SkyBox", "Movable SkyBox"};
    prefs.universe = I(v);
    setFogColor(prefs.universe);  // as the "u" key does, so the fog matches the new sky
    statusLine.setMessage(kNames[prefs.universe]);
}

// ---- pages 1 to 4: the menus ----

void openSubPage(int id) {
    static const int kPages[7] = {0, 6, 7, 8, 9, 10, 5};  // This, Color, Lighting, Sound, Lightmaps, Randoms, General
    dialogs.openPage(kPages[id - 1], 1);
}

void loadFromMenu() {
    if (reloadPrefs()) prefs.cameraMode = 3;
}

// ---- page 5: general ----

void fade(float v) {
    prefs.fade = v;
    prefs.clearScreen = 0;
    if (prefs.fade >= 1.0f) {
        prefs.fade = 1.0f;
        prefs.clearScreen = 1;
        screen.clearPasses = 1.0f;
    } else if (prefs.fade < 0.02f) {
        prefs.fade = 0;
    }
    show("Fade: %4.2f", prefs.fade);
}

void polygonMode(float v) {
    static const char* const kNames[3] = {"Polygons", "Lines", "Points"};
    prefs.polygonMode = I(v);
    statusLine.setMessage(kNames[prefs.polygonMode]);
}

// ---- page 6: colour ----

// Scales red, green and blue by the change of the slider since its last use.
void colorScale(float v) {
    prefs.colorLevel = v;
    for (int i = 0; i < 3; ++i) prefs.color[i] = std::min(v / previousColorLevel * prefs.color[i], 1.0f);
    previousColorLevel = v;
    dialogs.rebuildRequest = 1;
}

// Shifts red, green and blue by the change of the slider since its last use.
void colorOffset(float v) {
    prefs.menuLevel = v;
    for (int i = 0; i < 3; ++i) prefs.color[i] = std::clamp(v - previousMenuLevel + prefs.color[i], 0.0f, 1.0f);
    previousMenuLevel = v;
    dialogs.rebuildRequest = 1;
}

void colorChannel(int channel, float v) {
    static const char* const kFormats[4] = {"Red: %4.2f", "Green: %4.2f", "Blue: %4.2f", "Alpha: %4.2f"};
    prefs.color[channel] = v;
    show(kFormats[channel], v);
}

// ---- page 7: lighting ----

void lightParam(int i, float v) {
    static const char* const kFormats[7] = {"Ambient: %4.2f",    "Diffuse: %4.2f",   "Specular: %4.2f",
                                            "Reflective: %4.2f", "Shininess: %4.2f", "Cutoff: %4.2f",
                                            "Exponent: %4.2f"};
    prefs.lightParams[i] = v;
    show(kFormats[i], v);
}

// ---- page 8: sounds ----

void sfxVolume(float v) {
    soundSystem.setSfxVolume(v);
    // A dragged slider previews the volume at most twice a second.
    if (frameClock.time - volumePreviewTime > 0.5) {
        soundSystem.playFile("cricket2.wav");
        volumePreviewTime = frameClock.time;
    }
}

// ---- page 9: lightmaps ----

// The six flag bits of the lightmap mode; the combination slider shows them as one number.
void lightmapFlag(int bit, float v) {
    prefs.lightmap = v != 0 ? prefs.lightmap | bit : (prefs.lightmap & 63) & ~bit;
    dialogs.rebuildRequest = 1;
}

const MenuAction kActions[] = {
    {0, 54, groundHeight},
    {0, 53, [](float v) { prefs.objectSize = v; applyWorldSettings(); show("Size: %4.2f", prefs.objectSize); }},
    {0, 50, tesselation},
    {0, 26, [](float v) { show("Texture X Magnification: %4.2f", prefs.texMagX = v); }},
    {0, 27, [](float v) { show("Texture Y Magnification: %4.2f", prefs.texMagY = v); }},
    {0, 42, universe},
    {0, 300, [](float v) {
         multiPassCloudShadow = I(v);
         statusLine.setMessage(multiPassCloudShadow ? "Multi-Pass Cloud-Shadow On" : "Multi-Pass Cloud-Shadow Off");
     }},

    {1, 3, [](float) { dialogs.openPage(2, 1); }},
    {1, 1, [](float) { dialogs.openPage(3, 1); }},
    {1, 2, [](float) { dialogs.openPage(4, 1); }},
    // The popup closes first, so the intro's camera mode is not overwritten by the saved one.
    {1, 300, [](float) { closePopup(); replayIntro(); }},

    {2, 1, [](float) { openSubPage(1); }},
    {2, 2, [](float) { openSubPage(2); }},
    {2, 3, [](float) { openSubPage(3); }},
    {2, 4, [](float) { openSubPage(4); }},
    {2, 5, [](float) { openSubPage(5); }},
    {2, 6, [](float) { openSubPage(6); }},
    {2, 7, [](float) { openSubPage(7); }},

    {3, 1, [](float) {
         statusLine.setMessage(savePrefs(prefs, appState.name) ? "Could NOT Save Prefs" : "Saved Prefs");
     }},
    {4, 1, [](float) { loadFromMenu(); }},

    {5, 51, [](float v) { show("Fov: %4.2f Degrees", prefs.fov = v); }},
    {5, 521, [](float v) { show("CameraY: %4.2f", camera.eyeOffset[1] = v); }},
    {5, 52, [](float v) { show("CameraZ: %4.2f", prefs.cameraZ = v); }},
    {5, 55, fade},
    {5, 58, polygonMode},
    {5, 59, [](float v) { statusLine.setMessagef("Letterbox: %1d", prefs.letterbox = I(v)); }},
    {5, 96, [](float v) { screen.clearPasses = static_cast<float>(prefs.clearScreen = I(v)); }},
    {5, 97, [](float v) { prefs.paused = I(v); }},
    {5, 98, [](float) { initPref(); initVars(); closePopup(); }},

    {6, 20, [](float v) { colorChannel(0, v); }},
    {6, 21, [](float v) { colorChannel(1, v); }},
    {6, 22, [](float v) { colorChannel(2, v); }},
    {6, 23, [](float v) { colorChannel(3, v); }},
    {6, 24, colorScale},
    {6, 25, colorOffset},
    {6, 31, [](float v) { showBlendModeName(0, prefs.blendMode0 = I(v)); }},
    {6, 32, [](float v) { showBlendModeName(1, prefs.blendMode1 = I(v)); }},

    {7, 10, [](float v) { lightParam(0, v); }},
    {7, 11, [](float v) { lightParam(1, v); }},
    {7, 12, [](float v) { lightParam(2, v); }},
    {7, 13, [](float v) { lightParam(3, v); }},
    {7, 14, [](float v) { lightParam(4, v); }},
    {7, 15, [](float v) { lightParam(5, v); }},
    {7, 16, [](float v) { lightParam(6, v); }},

    {8, 70, [](float v) {
         soundSystem.soundOn = I(v);
         if (soundSystem.soundOn) soundSystem.playFile("cricket2.wav");
         else soundSystem.stopAll();
     }},
    {8, 702, [](float v) {
         soundSystem.initialised = I(v);
         if (soundSystem.initialised) soundSystem.playSong(soundSystem.song);
         else soundSystem.stopSong(soundSystem.song);
     }},
    {8, 712, [](float v) { soundSystem.setMusicVolume(soundSystem.song, v); }},
    {8, 71, sfxVolume},

    {9, 60, [](float v) { show("Home: %4.2f", prefs.noiseLevel = v); }},
    {9, 73, [](float v) { show("F9/F10: Vignette Size %5.1f", prefs.f9Value = v); }},
    {9, 74, [](float v) { show("Lightmap Refresh Interval:%5.1f secs", prefs.lightmapRefresh = v); }},
    {9, 30, [](float v) { show("Texture X Magnification: %4.2f", prefs.lightmapX = v); }},
    {9, 31, [](float v) { show("Texture Y Magnification: %4.2f", prefs.lightmapY = v); }},
    {9, 61, [](float v) { prefs.lightmap = I(v); dialogs.rebuildRequest = 1; }},
    {9, 21, [](float v) { lightmapFlag(1, v); }},
    {9, 22, [](float v) { lightmapFlag(2, v); }},
    {9, 23, [](float v) { lightmapFlag(4, v); }},
    {9, 24, [](float v) { lightmapFlag(8, v); }},
    {9, 25, [](float v) { lightmapFlag(16, v); }},
    {9, 26, [](float v) { lightmapFlag(32, v); }},

    // The flag flips rather than copying the toggle; the toggle flipped too, so both agree.
    {10, 30, [](float) {
         toggleSetting(prefs.userMode, "User Mode On, NO computer-controlled random changes",
                       "User Off, computer-controlled random changes allowed");
     }},
    {10, 210, [](float) { toggleSetting(prefs.randomSplinter, "Splinter Enabled", "Splinter Disabled"); }},
    {10, 212, [](float v) {
         prefs.sceneUnderSplinter = I(v);
         statusLine.setMessage(prefs.sceneUnderSplinter ? "Splinter Effect AND Main Render"
                                                        : "Splinter Effect OR Main Render");
     }},
    {10, 211, [](float v) { show("Splinter Min Interval Secs: %4.2f", prefs.splinterInterval = v); }},
    {10, 220, [](float) { toggleSetting(prefs.randomLightmap, "Lightmaps Enabled", "Lightmaps Disabled"); }},
    {10, 221, [](float v) { show("LightMap Min Interval Secs: %4.2f", prefs.lightmapInterval = v); }},
    {10, 230, [](float) { toggleSetting(prefs.randomSkip, "Skip is Enabled", "Skip is Disabled"); }},
    {10, 231, [](float v) { show("Skip Min Interval Secs: %4.2f", prefs.skipInterval = v); }},
};

// Back one page where the dialog stands; the main menu's close box hides the popup.
void closeBox() {
    if (dialogs.pageId == 1) return closePopup();
    float x = dialogs.offsetX, y = dialogs.offsetY;
    dialogs.pop();
    dialogs.offsetX = x;
    dialogs.offsetY = y;
}

void quit() {
    appState.exiting = 1;
    appState.exitStartTime = frameClock.realSeconds;
    closePopup();
    appState.splinterState = 3;
}

}  // namespace

void dispatchAction() {
    int id = dialogs.activatedId;
    if (id == DialogStack::kCloseBoxId) return closeBox();
    if (id == kQuitId) return quit();
    for (const MenuAction& action : kActions)
        if (action.page == dialogs.pageId && action.id == id) return action.run(dialogs.activatedValue);
}
