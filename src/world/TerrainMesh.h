// The renderable, collidable terrain grid resampled from the height field.
#pragma once
#include "scene/SceneObject.h"
#include <cstdint>

class HeightField;

struct TerrainVertex {
    Vec3 position;
    Vec3 normal{0, 1, 0};  // smoothed, used for drawing
    Vec3 faceNormal{0, 1, 0};
};

class TerrainMesh : public SceneObject {
public:
    static constexpr int kMaxGrid = 101;  // vertices per side, so at most 100 cells
    static constexpr int kMaxLayers = 4;

    TerrainMesh();

    void build(const HeightField& field);
    float heightAt(float u, float v) const;
    // Both components point downhill.
    void slopeAt(float u, float v, float& sx, float& sz) const;
    // Returns the object's height above the ground. An object in the air gains the downward speed
    // fall x dt (only the flying camera asks for it; bombs and lava have their own gravity).
    float keepOnGround(SceneObject& object, int slide, float fall = 0.0f);

    // Grid cells along x and z, held to what the fixed vertex storage can take.
    int cellsX() const;
    int cellsZ() const;

    int columns = 32;
    int rows = 32;
    TerrainVertex vertices[kMaxGrid][kMaxGrid];  // [column][row]
    uint8_t cellLayer[kMaxGrid][kMaxGrid] = {};
    uint8_t cellMask[kMaxGrid][kMaxGrid] = {};
    float textureOffset[2] = {0, 0};
    float probeHeight = 0;
    int layerCount = kMaxLayers;
    float layerHeights[kMaxLayers] = {0.01f, 0.05f, 0.6f, 100.0f};

private:
    void resample(const HeightField& field, int nx, int nz);
    void computeFaceNormals(int nx, int nz);
    void smoothNormals(int nx, int nz);
    void classifyCells(int nx, int nz);
    int cornerMask(int i, int j, float threshold) const;
};
