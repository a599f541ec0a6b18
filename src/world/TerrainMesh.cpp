// Terrain mesh build and ground queries.
#include "world/TerrainMesh.h"
#include "core/AppContext.h"
#include "core/Clock.h"
#include "core/Prefs.h"
#include "world/HeightField.h"
#include <algorithm>

namespace {

// Clamps to [0, 1]; NaN reads the border at 0.
float clampUnit(float u) {
    if (!(u > 0.0f)) return 0.0f;
    return u > 1.0f ? 1.0f : u;
}

// Walls keep an object inside [-half, half]; one exactly on the wall is not moved.
void bounceOffWall(float& coordinate, float& speed, float half) {
    if (coordinate < -half) {
        coordinate = -half;
        speed *= -0.2f;
    } else if (coordinate > half) {
        coordinate = half;
        speed *= -0.2f;
    }
}

}  // namespace

TerrainMesh::TerrainMesh() {
    radius = 1000.0f;
    extent = Vec3(1000, 1000, 1000);
    alphaTest = 0;
    blend = 0;
}

int TerrainMesh::cellsX() const { return std::clamp(columns, 1, kMaxGrid - 1); }
int TerrainMesh::cellsZ() const { return std::clamp(rows, 1, kMaxGrid - 1); }

void TerrainMesh::build(const HeightField& field) {
    int nx = cellsX(), nz = cellsZ();
    resample(field, nx, nz);
    computeFaceNormals(nx, nz);
    smoothNormals(nx, nz);
    classifyCells(nx, nz);
}

void TerrainMesh::resample(const HeightField& field, int nx, int nz) {
    float groundHeight = gApp->prefs->groundHeight;
    for (int j = 0; j <= nz; ++j) {
        for (int i = 0; i <= nx; ++i) {
            float u = static_cast<float>(i) / nx, v = static_cast<float>(j) / nz;
            TerrainVertex& vertex = vertices[i][j];
            vertex.position = Vec3((u - 0.5f) * extent.x, field.sample(u, v) * groundHeight, (v - 0.5f) * extent.y);
            vertex.normal = Vec3(0, 1, 0);
        }
    }
}

// Every cell gets its own facet; the far vertex row and column, which close the last cells, take the
// facet of the cell before them.
void TerrainMesh::computeFaceNormals(int nx, int nz) {
    for (int j = 0; j < nz; ++j) {
        for (int i = 0; i < nx; ++i) {
            const Vec3& p = vertices[i][j].position;
            Vec3 n = cross(vertices[i][j + 1].position - p, vertices[i + 1][j].position - p);
            float len = n.length();
            // A flattened mesh (zero extent) has no facet direction: keep the last one.
            if (len > 0.0f) vertices[i][j].faceNormal = n * (1.0f / len);
        }
    }
    for (int i = 0; i < nx; ++i) vertices[i][nz].faceNormal = vertices[i][nz - 1].faceNormal;
    for (int j = 0; j <= nz; ++j) vertices[nx][j].faceNormal = vertices[nx - 1][j].faceNormal;
}

void TerrainMesh::smoothNormals(int nx, int nz) {
    for (int j = 0; j <= nz; ++j) {
        for (int i = 0; i <= nx; ++i) {
            TerrainVertex& vertex = vertices[i][j];
            bool interior = i >= 1 && i < nx && j >= 1 && j < nz;
            if (!interior) {
                vertex.normal = vertex.faceNormal;
                continue;
            }
            // Averaged without renormalising, so creases shade a little darker.
            Vec3 sum = vertex.faceNormal + vertices[i - 1][j].faceNormal + vertices[i + 1][j].faceNormal +
                       vertices[i][j - 1].faceNormal + vertices[i][j + 1].faceNormal;
            vertex.normal = sum * (1.0f / 5.0f);
        }
    }
}

int TerrainMesh::cornerMask(int i, int j, float threshold) const {
    int mask = 0;
    if (vertices[i][j].position.y > threshold) mask |= 1;
    if (vertices[i + 1][j].position.y > threshold) mask |= 2;
    if (vertices[i + 1][j + 1].position.y > threshold) mask |= 4;
    if (vertices[i][j + 1].position.y > threshold) mask |= 8;
    return mask;
}

void TerrainMesh::classifyCells(int nx, int nz) {
    int layers = std::clamp(layerCount, 1, kMaxLayers);
    for (int j = 0; j < nz; ++j) {
        for (int i = 0; i < nx; ++i) {
            // The first layer with a corner at or below its threshold owns the cell.
            for (int k = 0; k < layers; ++k) {
                int mask = cornerMask(i, j, layerHeights[k]);
                cellLayer[i][j] = static_cast<uint8_t>(k);
                cellMask[i][j] = static_cast<uint8_t>(mask);
                if (mask != 15) break;
            }
        }
    }
}

float TerrainMesh::heightAt(float u, float v) const {
    int nx = cellsX(), nz = cellsZ();
    float x = nx * clampUnit(u), z = nz * clampUnit(v);
    int gi = static_cast<int>(x), gj = static_cast<int>(z);
    float fi = x - gi, fj = z - gj;
    float h00 = vertices[gi][gj].position.y;
    float h10 = vertices[std::min(gi + 1, nx)][gj].position.y;
    float h01 = vertices[gi][std::min(gj + 1, nz)].position.y;
    return h00 + (h10 - h00) * fi + (h01 - h00) * fj;
}

void TerrainMesh::slopeAt(float u, float v, float& sx, float& sz) const {
    sx = heightAt(u - 0.01f, v) - heightAt(u + 0.01f, v);
    sz = heightAt(u, v - 0.01f) - heightAt(u, v + 0.01f);
}

float TerrainMesh::keepOnGround(SceneObject& object, int slide, float fall) {
    const Prefs& prefs = *gApp->prefs;
    float dt = gApp->clock->dt;
    float half = radius * 0.5f;
    Vec3& p = object.position;
    Vec3& vel = object.velocity;
    bounceOffWall(p.x, vel.x, half);
    bounceOffWall(p.z, vel.z, half);
    float u = (half + p.x) / extent.x, v = (half + p.z) / extent.y;
    probeHeight = heightAt(u, v);
    float sx = 0, sz = 0;
    if (slide) slopeAt(u, v, sx, sz);
    float bottom = p.y - 0.5f * object.extent.y;
    if (probeHeight > bottom) {
        p.y = probeHeight + 0.5f * object.extent.y;
        if (slide) {
            float push = 30.0f * dt / prefs.groundHeight;
            vel.x += sx * push;
            vel.z += sz * push;
        }
    } else if (probeHeight < bottom) {
        vel.y -= fall * dt;
    }
    return p.y - probeHeight;
}
