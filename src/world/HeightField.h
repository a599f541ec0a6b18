// The raw height grid of the landscape: the volcano cone on a rippled plain, cratered by eruptions.
#pragma once

class HeightField {
public:
    static constexpr int kMaxCells = 65536;

    virtual ~HeightField() = default;

    void setBuffers(float* heightBuffer, float* scratchBuffer);
    void generate(int shape, int gridSize, float scale, float offset);
    float sample(float u, float v) const;
    void crater(int cx, int cy, float diameter, float depth);

    int size = 128;
    float* heights = nullptr;
    float* scratch = nullptr;
};
