// Special keys, pointer and button events.
#pragma once

void specialHandler(int key, int x, int y);
void specialUpHandler(int key, int x, int y);
void mouseHandler(int button, int state, int x, int y);
void motionHandler(int x, int y);
void buttonsFrameStep();
