// The help page of key bindings and the intro scene's line-drawn logo.
#pragma once

class Texture;

// Drawn over the picture in the whole-window overlay projection.
void drawHelpScreen();
// Drawn in the 3D pass while the intro row of the scene table is showing.
void drawIntroScene(Texture& frameGradient, Texture& logoReflection);
