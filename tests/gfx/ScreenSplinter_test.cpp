// Splinter motion rules, the shrink, the skip's roll-and-end state machine and its trace.
#include "app/Globals.h"
#include "core/Random.h"
#include "core/Trace.h"
#include "gfx/ScreenSplinter.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace {

using F = ScreenSplinter::Field;

class Splinter : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        screen.width = 320, screen.height = 240;
        s.skipPhase = 0.0f, s.skipDirection = 1.0f, s.motionMask = 0, s.columns = s.rows = 1, s.pieceScale = s.speed = 1.0f;
    }
    ScreenSplinter& s = splinter;
};

}  // namespace

TEST_F(Splinter, EachMotionRuleMovesItsOwnValueByTheStep) {
    // step = dt 0.5 x speed 2 = 1; velocities 0.3, -0.2, 0.1 and spins 10, 20, 30.
    const struct { int bit, field; float delta; } cases[] = {  // field -1: only pieceScale changes
        {0x4, F::Z, 0.1f}, {0x8, F::VX, -1.0f}, {0x80, F::VZ, -0.5f}, {0x400, F::AngleY, 20}, {0x1000, -1, 0}};
    const float start[ScreenSplinter::kFieldCount] = {1, 2, 3, 0.3f, -0.2f, 0.1f, 0, 10, 0, 20, 0, 30};
    for (const auto& c : cases) {
        for (int f = 0; f < ScreenSplinter::kFieldCount; ++f) s.pieces[f][1][1] = start[f];
        s.columns = s.rows = 2, s.pieceScale = 1.0f, s.speed = 2.0f, s.motionMask = c.bit;
        s.advancePieces(0.5f);
        for (int f = 0; f < ScreenSplinter::kFieldCount; ++f)
            EXPECT_FLOAT_EQ(s.pieces[f][1][1], start[f] + (f == c.field ? c.delta : 0.0f)) << c.bit << " field " << f;
        EXPECT_FLOAT_EQ(s.pieceScale, c.bit == 0x1000 ? 0.875f : 1.0f) << "shrinking ignores the speed";
    }
    // Within one piece the rules run in table order: the move uses the velocity from before the push.
    s.pieces[F::X][0][0] = 0.0f, s.pieces[F::VX][0][0] = 0.3f, s.motionMask = 0x1 | 0x10;
    s.advancePieces(0.5f);
    EXPECT_FLOAT_EQ(s.pieces[F::X][0][0], 0.3f);
    EXPECT_FLOAT_EQ(s.pieces[F::VX][0][0], 1.3f);
    // The shrink scales each piece about its centre, the spin turns it in degrees: the third corner of a half-size
    // 0.1 x 0.2 piece at scale 0.5, (0.05, 0.1), a quarter turn about z.
    s.columns = s.rows = 1, s.pieceScale = 0.5f, s.halfPieceWidth = 0.1f, s.halfPieceHeight = 0.2f;
    s.pieces[F::AngleX][0][0] = s.pieces[F::AngleY][0][0] = 0.0f, s.pieces[F::AngleZ][0][0] = 90.0f;
    float v[12];
    ASSERT_EQ(s.buildPieceVertices(v), 4);
    EXPECT_NEAR(v[6] - s.pieces[F::X][0][0], -0.1f, 1e-6f);
    EXPECT_NEAR(v[7] - s.pieces[F::Y][0][0], 0.05f, 1e-6f);
}

TEST_F(Splinter, ASkipKeepsTheLayoutRollsHalfASecondThenEndsOrRollsAgainWithEvenChance) {
    ScratchDir dir;
    traceOpen("trace.txt");
    const struct { float start; uint32_t seed; float after; int state; } cases[] = {
        {0.01f, 1, 0.0f, 0}, {1.01f, 20000, 1.01f, 2}, {0.01f, 20000, 0.01f, 2}};  // the draw after seed 1 is below 0.5
    for (const auto& c : cases) {
        s.columns = 7, s.rows = 3, s.motionMask = 5, s.pieceScale = 0.2f, s.skipPhase = c.start;
        traceSetFrame(&c - cases);
        rndSeed(9);
        s.prepare();
        EXPECT_EQ(rndState(), 9u * 214013u * 214013u + 2531011u * 214013u + 2531011u) << "two draws only";
        EXPECT_TRUE(s.columns == 7 && s.rows == 3 && s.motionMask == 5 && s.pieceScale == 1.0f);
        appState.splinterState = 2;
        rndSeed(c.seed);
        for (int i = 0; i < 24; ++i) s.advanceSkip(0.02f);
        EXPECT_NEAR(s.skipPhase, c.start + 0.96f, 1e-4f);
        EXPECT_EQ(rndState(), c.seed) << "no draw during a roll";
        traceSetFrame(&c - cases + 10);
        s.advanceSkip(0.02f);
        EXPECT_EQ(s.skipPhase, c.after) << c.start;
        EXPECT_EQ(appState.splinterState, c.state);
    }
    traceClose();
    traceSetFrame(0);
    EXPECT_EQ(traceSteps("trace.txt"), "0 skip vertical +1\n10 splinter 0\n1 skip horizontal +1\n2 skip vertical +1\n");
}
