// The start-up and shutdown sequence.
#pragma once

void initPref();
void initGL();
void initOnce();
void initVars();
void shutdown();
// Points the application context at the global objects (also used by tests without a window).
void wireAppContext();
