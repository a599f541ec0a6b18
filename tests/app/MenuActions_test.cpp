// Menu actions: what each page's widgets write into the settings, with their status messages, and the navigation.
#include "app/Globals.h"
#include "app/MenuActions.h"
#include "app/SceneSequencer.h"
#include "app/Startup.h"
#include "support/TestSupport.h"
#include "world/TerrainPasses.h"
#include <gtest/gtest.h>
#include <string>

namespace {

class Actions : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        initPref();
        dialogs = DialogStack();
        soundSystem = SoundSystem(*soundSystem.library);
        previousColorLevel = 1.0f;
        previousMenuLevel = 0.0f;
        volumePreviewTime = 0.0;
        screen.height = 600;
    }
    // The widget `id` on `page` reports `v` this frame.
    void act(int page, int id, float v) {
        dialogs.pageId = page;
        dialogs.activatedId = id;
        dialogs.activatedValue = v;
        dispatchAction();
    }
    std::string message() const { return statusLine.text; }
    // The dialog as the frame loop leaves it after a refresh request.
    void refresh() {
        if (dialogs.rebuildRequest == 1) dialogs.buildPage(dialogs.pageId, 0);
    }

    ScratchDir dir;
};

}  // namespace

TEST_F(Actions, FloatSettingsTakeTheValueAndConfirmIt) {
    const struct { int page, id; float v; float* field; const char* message; } rows[] = {
        {0, 54, 1.5f, &prefs.groundHeight, "<PageUp/Down> Main Height: 1.50"},
        {9, 73, 2.5f, &prefs.f9Value, "F9/F10: Vignette Size   2.5"},
        {9, 74, 0.125f, &prefs.lightmapRefresh, "Lightmap Refresh Interval:  0.1 secs"},
    };
    for (const auto& row : rows) {
        act(row.page, row.id, row.v);
        EXPECT_FLOAT_EQ(*row.field, row.v) << row.message;
        EXPECT_EQ(message(), row.message);
    }
}

TEST_F(Actions, IntegerSettingsTruncateAndConfirmByName) {
    const struct { int page, id; float v; int* field; int expected; const char* message; } rows[] = {
        {0, 50, 33.9f, &prefs.tesselation, 33, "Tesselation:: 33"},
        {0, 300, 0.0f, &multiPassCloudShadow, 0, "Multi-Pass Cloud-Shadow Off"},
        {6, 31, 8.4f, &prefs.blendMode0, 8, "0:8-GL_SRC_ALPHA_SATURATE"},
        {10, 212, 1.0f, &prefs.sceneUnderSplinter, 1, "Splinter Effect AND Main Render"},
    };
    for (const auto& row : rows) {
        act(row.page, row.id, row.v);
        EXPECT_EQ(*row.field, row.expected) << row.message;
        EXPECT_EQ(message(), row.message);
    }
    EXPECT_EQ(terrain.columns, 33) << "the tessellation slider rebuilds the terrain grid";
}

TEST_F(Actions, ARandomsToggleFlipsItsFlagWhateverTheValue) {
    prefs.randomSkip = 0;
    act(10, 230, 0.0f);
    EXPECT_EQ(prefs.randomSkip, 1);
    EXPECT_EQ(message(), "Skip is Enabled");
    act(10, 230, 0.0f);
    EXPECT_EQ(prefs.randomSkip, 0);
    EXPECT_EQ(message(), "Skip is Disabled");
}

TEST_F(Actions, FadeTopTurnsClearingOnAndTinyValuesBecomeZero) {
    act(5, 55, 1.0f);
    EXPECT_FLOAT_EQ(prefs.fade, 1.0f);
    EXPECT_EQ(prefs.clearScreen, 1);
    EXPECT_EQ(message(), "Fade: 1.00");
    act(5, 55, 0.5f);
    EXPECT_EQ(prefs.clearScreen, 0) << "any lower value leaves trails";
    act(5, 55, 0.015f);
    EXPECT_FLOAT_EQ(prefs.fade, 0.0f);
    EXPECT_EQ(message(), "Fade: 0.00");
}

TEST_F(Actions, ColourScaleAndOffsetActRelativeToTheirLastUse) {
    dialogs.buildPage(6, 1);
    prefs.color[0] = prefs.color[1] = prefs.color[2] = 0.5f;
    act(6, 24, 2.0f);
    EXPECT_FLOAT_EQ(prefs.color[0], 1.0f);
    EXPECT_FLOAT_EQ(prefs.color[2], 1.0f);
    EXPECT_EQ(dialogs.rebuildRequest, 1);
    refresh();
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(dialogs.item(2))->value, 1.0f) << "the refresh moves the Red slider";
    act(6, 24, 1.0f);
    EXPECT_FLOAT_EQ(prefs.color[1], 0.5f) << "back to the level of the last use";
    act(6, 25, 0.3f);
    EXPECT_FLOAT_EQ(prefs.color[0], 0.8f);
    act(6, 25, 1.0f);
    EXPECT_FLOAT_EQ(prefs.color[0], 1.0f) << "clamped at 1";
}

TEST_F(Actions, LightmapTogglesAndTheCombinationSliderStayInStep) {
    dialogs.buildPage(9, 1);
    prefs.lightmap = 0;
    act(9, 21, 1.0f);  // Film Noise
    refresh();
    act(9, 24, 1.0f);  // Vignette
    refresh();
    EXPECT_EQ(prefs.lightmap, 9);
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(dialogs.item(7))->value, 9.0f);
    prefs.lightmap = 64 + 2;
    act(9, 23, 0.0f);
    EXPECT_EQ(prefs.lightmap, 2) << "clearing keeps only the six flag bits";
}

TEST_F(Actions, MenusOpenTheirPagesAndCloseBoxesStepBack) {
    dialogs.buildPage(1, 1);
    dialogs.offsetX = 33;
    act(1, 3, 0);
    EXPECT_EQ(dialogs.pageId, 2);
    EXPECT_FLOAT_EQ(dialogs.offsetX, 33);
    act(2, 7, 0);
    EXPECT_EQ(dialogs.pageId, 5) << "Options: General...";
    dialogs.offsetY = -20.0f;
    act(5, 93, 0);
    EXPECT_EQ(dialogs.pageId, 2);
    EXPECT_FLOAT_EQ(dialogs.offsetY, -20.0f) << "back at the same place";
    act(2, 93, 0);
    EXPECT_EQ(dialogs.stackDepth, 0);

    appState.popupOpen = 1;
    dialogs.savedCameraMode = 1;
    prefs.cameraMode = 2;
    act(1, 93, 0);
    EXPECT_EQ(appState.popupOpen, 0) << "the main menu's close box hides the popup";
    EXPECT_FLOAT_EQ(dialogs.targetOpen, 0.0f);
    EXPECT_EQ(prefs.cameraMode, 1);
    EXPECT_EQ(dialogs.pageId, 1) << "and stays on the main menu for next time";
}

TEST_F(Actions, QuitStartsTheExitFadeAndTheSplinterAtOnce) {
    appState.popupOpen = 1;
    frameClock.realSeconds = 42.5;
    act(1, 99, 0);
    EXPECT_EQ(appState.exiting, 1);
    EXPECT_DOUBLE_EQ(appState.exitStartTime, 42.5);
    EXPECT_EQ(appState.splinterState, 3);
    EXPECT_EQ(appState.popupOpen, 0);
}

TEST_F(Actions, LoadingPutsTheFileInForceAndAFailureOnlyReports) {
    prefs.paused = 1;
    act(4, 1, 0);
    EXPECT_EQ(message(), "Could NOT Load Prefs");
    EXPECT_EQ(prefs.paused, 1);
    act(3, 1, 0);
    EXPECT_EQ(message(), "Saved Prefs");
    prefs.cameraMode = 0;
    prefs.tesselation = 80;
    prefs.objectSize = 2.0f;
    act(4, 1, 0);
    EXPECT_EQ(message(), "Loaded Prefs");
    EXPECT_EQ(prefs.cameraMode, 3);
    EXPECT_FLOAT_EQ(screen.clearPasses, 1.0f);
    EXPECT_EQ(prefs.paused, 0);
    EXPECT_EQ(terrain.columns, 30);
    EXPECT_FLOAT_EQ(appState.worldSize, 8.0f);
    // Reset from the menu puts the default grid back too.
    prefs.tesselation = 80;
    applyWorldSettings();
    act(5, 98, 0);
    EXPECT_EQ(terrain.columns, 30);
}

TEST_F(Actions, ReplayIntroClosesThePopupAndAppliesTheIntroScene) {
    appState.soundEnabled = 0;
    appState.sceneIndex = 1;
    appState.popupOpen = 1;
    dialogs.savedCameraMode = 1;
    act(1, 300, 0);
    EXPECT_EQ(appState.popupOpen, 0);
    EXPECT_EQ(appState.sceneIndex, 0);
    EXPECT_EQ(prefs.cameraMode, sceneTable[0].cameraMode) << "the intro's camera, not the one saved by the popup";
}

TEST_F(Actions, SoundVolumeIsPreviewedTwiceASecondAtMost) {
    soundSystem.soundOn = 1;
    frameClock.time = 1.0;
    act(8, 71, 0.6f);
    EXPECT_FLOAT_EQ(soundSystem.sfxVolume, 0.6f);
    EXPECT_DOUBLE_EQ(volumePreviewTime, 1.0);
    frameClock.time = 1.4;
    act(8, 71, 0.7f);
    EXPECT_DOUBLE_EQ(volumePreviewTime, 1.0) << "too soon for another preview";
    frameClock.time = 1.55;
    act(8, 71, 0.8f);
    EXPECT_DOUBLE_EQ(volumePreviewTime, 1.55);
}
