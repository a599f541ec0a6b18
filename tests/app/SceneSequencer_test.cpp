// The scene table sequence, the intro's end with its clock jump, and the random splinter, lightmap and skip changes.
#include "app/Globals.h"
#include "app/SceneSequencer.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace {

class Sequencer : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        sceneEndTime = 0;
        splinterEndTime = 0;
        lastSplinterTime = lastRandomLightmapTime = 20.0;
        lastSkipTime = 30.0;
        nextBlinkStart = 0;
        dialogs.rebuildRequest = 0;
        splinter.skipPhase = 0;
        splinter.skipDirection = 0;
    }

    // Puts the program after the intro with the given program time and a frame step that makes every chance certain.
    void afterIntro(double time) {
        appState.introDone = 1;
        frameClock.time = time;
        frameClock.dt = 0.1f;
        prefs.splinterInterval = 25.0f;
        prefs.lightmapInterval = 12.0f;
        prefs.skipInterval = 70.0f;
    }
};

}  // namespace

TEST_F(Sequencer, FirstStepEntersTheIntroRowAndAppliesIt) {
    camera.velocity = Vec3(1, 2, 3);
    camera.rotation = Vec3(10, 20, 30);
    frameClock.advance(0);
    sceneStep(0);
    EXPECT_EQ(appState.sceneIndex, 0);
    EXPECT_EQ(prefs.fov, 50.0f);
    EXPECT_EQ(prefs.lightmap, 8);
    EXPECT_EQ(prefs.cameraMode, 2);
    EXPECT_EQ(camera.position.z, 1.5f);
    EXPECT_EQ(camera.velocity.length(), 0.0f);
    EXPECT_EQ(camera.rotation.y, 0.0f);
    EXPECT_EQ(camera.rotation.z, 30.0f);  // only pitch and heading are reset
    EXPECT_DOUBLE_EQ(sceneEndTime, 10.0);
    EXPECT_DOUBLE_EQ(nextBlinkStart, 9.0);
    EXPECT_EQ(appState.introDone, 0);
}

TEST_F(Sequencer, IntroEndsAfterTenRealSecondsWithTheClockFiveSecondsBack) {
    long frame = 0;
    frameClock.advance(0);
    sceneStep(0);
    while (appState.sceneIndex == 0 && frame < 1000) {
        frame += 1;
        frameClock.advance(static_cast<int>(frame * 20));
        sceneStep(0);
    }
    EXPECT_EQ(frame, 501) << "10.00 s is not yet past the scene's end";
    EXPECT_EQ(appState.sceneIndex, 1);
    EXPECT_EQ(appState.introDone, 1);
    EXPECT_EQ(prefs.universe, 1);
    EXPECT_EQ(prefs.cameraMode, 3);
    EXPECT_DOUBLE_EQ(nextBlinkStart, 10.02 + 9999.0 - 1.0);
    frameClock.advance(static_cast<int>((frame + 1) * 20));
    EXPECT_NEAR(frameClock.time, frameClock.realSeconds - 5.0, 1e-9);
    EXPECT_NEAR(frameClock.realSeconds, 10.04, 1e-9);
}

TEST_F(Sequencer, AdvanceFlagWrapsAndReplayingTheIntroKeepsIntroDone) {
    frameClock.advance(0);
    sceneStep(0);
    sceneStep(kSceneApply | kSceneAdvance);
    EXPECT_EQ(appState.sceneIndex, 1);
    sceneStep(kSceneApply | kSceneAdvance);
    EXPECT_EQ(appState.sceneIndex, 0);
    EXPECT_EQ(prefs.universe, 0);
    EXPECT_EQ(appState.introDone, 1);
    // Applying without advancing re-copies the current row over changed settings.
    prefs.fov = 77.0f;
    sceneStep(kSceneApply);
    EXPECT_EQ(appState.sceneIndex, 0);
    EXPECT_EQ(prefs.fov, 50.0f);
}

TEST_F(Sequencer, NoRandomChangeBeforeItsIntervalHasPassed) {
    prefs.randomSplinter = 1;
    prefs.randomLightmap = 1;
    afterIntro(45.0);
    prefs.lightmap = 99;
    lastRandomLightmapTime = 40.0;  // keeps the lightmap step out of the way
    randomChanges();
    EXPECT_EQ(appState.splinterState, 0);
    afterIntro(45.01);
    randomChanges();
    EXPECT_EQ(appState.splinterState, 3);
    EXPECT_DOUBLE_EQ(lastSplinterTime, 45.01);
    EXPECT_GE(splinterEndTime, 45.01 + 0.6);
    EXPECT_LE(splinterEndTime, 45.01 + 3.6);
    EXPECT_EQ(prefs.lightmap, 99);

    lastRandomLightmapTime = 20.0;
    prefs.randomSplinter = 0;
    afterIntro(32.0);
    randomChanges();
    EXPECT_EQ(prefs.lightmap, 99);
    afterIntro(32.01);
    randomChanges();
    EXPECT_NE(prefs.lightmap, 99);
    EXPECT_EQ(dialogs.rebuildRequest, 1);
    EXPECT_DOUBLE_EQ(lastRandomLightmapTime, 32.01);
}

TEST_F(Sequencer, RandomSkipWaitsUntilAHundredSecondsOfProgramTime) {
    prefs.randomSkip = 1;
    afterIntro(100.0);
    randomChanges();
    EXPECT_EQ(appState.splinterState, 0);
    afterIntro(100.01);
    randomChanges();
    EXPECT_EQ(appState.splinterState, 3);
    EXPECT_TRUE(splinter.skipDirection == -1.0f || splinter.skipDirection == 1.0f);
    EXPECT_TRUE(splinter.skipPhase == 1.01f || splinter.skipPhase == 0.01f);
    EXPECT_DOUBLE_EQ(lastSkipTime, 100.01);
    EXPECT_DOUBLE_EQ(lastSplinterTime, 100.01);
    EXPECT_GE(splinterEndTime, 100.01 + 0.3);
    EXPECT_LE(splinterEndTime, 100.01 + 3.3);
}

TEST_F(Sequencer, UserModeStopsEveryRandomChangeAndLeavesARunningSplinterAlone) {
    prefs.randomSplinter = prefs.randomLightmap = prefs.randomSkip = 1;
    prefs.userMode = 1;
    afterIntro(500.0);
    appState.splinterState = 2;
    splinter.skipPhase = 1.01f;
    splinterEndTime = 10.0;  // long past
    prefs.lightmap = 99;
    rndSeed(3);
    uint32_t state = rndState();
    randomChanges();
    EXPECT_EQ(appState.splinterState, 2);
    EXPECT_EQ(splinter.skipPhase, 1.01f);
    EXPECT_EQ(prefs.lightmap, 99);
    EXPECT_EQ(rndState(), state);
    // Without user mode the same call ends the splinter once its time is up.
    prefs.userMode = 0;
    prefs.randomSplinter = prefs.randomLightmap = prefs.randomSkip = 0;
    randomChanges();
    EXPECT_EQ(appState.splinterState, 0);
    EXPECT_EQ(splinter.skipPhase, 0.0f);
    // Nor does anything change while the intro runs.
    prefs.randomSplinter = 1;
    appState.introDone = 0;
    randomChanges();
    EXPECT_EQ(appState.splinterState, 0);
}

TEST_F(Sequencer, LightmapDrawSwitchesItOffInAboutTwoThirdsOfDraws) {
    static const int kOn[6] = {1, 2, 4, 16, 32, 48};
    prefs.randomLightmap = 1;
    afterIntro(0.0);
    rndSeed(2024);
    int off = 0, total = 18000;
    for (int i = 0; i < total; ++i) {
        lastRandomLightmapTime = -100.0;
        randomChanges();
        bool known = prefs.lightmap == 0;
        for (int mode : kOn) known = known || prefs.lightmap == mode;
        ASSERT_TRUE(known) << prefs.lightmap;
        ASSERT_GE(prefs.lightmapX, 0.1f);
        ASSERT_LT(prefs.lightmapX, 10.1f);
        off += prefs.lightmap == 0;
    }
    EXPECT_NEAR(off / static_cast<double>(total), 12.0 / 18.0, 0.015);
}
