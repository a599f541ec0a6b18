// A particle starts free; its system brings it to life.
#include "world/Particle.h"

Particle::Particle() { visible = 0; }
