// An emitter with a fixed pool of particles: emission with jitter, ageing, ramps and the three drawing styles.
#pragma once
#include "world/Particle.h"

// The emission parameters, in the order the volcano's set-up tables list them.
struct ParticleParams {
    float lifetime = 1.0f;      // mean life in seconds
    float lifeJitter = 0;       // relative, plus or minus half of it
    float emitInterval = 0.1f;  // least time between two emissions
    float startSize = 1.0f;
    float endSize = 1.0f;
    float sizeJitter = 0;       // plus or minus, on both sizes
    Vec3 gravity{0, 0, 0};
    Vec3 velocityJitter{0, 0, 0};
    float spinJitter = 0;       // non-zero also turns textured particles into spinning quads
    float startColor[3] = {1, 1, 1};
    float endColor[3] = {1, 1, 1};
    float startAlpha = 1.0f;
    float endAlpha = 1.0f;
    float colorJitter = 0;      // plus or minus half of it per component
    float streakLength = 0;     // untextured only: 0 draws points, else lines along the velocity
    float texRect[4] = {0, 1, 0, 1};  // s0, s1, t0, t1
};

// Everything an owner sets to give a system its look and behaviour.
struct ParticleSetup {
    ParticleParams params;
    Vec3 velocity;  // mean emission velocity
    int blendSrc;
    int blendDst;
    float alphaRef;
};

// Uniform in [-range/2, range/2): the centred spread of emission colours, launch points and ash puffs.
float centredJitter(float range);
// A quad of the given half-size facing the camera, around the current origin; texture rectangle s0, s1, t0, t1.
void drawCameraFacingQuad(float halfSize, const float texRect[4]);
// The x and y axes of a quad turned by glRotatef about y, then x, then z (degrees), computed on the CPU.
void turnedQuadAxes(float yDegrees, float xDegrees, float zDegrees, Vec3& u, Vec3& v);

// Where the search for a free slot starts; shared by every system, any non-negative value is valid.
extern int nextFreeHint;

class ParticleSystem : public SceneObject, public ParticleParams {
public:
    static constexpr int kPoolSize = 101;

    ParticleSystem();

    void configure(const ParticleSetup& setup, Texture* image);
    // Returns the slot started, or -1 when none was.
    int emit(float x, float y, float z);
    void update() override;
    void draw() override;
    void reset();

    Particle particles[kPoolSize];
    int capacity = 100;
    double lastEmitTime = 0;
    double lastUpdateTime = -1;  // Clock time of the last update; negative before the first

private:
    // Anything beyond the rounding of the frame step means frames went by without an update.
    static constexpr double kLeastGap = 0.001;
    void resumeAfterGap(double previousFrame);
    int slotsInUse() const;
    int findFreeSlot() const;
    void drawPointOrStreak(const Particle& p) const;
    void addQuad(const Particle& p, const Vec3& u, const Vec3& v) const;
    void addFacingQuad(const Particle& p) const;
    void addSpinningQuad(const Particle& p, const Vec3& heldNormal) const;
};
