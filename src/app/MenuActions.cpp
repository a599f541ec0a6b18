// Menu actions: the close box, Quit, and a table of actions by page and widget id that write the settings.
#include "app/MenuActions.h"
#include "app/Globals.h"
#include "app/Keyboard.h"
#include "app/Popup.h"
#include "app/PrefsFile.h"
#include "app/SettingCommands.h"
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

void openSubPage(int id) {
    static const int kPages[7] = {0, 6, 7, 8, 9, 10, 5};  // This, Color, Lighting, Sound, Lightmaps, Randoms, General
    dialogs.openPage(kPages[id - 1], 1);
}

void loadFromMenu() {
    if (reloadPrefs()) prefs.cameraMode = 3;
}

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

void lightParam(int i, float v) {
    static const char* const kFormats[7] = {"Ambient: %4.2f",    "Diffuse: %4.2f",   "Specular: %4.2f",
                                            "Reflective: %4.2f", "Shininess: %4.2f", "Cutoff: %4.2f",
                                            "Exponent: %4.2f"};
    prefs.lightParams[i] = v;
    show(kFormats[i], v);
}

// Off stops what plays while the sound system still listens; on plays a cricket, and the night sounds come again.
void soundSwitch(float v) {
    if (!I(v)) soundSystem.stopAll();
    soundSystem.soundOn = I(v);
    if (soundSystem.soundOn) soundSystem.playFile("cricket2.wav");
}

void sfxVolume(float v) {
    soundSystem.setSfxVolume(v);
    // A dragged slider previews the volume at most twice a second.
    if (frameClock.time - volumePreviewTime > 0.5) {
        soundSystem.playFile("cricket2.wav");
        volumePreviewTime = frameClock.time;
    }
}

// The six flag bits of the lightmap mode; the combination slider shows them as one number.
void lightmapFlag(int bit, float v) {
    setLightmapMode(v != 0 ? prefs.lightmap | bit : (prefs.lightmap & 63) & ~bit);
    dialogs.rebuildRequest = 1;
}

// Where a widget and a key change the same setting, the widget runs the key's command (SettingCommands.h).
const MenuAction kActions[] = {
    {0, 54, setGroundHeight},
    {0, 53, setObjectSize},
    {0, 50, [](float v) { setTesselation(I(v)); }},
    {0, 26, [](float v) { setTexMag(0, v); }},
    {0, 27, [](float v) { setTexMag(1, v); }},
    {0, 42, [](float v) { setUniverse(I(v)); }},
    {0, 300, [](float v) {
         multiPassCloudShadow = I(v);
         statusLine.setMessage(multiPassCloudShadow ? "Multi-Pass Cloud-Shadow On" : "Multi-Pass Cloud-Shadow Off");
     }},

    {1, 3, [](float) { dialogs.openPage(2, 1); }},
    {1, 1, [](float) { dialogs.openPage(3, 1); }},
    {1, 2, [](float) { dialogs.openPage(4, 1); }},
    // The popup closes first, so the intro's camera mode is not overwritten by the saved one.
    {1, 300, [](float) { closePopup(); runKeyCommand('\\'); }},

    {2, 1, [](float) { openSubPage(1); }},
    {2, 2, [](float) { openSubPage(2); }},
    {2, 3, [](float) { openSubPage(3); }},
    {2, 4, [](float) { openSubPage(4); }},
    {2, 5, [](float) { openSubPage(5); }},
    {2, 6, [](float) { openSubPage(6); }},
    {2, 7, [](float) { openSubPage(7); }},

    {3, 1, [](float) { runKeyCommand('!'); }},
    {4, 1, [](float) { loadFromMenu(); }},

    {5, 51, setFov},
    {5, 521, [](float v) { show("CameraY: %4.2f", camera.eyeOffset[1] = v); }},
    {5, 52, setCameraZ},
    // The slider's bottom end means no fade at all.
    {5, 55, [](float v) { setFade(v < 0.02f ? 0.0f : v); }},
    {5, 58, [](float v) { setPolygonMode(I(v)); }},
    {5, 59, [](float v) { setLetterbox(I(v)); }},
    {5, 96, [](float v) { setClearScreen(I(v)); }},
    {5, 97, [](float v) { setPaused(I(v)); }},
    {5, 98, [](float) { runKeyCommand('r'); }},

    {6, 20, [](float v) { colorChannel(0, v); }},
    {6, 21, [](float v) { colorChannel(1, v); }},
    {6, 22, [](float v) { colorChannel(2, v); }},
    {6, 23, [](float v) { colorChannel(3, v); }},
    {6, 24, colorScale},
    {6, 25, colorOffset},
    {6, 31, [](float v) { setBlendMode(0, I(v)); }},
    {6, 32, [](float v) { setBlendMode(1, I(v)); }},

    {7, 10, [](float v) { lightParam(0, v); }},
    {7, 11, [](float v) { lightParam(1, v); }},
    {7, 12, [](float v) { lightParam(2, v); }},
    {7, 13, [](float v) { lightParam(3, v); }},
    {7, 14, [](float v) { lightParam(4, v); }},
    {7, 15, [](float v) { lightParam(5, v); }},
    {7, 16, [](float v) { lightParam(6, v); }},

    {8, 70, soundSwitch},
    {8, 702, [](float v) {
         soundSystem.musicOn = I(v);
         if (soundSystem.musicOn) soundSystem.playSong(soundSystem.song);
         else soundSystem.stopSong(soundSystem.song);
         dialogs.rebuildRequest = 1;  // the switch falls back to Off when sound never started
     }},
    {8, 712, [](float v) { soundSystem.setMusicVolume(soundSystem.song, v); }},
    {8, 71, sfxVolume},

    {9, 60, setNoiseLevel},
    {9, 73, setVignetteSize},
    {9, 74, [](float v) { show("Lightmap Refresh Interval:%5.1f secs", prefs.lightmapRefresh = v); }},
    {9, 30, [](float v) { show("Texture X Magnification: %4.2f", prefs.lightmapX = v); }},
    {9, 31, [](float v) { show("Texture Y Magnification: %4.2f", prefs.lightmapY = v); }},
    {9, 61, [](float v) { setLightmapMode(I(v)); dialogs.rebuildRequest = 1; }},
    {9, 21, [](float v) { lightmapFlag(1, v); }},
    {9, 22, [](float v) { lightmapFlag(2, v); }},
    {9, 23, [](float v) { lightmapFlag(4, v); }},
    {9, 24, [](float v) { lightmapFlag(8, v); }},
    {9, 25, [](float v) { lightmapFlag(16, v); }},
    {9, 26, [](float v) { lightmapFlag(32, v); }},

    // The flag flips rather than copying the toggle; the toggle flipped too, so both agree.
    {10, 30, [](float) { runKeyCommand('U'); }},
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

}  // namespace

void dispatchAction() {
    int id = dialogs.activatedId;
    if (id == DialogStack::kCloseBoxId) return closeDialogPage();
    // Quit is the "q" key: the exit fade, the splinter burst and the sounds stopped.
    if (id == kQuitId) return runKeyCommand('q');
    for (const MenuAction& action : kActions)
        if (action.page == dialogs.pageId && action.id == id) return action.run(dialogs.activatedValue);
}
