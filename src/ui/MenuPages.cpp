// Page tables of the popup dialogs.
#include "ui/MenuPages.h"
#include "camera/Camera.h"
#include "core/AppContext.h"
#include "core/AppState.h"
#include "core/Prefs.h"
#include "sound/SoundSystem.h"
#include "ui/DialogItem.h"
#include "world/TerrainPasses.h"
#include <cstdlib>

namespace {

// Scales: integer or float, linear or quadratic (more travel at the low end).
constexpr int IL = kRowInteger | kRowLinear, IQ = kRowInteger, FL = kRowLinear, FQ = 0;

constexpr PageRow slider(const char* label, int id, float (*value)(), float lo, float hi, int flags) {
    return {kSlider, label, id, value, lo, hi, flags, 0, 0};
}
constexpr PageRow toggle(const char* label, int id, float (*value)()) {
    return {kToggle, label, id, value, 0, 0, 0, 0, 0};
}
constexpr PageRow button(const char* label, int id, int flags = 0) {
    return {kButton, label, id, nullptr, 0, 0, flags, 0, 0};
}
constexpr PageRow cursor(int dx, int dy) { return {kCursorRow, nullptr, 0, nullptr, 0, 0, 0, dx, dy}; }

Prefs& P() { return *gApp->prefs; }
float lightmapBit(int bit) { return static_cast<float>(P().lightmap & bit); }

const PageRow kSceneOptions[] = {
    slider("PageUp/Dn: Ground Height", 54, [] { return P().groundHeight; }, 0.1f, 4.0f, FQ),
    slider("[] Size: World", 53, [] { return P().objectSize; }, 0.1f, 6.0f, FQ),
    slider("<> Tesselation: Ground", 50, [] { return float(P().tesselation); }, 10, 80.9f, IL),
    slider("F1/F2 Texture X Magnification", 26, [] { return P().texMagX; }, 0, 20, FQ),
    slider("F3/F4 Texture Y Magnification", 27, [] { return P().texMagY; }, 0, 20, FQ),
    cursor(0, -15),
    slider("Universe: None/Stars/FixedSkyBox/MovableSkyBox", 42, [] { return float(P().universe); }, 0, 3.9f, IL),
    cursor(40, -15),
    toggle("MultiPass Cloud-Shadow", 300, [] { return float(multiPassCloudShadow); }),
};

const PageRow kMainMenu[] = {
    cursor(0, -10),
    button("Options...", 3),
    cursor(0, -15),
    button("Save...", 1),
    button("Load...", 2),
    button("Replay Intro", 300),
    cursor(0, -15),
    button("Quit", 99),
};

const PageRow kOptions[] = {
    cursor(0, -10),
    button("This...", 1),
    button("Color...", 2),
    button("Lighting...", 3),
    button("Sound...", 4, kRowNeedsSound),
    button("FullScreen Lightmaps...", 5),
    button("Randoms...", 6),
    button("General...", 7),
};

const PageRow kSaveMenu[] = {cursor(0, -10), button("! Save Prefs", 1)};
const PageRow kLoadMenu[] = {cursor(0, -10), button("@ Load Prefs", 1)};

const PageRow kGeneral[] = {
    slider(",. Magnification/FOV", 51, [] { return P().fov; }, 5, 178, IL),
    slider("   CameraY", 521, [] { return gApp->camera->eyeOffset[1]; }, -2, 2, FL | kRowWorldScaled),
    slider("{} CameraZ", 52, [] { return P().cameraZ; }, -2, 2, FL | kRowWorldScaled),
    cursor(0, -15),
    slider("F11/F12 Fade Effect", 55, [] { return P().fade; }, 0.01f, 1.0f, FQ),
    slider("Letterbox", 59, [] { return float(P().letterbox); }, 0, 6.8f, IL),
    slider("W PolygonMode", 58, [] { return float(P().polygonMode); }, 0, 2.9f, IL),
    cursor(40, -15),
    toggle("Screen Clear", 96, [] { return float(P().clearScreen); }),
    toggle("Pause", 97, [] { return float(P().paused); }),
    button("Reset/Randomize", 98),
};

const PageRow kColor[] = {
    slider("Red", 20, [] { return P().color[0]; }, 0, 1, FL),
    slider("Green", 21, [] { return P().color[1]; }, 0, 1, FL),
    slider("Blue", 22, [] { return P().color[2]; }, 0, 1, FL),
    cursor(0, -15),
    slider("Color Scale", 24, [] { return P().colorLevel; }, 0.01f, 2.0f, FL),
    slider("Color Offset", 25, [] { return P().menuLevel; }, 0.01f, 2.0f, FL),
    cursor(0, -15),
    slider("Alpha", 23, [] { return P().color[3]; }, 0, 1, FL),
    cursor(0, -15),
    slider("BlendFunc0", 31, [] { return float(P().blendMode0); }, 0, 8.5f, IL),
    slider("BlendFunc1", 32, [] { return float(P().blendMode1); }, 0, 7.5f, IL),
};

const PageRow kLighting[] = {
    slider("Ambient", 10, [] { return P().lightParams[0]; }, 0, 1, FL),
    slider("Diffuse", 11, [] { return P().lightParams[1]; }, 0, 1, FL),
    slider("Specular", 12, [] { return P().lightParams[2]; }, 0, 1, FL),
    slider("Reflective", 13, [] { return P().lightParams[3]; }, 0, 1, FL),
    cursor(0, -15),
    slider("Shininess", 14, [] { return P().lightParams[4]; }, 0, 128, IL),
    slider("Cutoff", 15, [] { return P().lightParams[5]; }, 0, 180, IL),
    slider("Exponent", 16, [] { return P().lightParams[6]; }, 0, 10, IQ),
};

const PageRow kSounds[] = {
    cursor(40, 0),
    toggle("Sounds", 70, [] { return float(gApp->sound->soundOn); }),
    cursor(-40, -5),
    slider("SoundVolume", 71, [] { return gApp->sound->sfxVolume; }, 0, 1, FL),
    cursor(40, -40),
    toggle("Music", 702, [] { return float(gApp->sound->musicOn && gApp->sound->initialised); }),
    cursor(-40, -5),
    slider("MusicVolume", 712, [] { return gApp->sound->musicVolume; }, 0, 1, FL),
};

const PageRow kLightmap[] = {
    slider("Home/End:Lightmap Noise Level", 60, [] { return P().noiseLevel; }, 0, 50, IQ),
    slider("F9/F10 Vignette Size", 73, [] { return P().f9Value; }, 0, 3, FL),
    slider("Lightmap Refresh Interval", 74, [] { return P().lightmapRefresh; }, 0, 1, FQ),
    cursor(0, -15),
    slider("Texture X Magnification", 30, [] { return P().lightmapX; }, 0, 20, FQ),
    slider("Texture Y Magnification", 31, [] { return P().lightmapY; }, 0, 20, FQ),
    cursor(0, -20),
    slider("Lightmaps: None/Vignette/Noise/Grating Combinations", 61, [] { return float(std::abs(P().lightmap)); }, 0,
           63.9f, IL),
    cursor(40, -20),
    // The toggles get the masked bit itself: any set bit is "on".
    toggle("Film Noise", 21, [] { return lightmapBit(1); }),
    toggle("TV Line Noise", 22, [] { return lightmapBit(2); }),
    toggle("Z Pixel Noise", 23, [] { return lightmapBit(4); }),
    toggle("X Grating", 25, [] { return lightmapBit(16); }),
    toggle("Y Grating", 26, [] { return lightmapBit(32); }),
    toggle("Vignette", 24, [] { return lightmapBit(8); }),
};

const PageRow kRandoms[] = {
    cursor(40, 0),
    toggle("User Mode Master Control (User vs. Computer control)", 30, [] { return float(P().userMode); }),
    cursor(0, -15),
    toggle("Screen Splinter Effect", 210, [] { return float(P().randomSplinter); }),
    cursor(0, -5),
    toggle("Show Splinter AND Main Render", 212, [] { return float(P().sceneUnderSplinter); }),
    cursor(-40, 0),
    slider("Minimum Splinter Interval Secs", 211, [] { return P().splinterInterval; }, 5, 100, IQ),
    cursor(40, -25),
    toggle("FullScreen LightMaps", 220, [] { return float(P().randomLightmap); }),
    cursor(-40, 0),
    slider("Minimum LightMap Interval Secs", 221, [] { return P().lightmapInterval; }, 2, 100, IQ),
    cursor(40, -25),
    toggle("Horizontal/Vertical Skip", 230, [] { return float(P().randomSkip); }),
    cursor(-40, 0),
    slider("Minimum Skip Interval Secs", 231, [] { return P().skipInterval; }, 2, 100, IQ),
};

template <int N>
constexpr Page page(const char* title, int menuStyle, const PageRow (&rows)[N]) {
    return {title, menuStyle, rows, N};
}

}  // namespace

const Page menuPages[kPageCount] = {
    page(nullptr, 0, kSceneOptions), page("Main Menu", 1, kMainMenu), page("Options", 1, kOptions),
    page("Save Menu", 1, kSaveMenu), page("Load Menu", 1, kLoadMenu), page("General", 0, kGeneral),
    page("Mesh Cloud/Shadow", 0, kColor), page("Lighting", 0, kLighting), page("Sounds", 0, kSounds),
    page("Lightmap", 0, kLightmap), page("Randoms", 0, kRandoms),
};
