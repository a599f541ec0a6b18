// Terrain layer and cloud passes.
#include "world/TerrainPasses.h"

int multiPassCloudShadow = 1;

void drawLayers(Volcano&) {}
void drawClouds(Volcano&) {}
