// Program-wide flags shared by every subsystem.
#pragma once

class AppState {
public:
    virtual ~AppState() = default;

    char name[80] = {};
    int helpVisible = 0;
    int popupOpen = 0;
    double exitStartTime = 0;  // realSeconds when the exit fade began; 0 while running
    float worldSize = 1.0f;
    int splinterState = 0;     // 0 off, 3 capture requested, 1 capturing, 2 showing
    int introDone = 0;
    int sceneIndex = -1;
    int introStep = 0;
    int soundEnabled = 1;
};
