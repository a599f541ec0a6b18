// The renderable, collidable terrain grid resampled from the height field.
#pragma once
#include "world/SceneObject.h"

class HeightField;

class TerrainMesh : public SceneObject {
public:
    TerrainMesh();

    void build(const HeightField& field);
    float heightAt(float u, float v) const;
    float keepOnGround(SceneObject& object, int slide);

    int columns = 32;
    int rows = 32;
    float textureOffset[2] = {0, 0};
};
