// The one door for input modifiers: GLUT's value inside a real callback, or the scripted value.
#pragma once

// Returns what glutGetModifiers would return for the event being handled.
int inputModifiers();
// While scripted events are delivered, handlers see these modifiers instead of GLUT's.
void setScriptedModifiers(int modifiers);
void clearScriptedModifiers();
