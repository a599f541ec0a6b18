// Tells whether an X display can be opened, before GLUT would fail on it.
#pragma once

bool displayAvailable();
