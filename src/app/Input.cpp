// Modifier source for the input handlers.
#include "app/Input.h"
#include <GL/freeglut.h>

static int scriptedModifiers = -1;

int inputModifiers() { return scriptedModifiers >= 0 ? scriptedModifiers : glutGetModifiers(); }
void setScriptedModifiers(int modifiers) { scriptedModifiers = modifiers; }
void clearScriptedModifiers() { scriptedModifiers = -1; }
