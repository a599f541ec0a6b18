// The automation layer: fixed time steps, scripted input, screenshots, frame limits, trace and benchmark.
#pragma once
#include "app/Options.h"

// Sets up the layer from the options; returns an error message (empty on success).
// end ends the program when the run is over (frame limit or benchmark reached).
std::string startAutomation(const Options& options, void (*end)());
// Elapsed milliseconds for the clock: GLUT's counter, or frame x step with a fixed step, each from the
// clock start and wrapped as the 32-bit counter wraps.
int elapsedMillis();
int clockStartMillis();
long currentFrame();
// True when an input script, and not the keyboard and mouse, drives the run.
bool inputScripted();
// Around each display: before it, after it (before the swap), after the swap.
void beforeFrame();
void beforeSwap();
void afterSwap();
// Saves the --screenshot file from the back buffer, if one was asked for.
void saveFinalScreenshot();
void finishAutomation();
