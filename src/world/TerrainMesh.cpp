// Terrain mesh build and ground queries.
#include "world/TerrainMesh.h"

TerrainMesh::TerrainMesh() {
    radius = 1000.0f;
    extent = Vec3(1000, 1000, 1000);
    alphaTest = 0;
    blend = 0;
}

void TerrainMesh::build(const HeightField&) {}
float TerrainMesh::heightAt(float, float) const { return 0.0f; }
float TerrainMesh::keepOnGround(SceneObject& object, int) { return object.position.y; }
