// Help page and intro scene drawing.
#include "ui/HelpScreen.h"

void drawHelpScreen() {}
void drawIntroScene() {}
