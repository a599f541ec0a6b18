// Splinter and skip effects: layout, motion rules, the skip roll, and drawing from the captured texture.
#include "gfx/ScreenSplinter.h"
#include "core/AppContext.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/Random.h"
#include "core/Trace.h"
#include "gfx/Screen.h"
#include <cmath>

namespace {

using F = ScreenSplinter::Field;

constexpr int kMaxPieces = 60 * 60;
constexpr float kTwoPi = 6.2831854820251465f;

// One motion rule: target += step x (source, or the constant when there is none).
struct MotionRule {
    int bit;
    F target;
    int source;  // a Field, or -1 for the constant
    float constant;
};

// Per piece in this order; rule 0x1000 (shrinking) applies to all pieces at once.
const MotionRule kRules[12] = {
    {0x1, F::X, F::VX, 0},        {0x2, F::Y, F::VY, 0},         {0x4, F::Z, F::VZ, 0},
    {0x8, F::VX, -1, -1.0f},      {0x10, F::VX, -1, 1.0f},       {0x20, F::VY, -1, -1.0f},
    {0x40, F::VY, -1, 1.0f},      {0x80, F::VZ, -1, -0.5f},      {0x100, F::VZ, -1, 0.5f},
    {0x200, F::AngleX, F::SpinX, 0}, {0x400, F::AngleY, F::SpinY, 0}, {0x800, F::AngleZ, F::SpinZ, 0},
};
constexpr int kShrinkBit = 0x1000;

// The pieces go to GL as one vertex array: positions change every frame, texture coordinates with the grid.
float pieceVertices[kMaxPieces * 4 * 3];
float pieceTexCoords[kMaxPieces * 4 * 2];

// The window's pixels, and the same stretched to the texture, for windows smaller than it.
uint8_t windowPixels[ScreenSplinter::kCaptureSide * ScreenSplinter::kCaptureSide * 3];
uint8_t texturePixels[ScreenSplinter::kCaptureSide * ScreenSplinter::kCaptureSide * 3];

// Corner signs of a piece in drawing order: lower left, lower right, upper right, upper left.
const float kCorners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};

float windowAspect() {
    const Screen& s = *gApp->screen;
    return static_cast<float>(s.width) / static_cast<float>(s.height);
}

int gridSide() { return static_cast<int>(rnd(58.0f) + 2.0f); }

// Velocity on one axis: a random amplitude in [0.5, 1) of a random sine, the angle drawn first.
float launchVelocity(float scale) {
    float angle = rnd(kTwoPi);
    return (rnd(0.5f) + 0.5f) * std::sin(angle) * scale;
}

void endEffect() {
    gApp->state->splinterState = 0;
    tracef("splinter", "0");
}

}  // namespace

void stretchPixels(const uint8_t* source, int width, int height, uint8_t* target, int side) {
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const uint8_t* from = source + 3 * ((y * height / side) * width + x * width / side);
            uint8_t* to = target + 3 * (y * side + x);
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
}

void ScreenSplinter::captureFrame(int width, int height) {
    const int side = kCaptureSide;
    captureTexture.bind();
    if (width >= side && height >= side) {
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, side, side);
        return;
    }
    width = width < 1 ? 1 : (width > side ? side : width);
    height = height < 1 ? 1 : (height > side ? side : height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, windowPixels);
    stretchPixels(windowPixels, width, height, texturePixels, side);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, side, side, GL_RGB, GL_UNSIGNED_BYTE, texturePixels);
}

void ScreenSplinter::init() {
    captureTexture.makeTexture256(0, 0, 0.25f, 6);
    fillTexCoords();
}

void ScreenSplinter::prepare() {
    float r1 = rnd(1.0f);
    speed = rnd(1.0f) + 0.5f;
    pieceScale = 1.0f;
    if (skipPhase != 0.0f) {
        tracef("skip", "%s %+.0f", skipPhase >= 1.0f ? "horizontal" : "vertical", skipDirection);
        return;
    }
    float aspect = windowAspect();
    chooseGrid(r1);
    pieceWidth = aspect / static_cast<float>(columns);
    pieceHeight = 1.0f / static_cast<float>(rows);
    halfPieceWidth = pieceWidth / 2.0f;
    halfPieceHeight = pieceHeight / 2.0f;
    chooseRules();
    launchPieces(aspect);
    fillTexCoords();
    tracef("splinter-layout", "%dx%d rules %d speed %.2f", columns, rows, motionMask, speed);
}

void ScreenSplinter::chooseGrid(float r1) {
    if (r1 < 0.3f) {
        columns = rows = 1;
    } else if (r1 < 0.5f) {
        columns = rows = 60;
    } else if (r1 < 0.75f) {
        columns = rows = gridSide();
    } else {
        columns = gridSide();
        rows = gridSide();
    }
}

void ScreenSplinter::chooseRules() {
    if (rnd(1.0f) < 0.5f) {
        motionMask = static_cast<int>(rnd(8191.0f) + 1.0f);  // any non-empty combination of the 13 rules
        return;
    }
    // Moves on all three axes plus three pushes from rising ranges of rules; 0xE00 adds the spins.
    int m = 7;
    for (int base = 3; base <= 7; base += 2) m = static_cast<int>(m + std::pow(2.0f, rnd(2.0f) + base));
    motionMask = m + 0xE00;
}

void ScreenSplinter::launchPieces(float aspect) {
    for (int i = 0; i < columns; ++i)
        for (int j = 0; j < rows; ++j) {
            pieces[F::X][i][j] = i * pieceWidth + halfPieceWidth - aspect / 2.0f;
            pieces[F::Y][i][j] = j * pieceHeight + halfPieceHeight - 0.5f;
            pieces[F::Z][i][j] = 0.0f;
            pieces[F::VX][i][j] = launchVelocity(0.2f);
            pieces[F::VY][i][j] = launchVelocity(0.2f);
            pieces[F::VZ][i][j] = launchVelocity(0.1f);
            for (int angle = F::AngleX; angle <= F::AngleZ; angle += 2) {
                pieces[angle][i][j] = 0.0f;
                pieces[angle + 1][i][j] = rnd(200.0f) - 100.0f;
            }
        }
}

void ScreenSplinter::fillTexCoords() const {
    float* t = pieceTexCoords;
    const float du = 1.0f / static_cast<float>(columns), dv = 1.0f / static_cast<float>(rows);
    for (int i = 0; i < columns; ++i)
        for (int j = 0; j < rows; ++j)
            for (const auto& c : kCorners) {
                *t++ = i * du + (c[0] > 0 ? du : 0.0f);
                *t++ = j * dv + (c[1] > 0 ? dv : 0.0f);
            }
}

void ScreenSplinter::advancePieces(float dt) {
    const float step = dt * speed;
    if (motionMask & kShrinkBit) {
        pieceScale -= dt * 0.25f;
        if (pieceScale < 0.0f) pieceScale = 0.0f;
    }
    // Pieces are independent, so applying each rule to all of them in turn keeps every piece's rule order.
    for (const MotionRule& rule : kRules) {
        if (!(motionMask & rule.bit)) continue;
        for (int i = 0; i < columns; ++i) {
            float* target = pieces[rule.target][i];
            const float* source = rule.source >= 0 ? pieces[rule.source][i] : nullptr;
            for (int j = 0; j < rows; ++j) target[j] += step * (source ? source[j] : rule.constant);
        }
    }
}

int ScreenSplinter::buildPieceVertices(float* vertices) const {
    const float hw = halfPieceWidth * pieceScale, hh = halfPieceHeight * pieceScale;
    constexpr float kRadians = 3.14159265358979f / 180.0f;
    float* v = vertices;
    for (int i = 0; i < columns; ++i)
        for (int j = 0; j < rows; ++j) {
            // The rotations about x, then y, then z of the piece's own frame, as glRotatef would stack them;
            // a corner lies in that frame's z = 0 plane, so only the first two matrix columns are needed.
            float ax = pieces[F::AngleX][i][j] * kRadians, ay = pieces[F::AngleY][i][j] * kRadians,
                  az = pieces[F::AngleZ][i][j] * kRadians;
            float sx = std::sin(ax), cx = std::cos(ax), sy = std::sin(ay), cy = std::cos(ay), sz = std::sin(az),
                  cz = std::cos(az);
            const float colX[3] = {cy * cz, cx * sz + sx * sy * cz, sx * sz - cx * sy * cz};
            const float colY[3] = {-cy * sz, cx * cz - sx * sy * sz, sx * cz + cx * sy * sz};
            const float centre[3] = {pieces[F::X][i][j], pieces[F::Y][i][j], pieces[F::Z][i][j]};
            for (const auto& c : kCorners) {
                float px = c[0] * hw, py = c[1] * hh;
                for (int k = 0; k < 3; ++k) *v++ = centre[k] + colX[k] * px + colY[k] * py;
            }
        }
    return static_cast<int>(v - vertices) / 3;
}

void ScreenSplinter::advanceSkip(float dt) {
    const bool horizontal = skipPhase >= 1.0f;
    skipPhase += 2.0f * dt;
    if (skipPhase < (horizontal ? 2.0f : 1.0f)) return;
    // Each full roll ends the skip with even chance, or starts another roll the same way.
    if (rnd(1.0f) < 0.5f) {
        skipPhase = 0.0f;
        endEffect();
    } else {
        skipPhase = horizontal ? 1.01f : 0.01f;
    }
}

void ScreenSplinter::drawPieces() {
    const float dt = gApp->clock->dt;
    glColor4f(1, 1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    captureTexture.bind();
    if (skipPhase != 0.0f) {
        advanceSkip(dt);
        drawSkip();
    } else {
        advancePieces(dt);
        int count = buildPieceVertices(pieceVertices);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, pieceVertices);
        glTexCoordPointer(2, GL_FLOAT, 0, pieceTexCoords);
        glDrawArrays(GL_QUADS, 0, count);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    glDisable(GL_TEXTURE_2D);
}

void ScreenSplinter::drawSkip() const {
    const float a = windowAspect(), offset = skipPhase * skipDirection;
    // The texture repeats, so shifting its coordinates rolls the picture round.
    const bool vertical = skipPhase <= 1.0f;
    const float s = vertical ? 0.0f : offset, t = vertical ? offset : 0.0f;
    glPushMatrix();
    glTranslatef(-a / 2.0f, -0.5f, 0.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(s, t);
    glVertex2f(0, 0);
    glTexCoord2f(s + 1, t);
    glVertex2f(a, 0);
    glTexCoord2f(s + 1, t + 1);
    glVertex2f(a, 1);
    glTexCoord2f(s, t + 1);
    glVertex2f(0, 1);
    glEnd();
    glPopMatrix();
}
