// The ambient step of each frame: effect rotors, scene sequencer, random changes and ambient sounds.
#pragma once

void ambientStep();
