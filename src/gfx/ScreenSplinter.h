// The splinter burst and picture skip effects built from a captured frame.
#pragma once
#include "scene/SceneObject.h"
#include "scene/Texture.h"
#include <cstdint>

// Nearest-pixel stretch of a width x height RGB picture over a side x side one.
void stretchPixels(const uint8_t* source, int width, int height, uint8_t* target, int side);

class ScreenSplinter : public SceneObject {
public:
    static constexpr int kMaxGrid = 61;  // 60 x 60 pieces at most, one spare row and column
    static constexpr int kCaptureSide = 256;

    // The per-piece values, each a [column][row] array of floats.
    enum Field { X, Y, Z, VX, VY, VZ, AngleX, SpinX, AngleY, SpinY, AngleZ, SpinZ, kFieldCount };

    void init();
    // Chooses the grid, the motion rules and every piece's motion; a skip keeps the previous layout.
    void prepare();
    // One frame of the showing effect: advances it, then draws the pieces or the skip.
    void drawPieces();

    // Copies the lower left width x height pixels of the frame buffer into the capture texture, stretched over
    // all of it when the window is smaller than the texture: nothing outside the window is read.
    void captureFrame(int width, int height);

    // Frame-step logic apart from drawing.
    void advancePieces(float dt);
    void advanceSkip(float dt);
    // Fills the vertex array with the pieces as they stand; returns the number of vertices.
    int buildPieceVertices(float* vertices) const;

    int motionMask = 128;
    int columns = 1;
    int rows = 1;
    float skipPhase = 0.0f;  // 0 splinter; in (0, 1) vertical skip; 1 or more horizontal skip
    float skipDirection = 1.0f;
    float pieceWidth = 1.0f, pieceHeight = 1.0f;
    float halfPieceWidth = 0.5f, halfPieceHeight = 0.5f;
    float pieceScale = 1.0f;
    float speed = 1.0f;
    Texture captureTexture;
    float pieces[kFieldCount][kMaxGrid][kMaxGrid] = {};

private:
    void chooseGrid(float r1);
    void chooseRules();
    void launchPieces(float aspect);
    void fillTexCoords() const;
    void drawSkip() const;
};
