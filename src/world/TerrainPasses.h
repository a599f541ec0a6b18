// The terrain drawing passes: soft-edged height layers and the drifting cloud shadow.
#pragma once

class TerrainMesh;
class Volcano;

// Switched by the scene options page; not a saved preference.
extern int multiPassCloudShadow;

void drawLayers(Volcano& volcano);
void drawClouds(Volcano& volcano);

// Mesh primitives over every cell, rows outer, one GL_QUADS batch each.
void drawLayerCells(const TerrainMesh& mesh, int layer);
// Cells of the layer with some corner above its threshold; each corner opaque when its mask bit is set.
void drawLayerEdges(const TerrainMesh& mesh, int layer);
void drawAllCells(const TerrainMesh& mesh);
