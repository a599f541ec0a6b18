// The pointer (the base position's x and y), the mouse buttons and the window centre the pointer is kept at.
#pragma once
#include "scene/SceneObject.h"

class MouseState : public SceneObject {
public:
    int warpX = 450;
    int warpY = 450;
    int moved = 0;
    int leftButton = 0;  // 0 up, 1 pressed this frame, 2 held, 3 released this frame
    int middleButton = 0;
    int rightButton = 0;
    int releasePending = 0;  // bit per button (1 << GLUT button): released in the frame of its press
    float normX = 0;
    float normY = 0;
};
