// Keyboard state and the letter and symbol key commands.
#pragma once

class KeyboardState {
public:
    virtual ~KeyboardState() = default;

    int key = 0;
    int specialKey = 0;
    int alt = 0;
    int ctrl = 0;
    int shift = 0;
    int arrows = 0;  // bit set of held flight keys
};

void keyboardHandler(unsigned char key, int x, int y);
// A key's command and the after-key step, as a press runs them; the popup's widgets use it for the commands
// they share with a key.
void runKeyCommand(unsigned char key);
void afterKey(int k);
void applyPolygonMode();
// Reads Alt, Ctrl and Shift of the event being handled into the keyboard state.
void recordModifiers();
// Multiplies a setting and shows its new value with the given format.
void scaleSetting(float& value, float factor, const char* format);
// Flips a flag and shows the message for its new state.
void toggleSetting(int& value, const char* on, const char* off);
// Back to the intro scene, with its sound from the start.
void replayIntro();

extern int letterboxCounter;
extern float lastGroundHeight;
