// The one object through which every subsystem reaches the shared program objects.
#pragma once

class Camera;
class RotorSet;
class KeyboardState;
class MouseState;
struct Prefs;
class SoundSystem;
class Screen;
class TextBox;
class Clock;
class AppState;

class AppContext {
public:
    virtual ~AppContext() = default;

    Camera* camera = nullptr;
    RotorSet* effectRotors = nullptr;
    KeyboardState* keyboard = nullptr;
    MouseState* mouse = nullptr;
    Prefs* prefs = nullptr;
    SoundSystem* sound = nullptr;
    Screen* screen = nullptr;
    TextBox* statusLine = nullptr;
    TextBox* infoText = nullptr;
    Clock* clock = nullptr;
    AppState* state = nullptr;
    // Asks an open dialog page to show the settings anew; for changes made outside the dialogs and keys.
    void (*settingsChanged)() = nullptr;
};

// Null until the one-time initialisation wires it.
extern AppContext* gApp;
