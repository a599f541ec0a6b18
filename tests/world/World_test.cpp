// The world without GL: the height field's sampling and craters; the terrain mesh's layers and ground queries;
// the view volume's sphere test; particle pools, their emission, ageing and ramps (the cone and the mesh's
// normals are the golden tour's pictures).
#include "app/Globals.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include "world/ViewVolume.h"
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

class World : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState(); prefs.groundHeight = 1.0f, frameClock.dt = 0.02f;
        field.setBuffers(heights.data(), scratch.data());
        nextFreeHint = 0, frameClock.time = 1.0, ps->emitInterval = 0.0f, ps->lifetime = 100.0f;
    }
    // A grid whose cell (c, r) holds 10 r + c + 1, so every read tells where it came from (0: none).
    void numberedGrid(int n) {
        field.size = n;
        for (int i = 0; i < n * n; ++i) heights[i] = 10.0f * (i / n) + i % n + 1;
    }
    float at(int c, int r) const { return heights[c + r * field.size]; }
    // Generation and crater store column c, row r mirrored on both axes.
    float mirrored(int c, int r) const { return heights[(field.size - 1 - c) + (field.size - 1 - r) * field.size]; }
    static float drop(float d) { return 0.9f * (1.0f - (1.0f - std::cos(3.14159265f * d / 15.0f)) * 0.5f); }
    // An n x n field read by an n x n mesh: vertex (i, j) gets exactly cell (i, j).
    void build(int n, float width, float depth) {
        field.size = mesh.columns = mesh.rows = n, mesh.radius = mesh.extent.x = width, mesh.extent.y = depth;
        mesh.build(field);
    }
    static void expectVec(const Vec3& v, const Vec3& e) {
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(v[k], e[k], 1e-5f) << k;
    }

    std::vector<float> heights = std::vector<float>(HeightField::kMaxCells), scratch = heights; HeightField field;
    TerrainMesh mesh;
    std::unique_ptr<ParticleSystem> ps = std::make_unique<ParticleSystem>();
};

}  // namespace

TEST_F(World, SampleBlendsThreeSamplesFoldsAnyValueAndWrapsAtTheFarEdges) {
    numberedGrid(4); const float inf = INFINITY;
    const struct { float u, v, expected; } cases[] = {
        {0.125f, 0.125f, 0.5f * (at(1, 0) + at(0, 1))},           // planar, not bilinear
        {0.875f, 0.0f, at(3, 0) + 0.5f * (at(0, 0) - at(3, 0))},  // wraps to column 0
        {0.0f, 0.875f, at(0, 3) + 0.5f * (at(0, 0) - at(0, 3))},  // wraps to row 0
        {1.0f, 0.5f, at(3, 2)},    // u = 1: the last column, weight 0 toward the wrap
        {-0.25f, 0.5f, at(3, 2)},  {-3.25f, 0.5f, at(3, 2)}, {-1e-9f, 0.5f, at(3, 2)},  // read at 0.75, 0.75, 1
        {-1.0f, 2.0f, at(0, 3)},   {2.75f, 1.25f, at(3, 1)},  // -1 folds to 0, 2 to 1; 2.75 to 0.75
        {NAN, 0.0f, at(0, 0)}, {inf, -inf, at(0, 0)},   // non-finite reads the border at 0
        {1e30f, -1e30f, at(3, 0)},  // huge floats are whole: 1 and 0
    };
    for (const auto& c : cases) EXPECT_FLOAT_EQ(field.sample(c.u, c.v), c.expected) << c.u << ", " << c.v;
    // 300 x 300 does not fit the buffers: writes past them are dropped, reads there give 0. Not a cone: a level
    // plain at the offset, whatever the scale.
    field.generate(0, 8, 2.0f, 1.0f); EXPECT_EQ(field.sample(0.5f, 0.5f), 1.0f);
    field.generate(0, 300, 0.0f, 1.0f); EXPECT_EQ(field.sample(0.0f, 0.0f), 1.0f);
    EXPECT_EQ(field.sample(0.99f, 0.99f), 0.0f);
}

TEST_F(World, CraterFollowsTheCosineProfileKeepsTheDeepestDropAndWraps) {
    field.generate(0, 128, 0.0f, 0.0f), field.crater(64, 64, 30.0f, 0.9f), field.crater(126, 10, 30.0f, 0.9f);
    const struct { int c, r; float expected; } cells[] = {
        {64, 64, -0.9f}, {67, 68, -0.675f},  // d = 5: w = 0.25
        {78, 64, -drop(14)}, {49, 64, 0}, {73, 76, 0},  // d = r and (9, 12), d = 15, are outside
        {3, 10, -drop(5)}, {20, 10, 0}};  // wrapped past the last column
    for (const auto& c : cells) EXPECT_NEAR(mirrored(c.c, c.r), c.expected, 1e-5f) << c.c << "," << c.r;
    // On a 16-cell grid offsets -12 and +4 from column 8 both reach column 12: the drops do not add up.
    field.generate(0, 16, 0.0f, 0.5f), field.crater(8, 8, 30.0f, 0.9f);
    EXPECT_NEAR(mirrored(12, 8), 0.5f - drop(4), 1e-5f);
}

TEST_F(World, CellsTakeTheFirstLayerAtOrBelowACornerAndTheFarBordersCloseTheLastCells) {
    // On the threshold is not above it.
    const float corners[4][4] = {{0.01f, 0.01f, 0.01f, 0.01f}, {0.02f, 0.02f, 0.02f, 0.01f},
                                 {0.6f, 0.6f, 0.7f, 0.6f}, {200, 200, 200, 200}};
    for (int k = 0; k < 4; ++k) {
        int i = 2 * (k % 2), j = 2 * (k / 2);
        heights[i + j * 4] = corners[k][0], heights[i + 1 + j * 4] = corners[k][1];
        heights[i + 1 + (j + 1) * 4] = corners[k][2], heights[i + (j + 1) * 4] = corners[k][3];
    }
    build(4, 4.0f, 4.0f);
    const struct { int i, j, layer, mask; } cases[] = {
        {0, 0, 0, 0}, {2, 0, 0, 7}, {0, 2, 2, 4}, {2, 2, 3, 15}, {3, 0, 1, 0}};  // (3, 0): the last column
    for (const auto& c : cases) EXPECT_EQ(mesh.cellLayer[c.i][c.j] * 100 + mesh.cellMask[c.i][c.j], c.layer * 100 + c.mask) << c.i << "," << c.j;
    const auto& v = mesh.vertices;  // the far borders close the last cells
    for (int k = 0; k < 4; ++k) expectVec(v[4][k].faceNormal, v[3][k].faceNormal), expectVec(v[k][4].faceNormal, v[k][3].faceNormal);
}

TEST_F(World, HeightAtClampsKeepOnGroundStopsAtTheWallsLiftsSlidesDownhillAndLetsFallOnlyWhenAsked) {
    field.size = 4; build(4, 4.0f, 4.0f); auto& v = mesh.vertices;
    v[0][0].position.y = 2, v[1][0].position.y = 4, v[0][1].position.y = 8, v[4][0].position.y = 9;
    const struct { float u, v, expected; } reads[] = {
        {0.125f, 0.125f, 2.0f + 0.5f * 2.0f + 0.5f * 6.0f}, {-3.0f, NAN, 2}, {1, 0, 9}, {5, -1, 9}};  // last column at 1
    for (const auto& r : reads) EXPECT_FLOAT_EQ(mesh.heightAt(r.u, r.v), r.expected) << r.u;
    mesh.columns = mesh.rows = 0;  // read as one cell
    EXPECT_FLOAT_EQ(mesh.heightAt(0.5f, 0.5f), 2.0f + 0.5f * 2.0f + 0.5f * 6.0f);

    for (int i = 0; i < 16; ++i) heights[i] = 0.1f * (i % 4);  // rising towards +x
    build(4, 4.0f, 4.0f);  // the square runs from -2 to 2
    SceneObject o; o.extent = Vec3(0.2f, 0.2f, 0.2f);
    for (float side : {1.0f, -1.0f}) {  // exactly on a z wall: not moved; in the air it gains the fall asked for
        o.position = Vec3(2.5f * side, 5.0f, 2.0f * side), o.velocity = Vec3(3.0f * side, 0.0f, 3.0f * side);
        mesh.keepOnGround(o, 0, 5.0f); expectVec(o.position, Vec3(2 * side, 5, 2 * side));
        expectVec(o.velocity, Vec3(-0.6f * side, -0.1f, 3 * side));
    }
    // Below the ground at the centre (0.2): lifted by half its height, pushed downhill (-x).
    o.position = o.velocity = Vec3(0, 0, 0); EXPECT_FLOAT_EQ(mesh.keepOnGround(o, 1), 0.1f);
    EXPECT_TRUE(mesh.probeHeight == 0.2f && o.position.y == 0.3f && o.velocity.z == 0.0f);
    EXPECT_NEAR(o.velocity.x, (0.196f - 0.204f) * 30.0f * 0.02f, 1e-6f);
}

TEST(ViewVolume, ExcludesOnlySpheresWhollyBeyondAPlane) {
    // An orthographic box of -2..2 in x and y and 1..5 in front of the eye (looking down -z), shifted right by 1.
    const float projection[16] = {0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, -0.5f, 0, 0, 0, -1.5f, 1};
    const float modelView[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1};
    ViewVolume view; view.set(projection, modelView);
    const struct { Vec3 centre; float radius; bool excluded; } cases[] = {
        {{0, 0, -3}, 0.1f, false},    {{1.05f, 0, -3}, 0.1f, false},  // inside; straddling x = 2 after the shift
        {{1.2f, 0, -3}, 0.1f, true},  {{-3.05f, 0, -3}, 0.1f, false}, // beyond x = 2; touching x = -2
        {{-3.2f, 0, -3}, 0.1f, true}, {{0, 2.09f, -3}, 0.1f, false},  {{0, -2.2f, -3}, 0.1f, true},
        {{0, 0, -0.95f}, 0.1f, false}, {{0, 0, -0.8f}, 0.1f, true},   // the near plane at z = -1
        {{0, 0, -5.05f}, 0.1f, false}, {{0, 0, -5.2f}, 0.1f, true},   // the far plane at z = -5
        {{0, 0, 3}, 0.1f, true},       {{9, 9, -3}, 20.0f, false},    // behind the eye; big enough to reach in
    };
    for (const auto& c : cases) EXPECT_EQ(view.excludes(c.centre, c.radius), c.excluded) << c.centre.x << " " << c.centre.z;
}

TEST_F(World, AFullPoolDropsEmissionsSilentlyAndTheIntervalHoldsEvenAfterAReset) {
    for (int i = 0; i < 100; ++i) ASSERT_EQ(ps->emit(0, 0, 0), i);
    frameClock.time = 2.0; EXPECT_EQ(ps->emit(0, 0, 0), -1);
    EXPECT_EQ(ps->particles[100].visible, 0) << "the spare slot stays unused";
    EXPECT_EQ(ps->lastEmitTime, 1.0);  // a dropped emission changes nothing
    EXPECT_EQ(nextFreeHint, 0); ps->reset(); ps->emitInterval = 0.1f;
    frameClock.time = 1.05; EXPECT_EQ(ps->emit(0, 0, 0), -1); nextFreeHint = 7;
    frameClock.time = 1.1000001;
    EXPECT_EQ(ps->emit(0, 0, 0), 7);  // the search starts at the hint
}

TEST_F(World, UpdateRampsSizeColourAndAlphaOverTheLifeAndThenEndsIt) {
    ps->lifetime = 2.0f; ps->endSize = 3.0f;
    ps->startColor[1] = ps->startColor[2] = ps->endColor[0] = ps->endColor[1] = ps->endAlpha = 0.0f;
    ps->gravity = Vec3(0, -10, 0); ps->velocity = Vec3(1, 0, 0); const Particle& p = ps->particles[ps->emit(1, 2, 3)];
    frameClock.time = 1.5; frameClock.dt = 0.5f; ps->update();
    const float got[6] = {p.radius, p.color.r, p.color.b, p.color.a, p.position.x, p.velocity.y};
    const float expected[6] = {1.5f, 0.75f, 0.25f, 0.75f, 1.5f, -5.0f};  // moved with the old velocity, then gravity
    for (int k = 0; k < 6; ++k) EXPECT_FLOAT_EQ(got[k], expected[k]) << k;
    frameClock.time = 3.0; frameClock.dt = 1.5f; ps->update();
    EXPECT_EQ(p.visible, 0); EXPECT_FLOAT_EQ(p.position.x, 1.5f);
}
