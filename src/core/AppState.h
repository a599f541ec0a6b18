// Program-wide flags shared by every subsystem.
#pragma once

class AppState {
public:
    virtual ~AppState() = default;

    char name[80] = {};
    int helpVisible = 0;
    int popupOpen = 0;
    int exiting = 0;           // a quit was requested; exitStartTime is valid only while this is set
    double exitStartTime = 0;  // realSeconds when the exit fade began
    float worldSize = 1.0f;
    int splinterState = 0;     // 0 off, 3 capture requested, 1 capturing, 2 showing
    int introDone = 0;
    int sceneIndex = -1;
    int introStep = 0;
    int soundEnabled = 1;
};
