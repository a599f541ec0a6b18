// The camera: position and orientation, a decaying wander, and the view basis read back each frame.
#pragma once
#include "scene/SceneObject.h"

class RotorSet;

// The mode of the last view set up; -1 until the first.
extern int lastCameraMode;

class Camera : public SceneObject {
public:
    Camera();

    void wanderStep();
    void readBack();
    void toWorld(float& x, float& y, float& z) const;

    // Flight and view set-up per camera mode (CameraFlight.cpp).
    void flightStep();
    void viewSetup();
    void keyFlight();
    void thrust();
    // The GL-free parts of the modes: manual flight, mouse look, and the automatic angles and position.
    void manualFlight();
    void mouseLook();
    // Manual flight continues from the view on screen.
    void enterManual();
    void autoTurn();
    void autoPlace();

    float fov = 90.0f;
    float wanderStrength = 0;
    float wanderVelocity[3] = {0, 0, 0};
    float maxSpeed = 10.0f;
    float forward[3] = {0, 0, 0};
    float right[3] = {0, 0, 0};
    float up[3] = {0, 0, 0};
    float column2[3] = {0, 0, 0};
    float column0[3] = {0, 0, 0};
    float column1[3] = {0, 0, 0};
    float autoMoveRate = 10.0f;
    float autoTurnRate = 1.0f;
    float keySpeed = 0.02f;
    float autoRange[3] = {1, 1, 1};
    float autoCentre[3] = {0, 0, 0};
    float turnRange[3] = {360, 360, 360};
    float translation[3] = {0, 0, 0};
    float eyeOffset[3] = {0, 0, 0};
    float matrix[16] = {};
    RotorSet* moveRotors = nullptr;
    RotorSet* turnRotors = nullptr;
    // Keeps the camera above the ground (sliding down slopes when asked, gaining the fall while in the air); set
    // from above, where the terrain is known.
    void (*keepOnGround)(SceneObject& object, int slide, float fall) = nullptr;

private:
    void orbitView();
};
