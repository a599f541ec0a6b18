// Terrain mesh: resampled positions, normals, layer classification and the ground queries.
#include "app/Globals.h"
#include "core/Random.h"
#include "support/TestSupport.h"
#include "world/HeightField.h"
#include "world/TerrainMesh.h"
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

class TerrainMeshTest : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        prefs.groundHeight = 1.0f;
        prefs.cameraMode = 0;
        frameClock.dt = 0.02f;
        heights.assign(HeightField::kMaxCells, 0.0f);
        scratch.assign(HeightField::kMaxCells, 0.0f);
        field.setBuffers(heights.data(), scratch.data());
    }
    // An n x n field read back by an n x n mesh: vertex (i, j) gets exactly cell (i, j).
    void buildGrid(int n, float width, float depth) {
        field.size = n;
        mesh.columns = mesh.rows = n;
        mesh.radius = width;
        mesh.extent.x = width;
        mesh.extent.y = depth;
        mesh.build(field);
    }
    void setCell(int c, int r, float h) { heights[c + r * field.size] = h; }
    void fillCell(int i, int j, float a, float b, float c, float d) {
        setCell(i, j, a);
        setCell(i + 1, j, b);
        setCell(i + 1, j + 1, c);
        setCell(i, j + 1, d);
    }

    std::vector<float> heights, scratch;
    HeightField field;
    TerrainMesh mesh;
};

void expectVec(const Vec3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

}  // namespace

TEST_F(TerrainMeshTest, VerticesSpanTheExtentAtTheScaledHeight) {
    for (int i = 0; i < 16; ++i) heights[i] = 0.5f;
    prefs.groundHeight = 2.0f;
    buildGrid(4, 8.0f, 6.0f);
    expectVec(mesh.vertices[0][0].position, -4.0f, 1.0f, -3.0f);
    expectVec(mesh.vertices[4][4].position, 4.0f, 1.0f, 3.0f);
    expectVec(mesh.vertices[2][1].position, 0.0f, 1.0f, -1.5f);
}

TEST_F(TerrainMeshTest, NormalsPointUpOnLevelGroundAndAverageFiveFacesInside) {
    buildGrid(8, 8.0f, 8.0f);
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8; ++j) expectVec(mesh.vertices[i][j].faceNormal, 0, 1, 0);

    // A ridge along x = column 4 gives facets leaning both ways.
    for (int r = 0; r < 8; ++r) setCell(4, r, 1.0f);
    mesh.build(field);
    const auto& v = mesh.vertices;
    Vec3 left = v[3][3].faceNormal, right = v[4][3].faceNormal;
    EXPECT_LT(left.x, 0.0f);  // rising towards +x leans the facet back
    EXPECT_GT(right.x, 0.0f);
    EXPECT_NEAR(left.length(), 1.0f, 1e-5f);
    Vec3 sum = v[4][3].faceNormal + v[3][3].faceNormal + v[5][3].faceNormal + v[4][2].faceNormal + v[4][4].faceNormal;
    expectVec(v[4][3].normal, sum.x / 5, sum.y / 5, sum.z / 5);
    EXPECT_LT(v[4][3].normal.length(), 0.99f);  // not renormalised
    // Border vertices keep their own facet; the extra last row and column stay straight up.
    expectVec(v[0][3].normal, v[0][3].faceNormal.x, v[0][3].faceNormal.y, v[0][3].faceNormal.z);
    expectVec(v[3][7].faceNormal, v[3][6].faceNormal.x, v[3][6].faceNormal.y, v[3][6].faceNormal.z);
    expectVec(v[7][3].faceNormal, v[6][3].faceNormal.x, v[6][3].faceNormal.y, v[6][3].faceNormal.z);
    expectVec(v[8][3].normal, 0, 1, 0);
    expectVec(v[3][8].normal, 0, 1, 0);
}

TEST_F(TerrainMeshTest, CellsTakeTheFirstLayerWithACornerAtOrBelowItsThreshold) {
    field.size = 4;
    // Four cells that share no corner.
    fillCell(0, 0, 0.01f, 0.01f, 0.01f, 0.01f);  // exactly on the threshold: not above
    fillCell(2, 0, 0.02f, 0.02f, 0.02f, 0.01f);
    fillCell(0, 2, 0.6f, 0.6f, 0.7f, 0.6f);
    fillCell(2, 2, 200.0f, 200.0f, 200.0f, 200.0f);
    buildGrid(4, 4.0f, 4.0f);
    struct Case { int i, j, layer, mask; };
    const Case cases[] = {{0, 0, 0, 0}, {2, 0, 0, 7}, {0, 2, 2, 4}, {2, 2, 3, 15}};
    for (const Case& c : cases) {
        EXPECT_EQ(mesh.cellLayer[c.i][c.j], c.layer) << c.i << "," << c.j;
        EXPECT_EQ(mesh.cellMask[c.i][c.j], c.mask) << c.i << "," << c.j;
    }
}

TEST_F(TerrainMeshTest, HeightAtClampsToTheBorderAndReadsTheLastColumnAtOne) {
    buildGrid(4, 4.0f, 4.0f);
    mesh.vertices[0][0].position.y = 2.0f;
    mesh.vertices[1][0].position.y = 4.0f;
    mesh.vertices[0][1].position.y = 8.0f;
    mesh.vertices[4][0].position.y = 9.0f;
    mesh.vertices[4][4].position.y = 7.0f;
    EXPECT_FLOAT_EQ(mesh.heightAt(0.0f, 0.0f), 2.0f);
    EXPECT_FLOAT_EQ(mesh.heightAt(-3.0f, -0.5f), 2.0f);
    EXPECT_FLOAT_EQ(mesh.heightAt(NAN, 0.0f), 2.0f);
    EXPECT_FLOAT_EQ(mesh.heightAt(0.125f, 0.125f), 2.0f + 0.5f * 2.0f + 0.5f * 6.0f);
    EXPECT_FLOAT_EQ(mesh.heightAt(1.0f, 0.0f), 9.0f);
    EXPECT_FLOAT_EQ(mesh.heightAt(5.0f, 3.0f), 7.0f);
}

TEST_F(TerrainMeshTest, WallsStopObjectsAndReverseAFifthOfTheirSpeed) {
    buildGrid(4, 2.0f, 2.0f);  // the square runs from -1 to 1
    SceneObject o;
    o.extent = Vec3(0.2f, 0.2f, 0.2f);
    o.position = Vec3(1.5f, 1.0f, -1.25f);
    o.velocity = Vec3(3.0f, 0.0f, -2.0f);
    mesh.keepOnGround(o, 0);
    EXPECT_FLOAT_EQ(o.position.x, 1.0f);
    EXPECT_FLOAT_EQ(o.velocity.x, -0.6f);
    EXPECT_FLOAT_EQ(o.position.z, -1.0f);
    EXPECT_FLOAT_EQ(o.velocity.z, 0.4f);
    // Exactly on the wall is not moved and keeps its velocity.
    o.position = Vec3(1.0f, 1.0f, -1.0f);
    o.velocity = Vec3(3.0f, 0.0f, -2.0f);
    mesh.keepOnGround(o, 0);
    EXPECT_FLOAT_EQ(o.position.x, 1.0f);
    EXPECT_FLOAT_EQ(o.velocity.x, 3.0f);
    EXPECT_FLOAT_EQ(o.velocity.z, -2.0f);
}

TEST_F(TerrainMeshTest, ObjectsBelowTheGroundAreLiftedAndSlideDownhill) {
    field.size = 4;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) setCell(c, r, 0.1f * c);  // rising towards +x
    buildGrid(4, 4.0f, 4.0f);
    SceneObject o;
    o.extent = Vec3(0.2f, 0.2f, 0.2f);
    o.position = Vec3(0.0f, 0.0f, 0.0f);
    o.velocity = Vec3(0, 0, 0);
    // At the centre the ground is 0.2; the bottom sits at -0.1.
    float above = mesh.keepOnGround(o, 1);
    EXPECT_FLOAT_EQ(mesh.probeHeight, 0.2f);
    EXPECT_FLOAT_EQ(o.position.y, 0.3f);
    EXPECT_FLOAT_EQ(above, 0.1f);
    // slope x = height(0.49) - height(0.51) = -0.008, times 30 dt / groundHeight
    EXPECT_NEAR(o.velocity.x, -0.008f * 30.0f * 0.02f, 1e-6f);
    EXPECT_NEAR(o.velocity.z, 0.0f, 1e-7f);
    // Without the slide flag it is lifted only.
    o.position.y = 0.0f;
    o.velocity = Vec3(0, 0, 0);
    mesh.keepOnGround(o, 0);
    EXPECT_FLOAT_EQ(o.position.y, 0.3f);
    EXPECT_EQ(o.velocity.x, 0.0f);
}

TEST_F(TerrainMeshTest, ObjectsInTheAirFallOnlyInTheRunningManualMode) {
    buildGrid(4, 4.0f, 4.0f);
    struct Case { int cameraMode, paused; float expectedVy; };
    const Case cases[] = {{1, 0, -0.1f}, {1, 1, 0.0f}, {3, 0, 0.0f}};
    for (const Case& c : cases) {
        prefs.cameraMode = c.cameraMode;
        prefs.paused = c.paused;
        SceneObject o;
        o.position = Vec3(0, 2.0f, 0);
        o.velocity = Vec3(0, 0, 0);
        float above = mesh.keepOnGround(o, 1);
        EXPECT_FLOAT_EQ(above, 2.0f);
        EXPECT_FLOAT_EQ(o.position.y, 2.0f);
        EXPECT_FLOAT_EQ(o.velocity.y, c.expectedVy) << c.cameraMode << " " << c.paused;
    }
}

TEST_F(TerrainMeshTest, TheRealConeHasAllFourLayers) {
    rndSeed(7);
    field.generate(2, 128, 0.05f, 0.0f);
    mesh.columns = mesh.rows = 30;
    mesh.radius = mesh.extent.x = mesh.extent.y = 8.0f;
    mesh.build(field);
    int counts[4] = {0, 0, 0, 0};
    for (int j = 0; j < 29; ++j)
        for (int i = 0; i < 29; ++i) counts[mesh.cellLayer[i][j]] += 1;
    for (int k = 0; k < 4; ++k) EXPECT_GT(counts[k], 0) << "layer " << k;
    EXPECT_EQ(mesh.cellLayer[14][14], 3);  // the summit
    EXPECT_EQ(mesh.cellLayer[0][0], 0);    // the low corners lie under water
}
