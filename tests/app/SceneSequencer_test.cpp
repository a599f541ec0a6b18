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
        sceneEndTime = splinterEndTime = nextBlinkStart = 0, lastSplinterTime = lastRandomLightmapTime = 20.0;
        lastSkipTime = 30.0, dialogs.rebuildRequest = 0, splinter.skipPhase = splinter.skipDirection = 0;
    }
    // After the intro at the given program time, with a frame step that makes every chance certain.
    static void afterIntro(double time) {
        appState.introDone = 1, frameClock.time = time, frameClock.dt = 0.1f;
        prefs.splinterInterval = 25.0f, prefs.lightmapInterval = 12.0f, prefs.skipInterval = 70.0f;
    }
};

}  // namespace

TEST_F(Sequencer, IntroRowForTenSecondsThenTheVolcanoWithTheClockBackAndTheAdvanceFlagWraps) {
    camera.velocity = Vec3(1, 2, 3), camera.rotation = Vec3(10, 20, 30);
    frameClock.advance(0);
    sceneStep(0);
    // Only pitch and heading are reset.
    EXPECT_EQ(std::make_tuple(appState.sceneIndex, prefs.fov, prefs.lightmap, prefs.cameraMode, camera.position.z,
                              camera.velocity.length(), camera.rotation.y, camera.rotation.z, nextBlinkStart),
              std::make_tuple(0, 50.0f, 8, 2, 1.5f, 0.0f, 0.0f, 30.0f, 9.0));
    frameClock.advance(10000);
    sceneStep(0);
    EXPECT_EQ(appState.introDone, 0) << "10.00 s is the intro's last moment";
    frameClock.advance(10020);
    const double before = frameClock.time;
    sceneStep(0);
    EXPECT_EQ(std::make_tuple(appState.sceneIndex, appState.introDone, prefs.universe, prefs.cameraMode),
              std::make_tuple(1, 1, 1, 3));
    EXPECT_DOUBLE_EQ(nextBlinkStart, 10.02 + 9999.0 - 1.0);
    frameClock.advance(10040);
    EXPECT_NEAR(frameClock.time, before + 0.02 - 5.0, 1e-9) << "program time jumps 5 s back";
    sceneStep(kSceneApply | kSceneAdvance);
    EXPECT_EQ(std::make_tuple(appState.sceneIndex, prefs.universe, appState.introDone), std::make_tuple(0, 0, 1))
        << "a replayed intro stays done";
    prefs.fov = 77.0f;  // applying without advancing re-copies the current row over changed settings
    sceneStep(kSceneApply);
    EXPECT_EQ(prefs.fov, 50.0f);
}

TEST_F(Sequencer, EachRandomChangeWaitsForItsIntervalThenHappens) {
    // Program time 20 + 25 s for a splinter, 20 + 12 s for a lightmap, 30 + 70 s for a skip (0: no burst).
    const struct { int* flag; double due; double* last; double burst; } rows[] = {
        {&prefs.randomSplinter, 45.0, &lastSplinterTime, 0.6}, {&prefs.randomLightmap, 32.0, &lastRandomLightmapTime, 0},
        {&prefs.randomSkip, 100.0, &lastSkipTime, 0.3}};
    for (const auto& row : rows) {
        SetUp();
        prefs.randomSplinter = prefs.randomLightmap = prefs.randomSkip = 0, *row.flag = 1, prefs.lightmap = 99;
        const double before = *row.last;
        afterIntro(row.due);
        randomChanges();
        EXPECT_EQ(*row.last + appState.splinterState, before) << row.due;
        afterIntro(row.due + 0.01);
        randomChanges();
        EXPECT_DOUBLE_EQ(*row.last, row.due + 0.01);
        if (row.burst == 0.0) {
            EXPECT_TRUE(prefs.lightmap != 99 && dialogs.rebuildRequest == 1);
            continue;
        }
        EXPECT_EQ(appState.splinterState, 3);
        EXPECT_TRUE(splinterEndTime >= row.due + 0.01 + row.burst && splinterEndTime <= row.due + 0.01 + row.burst + 3.0);
    }
    EXPECT_TRUE(splinter.skipDirection == -1.0f || splinter.skipDirection == 1.0f);
    EXPECT_TRUE(splinter.skipPhase == 1.01f || splinter.skipPhase == 0.01f);
    EXPECT_DOUBLE_EQ(lastSplinterTime, 100.01) << "a skip counts as a splinter";
}

TEST_F(Sequencer, UserModeStartsNoChangeButARunningSplinterEndsOnTimeInEveryMode) {
    for (int userMode : {1, 0}) {
        SCOPED_TRACE(userMode);
        prefs.randomSplinter = prefs.randomLightmap = prefs.randomSkip = prefs.userMode = userMode;
        afterIntro(500.0);
        appState.splinterState = 2, splinter.skipPhase = 1.01f, prefs.lightmap = 99, splinterEndTime = 501.0;
        lastRandomLightmapTime = 499.0;  // keeps the lightmap change out of the way
        rndSeed(3);
        uint32_t state = rndState();
        randomChanges();
        EXPECT_EQ(appState.splinterState, 2) << "before its end";
        splinterEndTime = 499.0;
        randomChanges();
        EXPECT_EQ(std::make_tuple(appState.splinterState, splinter.skipPhase, prefs.lightmap), std::make_tuple(0, 0.0f, 99));
        EXPECT_TRUE(!userMode || rndState() == state) << "user mode draws nothing";
    }
    appState.introDone = 0, appState.splinterState = 2;  // nothing at all happens while the intro runs
    randomChanges();
    EXPECT_EQ(appState.splinterState, 2);
}

// Over many draws: the lightmap is off in about two thirds and otherwise a known mode, its scales lean small
// (cubed: a mean of 2.6 each); a skip runs ahead in about two fifths.
TEST_F(Sequencer, RandomDrawsFollowTheirOdds) {
    prefs.randomLightmap = prefs.randomSkip = 1;
    afterIntro(0.0);
    rndSeed(2024);
    int off = 0, ahead = 0;
    double scales = 0;
    for (int i = 0; i < 18000; ++i) {
        lastRandomLightmapTime = lastSkipTime = -100.0;
        randomChanges();  // a lightmap change ends the call; the next one skips
        ASSERT_NE(std::string(",0,1,2,4,16,32,48,").find("," + std::to_string(prefs.lightmap) + ","), std::string::npos);
        ASSERT_TRUE(prefs.lightmapX >= 0.1f && prefs.lightmapX < 10.1f) << prefs.lightmapX;
        off += prefs.lightmap == 0, scales += prefs.lightmapX + prefs.lightmapY;
        randomChanges();
        ahead += splinter.skipPhase > 1;
    }
    EXPECT_NEAR(off / 18000.0, 12.0 / 18.0, 0.015);
    EXPECT_NEAR(ahead / 18000.0, 0.4, 0.015);
    EXPECT_NEAR(scales / 18000.0, 5.2, 0.15);
}
