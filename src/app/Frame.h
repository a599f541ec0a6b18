// The per-frame function, the scene render, the world draw and the reshape handler.
#pragma once

void displayFrame();
void renderScene(float aspect);
void worldDraw();
void volcanoSceneDraw();
void reshapeHandler(int w, int h);
void checkGlError();
// Runs the shutdown sequence, destroys the window and exits with code 0.
[[noreturn]] void exitProgram();

extern int glErrorCount;
