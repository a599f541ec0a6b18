// The stack of popup dialogs drawn inside the GL picture.
#pragma once
#include "world/SceneObject.h"

class DialogStack : public SceneObject {
public:
    void buildDialogs(int a, int b);
    void buildPage(int page, int fromScratch);
    void run();
    void drawDialog();

    int rebuildRequest = 0;  // 1 refresh the values, 2 rebuild from scratch
    int currentPage = 0;
    float openLevel = 0.0f;
    float targetOpen = 0.0f;
    int savedCameraMode = 0;
};
