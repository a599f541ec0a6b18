// The help page and the intro scene.
#pragma once

void drawHelpScreen();
void drawIntroScene();
