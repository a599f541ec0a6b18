// The letter and symbol key commands.
#pragma once

void keyboardHandler(unsigned char key, int x, int y);
// A key's command and the after-key step, as a press runs them; the popup's widgets use it for the commands
// they share with a key.
void runKeyCommand(unsigned char key);
void afterKey(int k);
// Reads Alt, Ctrl and Shift of the event being handled into the keyboard state.
void recordModifiers();
// Multiplies a setting and shows its new value with the given format.
void scaleSetting(float& value, float factor, const char* format);
// Flips a flag and shows the message for its new state.
void toggleSetting(int& value, const char* on, const char* off);
// Back to the intro scene, with its sound from the start.
void replayIntro();
// Loads the preferences file and puts what it holds in force; false (nothing changed but the message) on failure.
bool reloadPrefs();

extern int letterboxCounter;
