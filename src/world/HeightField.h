// The raw height grid of the landscape: the volcano cone on a rippled plain, cratered by eruptions.
#pragma once

class HeightField {
public:
    static constexpr int kMaxCells = 65536;
    static constexpr int kConeShape = 2;

    virtual ~HeightField() = default;

    void setBuffers(float* heightBuffer, float* scratchBuffer);
    void generate(int shape, int gridSize, float scale, float offset);
    float sample(float u, float v) const;
    void crater(int cx, int cy, float diameter, float depth);

    int size = 128;
    float* heights = nullptr;
    float* scratch = nullptr;

private:
    // Index of grid column c, row r after mirroring both axes, as generate and crater store them.
    int mirroredIndex(int c, int r) const { return (size - 1 - c) + (size - 1 - r) * size; }
    float heightAtIndex(int index) const;
    void store(int index, float value);
};
