// The help page of key bindings and the intro scene's line-drawn logo.
#pragma once

class Texture;

// Drawn over the picture in the whole-window overlay projection.
void drawHelpScreen();
// The intro's sound: started on its first frame, then swept about and swelling; nothing with sound disabled.
void introSoundStep();
// Drawn in the 3D pass while the intro row of the scene table is showing; runs the intro's sound first.
void drawIntroScene(Texture& frameGradient, Texture& logoReflection);
