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
class SceneObject;

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
    // For the layers below the camera and the text boxes: the camera as the object billboards turn to
    // face, and the status line as somewhere to send a message.
    const SceneObject* viewer = nullptr;
    void (*showStatus)(const char* message) = nullptr;
    // Asks an open dialog page to show the settings anew; for changes made outside the dialogs and keys.
    void (*settingsChanged)() = nullptr;
};

// Null until the one-time initialisation wires it.
extern AppContext* gApp;
