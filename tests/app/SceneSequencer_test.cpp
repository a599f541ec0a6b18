// The random splinter, lightmap and skip changes after the intro (the scripted tours cover the scene table).
#include "app/Globals.h"
#include "app/SceneSequencer.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

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
