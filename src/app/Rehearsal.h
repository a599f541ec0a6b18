// Rehearsal of the volcano scene's drawing states during the intro, so that no later frame waits for a shader.
#pragma once

// A software GL driver compiles a shader the first time a combination of states is drawn, and the frame that
// does it stalls (the scene start, the first eruption, a new sky or cloud blend). During the intro each step
// draws one such combination clipped to an empty scissor box: no pixel and no program state changes.
void rehearseStep(int step);
// Runs the next step once it is due: one every 0.2 s of the intro from its second second on.
void rehearseDueStep();

constexpr int kRehearsalSteps = 36;
