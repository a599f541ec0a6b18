// Height field generation, sampling and cratering.
#include "world/HeightField.h"

void HeightField::setBuffers(float* heightBuffer, float* scratchBuffer) {
    heights = heightBuffer;
    scratch = scratchBuffer;
}

void HeightField::generate(int, int gridSize, float, float) { size = gridSize; }
float HeightField::sample(float, float) const { return 0.0f; }
void HeightField::crater(int, int, float, float) {}
