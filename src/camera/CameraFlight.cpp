// Camera modes: automatic orbits, manual flight, hold; and the camera debug readout.
#include "camera/Camera.h"

void Camera::flightStep() { viewSetup(); }
void Camera::viewSetup() {}
void Camera::keyFlight() {}
void Camera::thrust() {}
void Camera::debugReadout() {}
