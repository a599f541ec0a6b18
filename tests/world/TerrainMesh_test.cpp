// Terrain mesh: resampled positions, normals, layer classification and the ground queries.
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class TerrainMeshTest : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        prefs.groundHeight = 1.0f;
        frameClock.dt = 0.02f;
        field.setBuffers(heights.data(), scratch.data());
        field.size = 4;
    }
    // An n x n field read by an n x n mesh: vertex (i, j) gets exactly cell (i, j).
    void build(int n, float width, float depth) {
        field.size = mesh.columns = mesh.rows = n;
        mesh.radius = mesh.extent.x = width;
        mesh.extent.y = depth;
        mesh.build(field);
    }
    void fillCell(int i, int j, float a, float b, float c, float d) {
        heights[i + j * 4] = a;
        heights[i + 1 + j * 4] = b;
        heights[i + 1 + (j + 1) * 4] = c;
        heights[i + (j + 1) * 4] = d;
    }
    static void expectVec(const Vec3& v, const Vec3& e) {
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(v[k], e[k], 1e-5f) << k;
    }

    std::vector<float> heights = std::vector<float>(HeightField::kMaxCells), scratch = heights;
    HeightField field;
    TerrainMesh mesh;
};

}  // namespace

TEST_F(TerrainMeshTest, VerticesSpanTheExtentAndNormalsAverageFiveFacesInside) {
    for (int i = 0; i < 16; ++i) heights[i] = 0.5f;
    prefs.groundHeight = 2.0f;
    build(4, 8.0f, 6.0f);
    expectVec(mesh.vertices[0][0].position, {-4, 1, -3});
    expectVec(mesh.vertices[4][4].position, {4, 1, 3});
    expectVec(mesh.vertices[2][1].position, {0, 1, -1.5f});
    expectVec(mesh.vertices[1][2].faceNormal, {0, 1, 0});  // up on level ground

    // Four cells over an 8-wide field: vertex i reads column 2i, the far vertex column the last, a ridge.
    field.size = 8;
    mesh.columns = mesh.rows = 4;
    heights.assign(heights.size(), 0.0f);
    for (int r = 0; r < 8; ++r) heights[7 + r * 8] = 1.0f;
    mesh.build(field);
    const auto& v = mesh.vertices;
    EXPECT_LT(v[3][1].faceNormal.x, 0.0f) << "the last cell has a facet of its own";
    Vec3 sum = v[3][1].faceNormal + v[2][1].faceNormal + v[4][1].faceNormal + v[3][0].faceNormal + v[3][2].faceNormal;
    expectVec(v[3][1].normal, sum * 0.2f);  // not renormalised
    expectVec(v[0][1].normal, v[0][1].faceNormal);
    expectVec(v[4][1].normal, v[3][1].faceNormal);  // the far border closes the last cell
}

TEST_F(TerrainMeshTest, CellsTakeTheFirstLayerWithACornerAtOrBelowItsThreshold) {
    fillCell(0, 0, 0.01f, 0.01f, 0.01f, 0.01f);  // on the threshold is not above it
    fillCell(2, 0, 0.02f, 0.02f, 0.02f, 0.01f);
    fillCell(0, 2, 0.6f, 0.6f, 0.7f, 0.6f);
    fillCell(2, 2, 200.0f, 200.0f, 200.0f, 200.0f);
    build(4, 4.0f, 4.0f);
    const struct { int i, j, layer, mask; } cases[] = {
        {0, 0, 0, 0}, {2, 0, 0, 7}, {0, 2, 2, 4}, {2, 2, 3, 15}, {3, 0, 1, 0}};  // (3, 0): the last column
    for (const auto& c : cases) {
        EXPECT_EQ(mesh.cellLayer[c.i][c.j], c.layer) << c.i << "," << c.j;
        EXPECT_EQ(mesh.cellMask[c.i][c.j], c.mask) << c.i << "," << c.j;
    }
}

TEST_F(TerrainMeshTest, HeightAtClampsToTheBorderAndReadsTheLastColumnAtOne) {
    build(4, 4.0f, 4.0f);
    auto& v = mesh.vertices;
    v[0][0].position.y = 2;
    v[1][0].position.y = 4;
    v[0][1].position.y = 8;
    v[4][0].position.y = 9;
    EXPECT_FLOAT_EQ(mesh.heightAt(0.125f, 0.125f), 2.0f + 0.5f * 2.0f + 0.5f * 6.0f);
    EXPECT_FLOAT_EQ(mesh.heightAt(-3.0f, NAN), 2.0f);
    EXPECT_FLOAT_EQ(mesh.heightAt(1.0f, 0.0f), 9.0f);
    EXPECT_FLOAT_EQ(mesh.heightAt(5.0f, -1.0f), 9.0f);
}

TEST_F(TerrainMeshTest, KeepOnGroundStopsAtTheWallsLiftsSlidesDownhillAndLetsFallOnlyWhenAsked) {
    for (int i = 0; i < 16; ++i) heights[i] = 0.1f * (i % 4);  // rising towards +x
    build(4, 4.0f, 4.0f);  // the square runs from -2 to 2
    SceneObject o;
    o.extent = Vec3(0.2f, 0.2f, 0.2f);
    o.position = Vec3(2.5f, 5.0f, 2.0f);
    o.velocity = Vec3(3.0f, 0.0f, 3.0f);
    mesh.keepOnGround(o, 0, 5.0f);
    expectVec(o.position, {2, 5, 2});  // exactly on the z wall: not moved
    expectVec(o.velocity, {-0.6f, -0.1f, 3});  // in the air it gains the fall asked for
    // Below the ground at the centre (0.2): lifted by half its height, pushed downhill (-x).
    o.position = Vec3(0, 0, 0);
    o.velocity = Vec3(0, 0, 0);
    EXPECT_FLOAT_EQ(mesh.keepOnGround(o, 1), 0.1f);
    EXPECT_FLOAT_EQ(mesh.probeHeight, 0.2f);
    EXPECT_FLOAT_EQ(o.position.y, 0.3f);
    EXPECT_NEAR(o.velocity.x, (0.196f - 0.204f) * 30.0f * 0.02f, 1e-6f);
    EXPECT_EQ(o.velocity.z, 0.0f);
}
