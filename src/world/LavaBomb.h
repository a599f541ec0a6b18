// A lava bomb: a small tumbling rock thrown by an eruption, with its optional smoke trail.
#pragma once
#include "world/ParticleSystem.h"

class TerrainMesh;

class LavaBomb : public SceneObject {
public:
    LavaBomb();

    // Throws the bomb from the summit; smoke, when given, is the trail's texture for about one bomb in three.
    void launch(Texture* smoke);
    // One frame of flight: gravity, motion, bouncing and rolling on the terrain, the trail.
    void fly(TerrainMesh& terrain);
    void drawRock() const;

    ParticleSystem trail;
};

// A faceted sphere; drawn only for 3 to 100 slices and stacks.
void drawRockSphere(float r, int slices, int stacks);
