// The per-frame function, the scene render, the world draw and the reshape handler.
#pragma once

void displayFrame();
// withPopup false: the picture alone, as the splinter capture takes it; the popup is neither drawn into it
// nor handed the frame's input, which the frame's own picture then uses once.
void renderScene(float aspect, bool withPopup = true);
void worldDraw();
void volcanoSceneDraw();
void reshapeHandler(int w, int h);
void checkGlError();
// Runs the shutdown sequence, destroys the window and exits with code 0.
[[noreturn]] void exitProgram();

extern int glErrorCount;
