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

constexpr float kHelpSize = 8.0f, kHelpLineStep = -15.0f;

// Visits every help line with its pen position: the title at `top`, the lists below it, indented by 10.
template <class Visit>
void walkHelp(float top, Visit visit) {
    float x = 20.0f, y = top;
    auto block = [&](const auto& lines) {
        for (const char* line : lines) {
            visit(line, x, y);
            y += kHelpLineStep;
        }
    };
    visit(gApp->state->name, x, y);
    y += kHelpLineStep;
    x += 10.0f;
    y += kHelpLineStep * 0.5f;
    block(kSpecialControls);
    y -= 5.0f;
    block(kStandardControls);
}

}  // namespace

void drawHelpScreen() {
    TextBox& pen = *gApp->infoText;
    pen.resetStyle();
    pen.alphaTest = 0;
    pen.blend = 0;
    pen.lineStep = kHelpLineStep;
    float top = 0.92f * gApp->screen->height;
    OverlayBox box = {20, top, 20, top};
    walkHelp(top, [&](const char* line, float x, float y) { pen.growBox(box, line, x, y, kHelpSize); });
    // A window too short for the page gets it moved up, then drawn smaller; one that fits sees it unchanged.
    OverlayFit fit = fitInto(box, overlayRoom(gApp->screen->width, gApp->screen->height));
    glPushMatrix();
    glTranslatef(fit.shiftX, fit.shiftY, 0);
    glScalef(fit.scale, fit.scale, 1);
    walkHelp(top, [&](const char* line, float x, float y) { pen.drawText(line, x, y, kHelpSize); });
    glPopMatrix();
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
    sound.setChannelVolume(introChannel, (1.0f - std::fabs(rotors.wave(1, 300, 2.0f, -1.0f))) * 0.25f + 0.75f);
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
    glPushAttrib(GL_LINE_BIT);  // the wide logo lines must not outlast the intro
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
    glPopAttrib();

    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
    setTexGen(1, 0);
}
