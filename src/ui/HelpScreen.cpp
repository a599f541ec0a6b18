// Help page and intro scene drawing.
#include "ui/HelpScreen.h"
#include "camera/RotorSet.h"
#include "core/AppContext.h"
#include "core/AppState.h"
#include "core/Prefs.h"
#include "gfx/Screen.h"
#include "scene/Texture.h"
#include "sound/SoundSystem.h"
#include "ui/TextBox.h"
#include "world/Light.h"
#include <GL/gl.h>
#include <cmath>

namespace {

const char* const kSpecialControls[] = {
    "Special Controls for this (32 bitcolor!) simulation:",
    " <PageUp/Down>  Adjust Ground Height",
    "            []  Adjust World Size",
    "      shift <>  Adjust Ground Tesselation: ",
    "<F1/F2><F3/F4>  Adjust Texture X/Y Magnification",
    "           b/B  BlendFunc0/1: Cycle Blend Modes",
    "    <Home/End>  Adjust Lightmap Noise Level",
    "             u  Universe: Cycle None/Stars/FixedSkyBox/MovableSkyBox",
    "             x  eXplode Screen Splinter Toggle (try with Hyper<Space>!)",
    "             \\  Replay Intro",
};

const char* const kStandardControls[] = {
    "Standard Controls in most apps (where applicable):",
    "`/<RightButton> Toggle Current Popup Menu",
    "     <F11/F12>  Adjust Screen Fade Effect (0-1)",
    "  unshifted <>  Adjust Camera Magnification/FOV",
    "    shift   {}  Adjust Closeness-In/Out (Camera Z)",
    "             c  Clock: Toggle Frame-Per-Seconds",
    "             f  FullScreen/Window Toggle",
    "             l  Letterbox: Adjust Size 0-6",
    "             p  Pause: Toggle On/Off",
    "    <ESC> or q  EXIT after fade, hit twice for quick exit",
    "             r  Reset/Randomize all parameters",
    "             t  Textures:  Toggle On-Off",
    "       shift U  User mode: Toggle User vs. Computer Control",
    "             v  ViewCam: Cycle Control: Auto/Manual/Hold/Auto-Centered",
    "             w  Wireframe/Points/Polygon Mode Cycle",
    "     shift   !  Save Preferences",
    "     shift   @  Load Preferences",
    "   -------------------------------------------------------- ",
    "   <?> to return",
};

// The logo, an erupting cone, as line segments (x0, y0, x1, y1) in a 2.0 x 0.8 box from its lower left.
const float kLogo[8][4] = {
    {0.0f, 0.0f, 2.0f, 0.0f},     // ground
    {0.05f, 0.0f, 0.8f, 0.5f},    // left flank
    {0.8f, 0.5f, 0.92f, 0.45f},   // crater, left lip
    {1.08f, 0.45f, 1.2f, 0.5f},   // crater, right lip
    {1.2f, 0.5f, 1.95f, 0.0f},    // right flank
    {1.0f, 0.55f, 1.0f, 0.8f},    // the jet
    {0.92f, 0.55f, 0.7f, 0.75f},  // a bomb to the left
    {1.08f, 0.55f, 1.3f, 0.75f},  // a bomb to the right
};

// The channel the intro sound started on: later plays change the sound system's current channel.
int introChannel = -1;

template <size_t N>
void drawLines(TextBox& pen, const char* const (&lines)[N]) {
    for (const char* line : lines) pen.drawLine(line);
}

}  // namespace

void drawHelpScreen() {
    TextBox& pen = *gApp->infoText;
    pen.resetStyle();
    pen.alphaTest = 0;
    pen.blend = 0;
    pen.radius = 8.0f;
    pen.position.x = 20.0f;
    pen.position.y = 0.92f * gApp->screen->height;
    pen.lineStep = -15.0f;
    pen.drawLine(gApp->state->name);
    pen.position.x += 10.0f;
    pen.position.y += pen.lineStep * 0.5f;
    drawLines(pen, kSpecialControls);
    pen.position.y -= 5.0f;
    drawLines(pen, kStandardControls);
}

void introSoundStep() {
    AppState& state = *gApp->state;
    if (!state.soundEnabled) return;
    SoundSystem& sound = *gApp->sound;
    const RotorSet& rotors = *gApp->effectRotors;
    if (state.introStep == 0) {
        sound.playFile3D("thx2.wav", 0, 0, -1);
        introChannel = sound.channel;
        sound.setFrequency(44000);
        state.introStep = 1;
    }
    sound.setChannelPosition(introChannel, -rotors.wave(2, 150, 1.0f, -0.5f), rotors.wave(1, 300, 1.0f, -0.5f),
                             gApp->prefs->noiseLevel * 5.0f - 4.5f);
    sound.setVolume((1.0f - std::fabs(rotors.wave(1, 300, 2.0f, -1.0f))) * 0.25f + 0.75f);
}

void drawIntroScene(Texture& frameGradient, Texture& logoReflection) {
    introSoundStep();
    const RotorSet& rotors = *gApp->effectRotors;
    glPushMatrix();
    glTranslatef(0, 0.2f, 0);

    glEnable(GL_BLEND);
    glBlendFunc(sourceBlendFactors[1], destBlendFactors[3]);
    glColor4f(0, 0, 1, 1);
    glEnable(GL_TEXTURE_1D);
    frameGradient.bind1D();
    drawGradientFrame(-0.85, -0.48, 0.85, 0.48, 0.03);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_1D);

    glColor3f(1, 1, 1);
    glLineWidth(8.0f);
    logoReflection.bind();
    glEnable(GL_TEXTURE_2D);
    setTexGen(1, 1);
    glRotatef(rotors.wave(2, 150, 12, -6), 0, 1, 0);
    glRotatef(rotors.wave(1, 300, 8, -8), 1, 0, 0);
    glBegin(GL_LINES);
    for (const auto& segment : kLogo) {
        glVertex2f((segment[0] - 1.0f) * 0.6f, (segment[1] - 0.4f) * 0.6f);
        glVertex2f((segment[2] - 1.0f) * 0.6f, (segment[3] - 0.4f) * 0.6f);
    }
    glEnd();

    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
    setTexGen(1, 0);
}
