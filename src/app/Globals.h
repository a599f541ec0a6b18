// The program's single instances of its shared objects, built by static construction.
#pragma once
#include "camera/Camera.h"
#include "camera/RotorSet.h"
#include "core/AppContext.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/KeyboardState.h"
#include "core/Prefs.h"
#include "gfx/LightmapOverlay.h"
#include "gfx/Screen.h"
#include "gfx/ScreenSplinter.h"
#include "scene/MouseState.h"
#include "scene/Texture.h"
#include "sound/SoundSystem.h"
#include "ui/DialogStack.h"
#include "ui/FpsCounter.h"
#include "ui/TextBox.h"
#include "world/HeightField.h"
#include "world/Light.h"
#include "world/SkyBox.h"
#include "world/StarField.h"
#include "world/TerrainMesh.h"
#include "world/Volcano.h"

constexpr int kTextureTableSize = 19;

extern AppContext appContext;
extern AppState appState;
extern Prefs prefs;
extern Clock frameClock;
extern Camera camera;
extern RotorSet effectRotors, miscRotors, lightRotors, cameraMoveRotors, cameraTurnRotors;
extern KeyboardState keyboard;
extern MouseState mouse;
extern SoundSystem soundSystem;
extern Screen screen;
extern TextBox statusLine, infoText, titleText, dialogText, glErrorText;
extern FpsCounter fpsCounter;
extern DialogStack dialogs;
extern StarField starField;
extern SkyBox skyBox;
extern SceneObject sun;
extern Light light;
extern HeightField heightField;
extern TerrainMesh terrain;
extern Volcano volcano;
extern LightmapOverlay lightmapOverlay;
extern ScreenSplinter splinter;

// Textures loaded from files or generated at start-up.
extern Texture fontTexture, controlsTexture, sunTexture, reflTexture;
extern Texture cloudTexture, grassTexture, waterTexture, dirtTexture;
extern Texture spotTexture, noisySpotTexture, blobCloudTexture, spotGradientTexture;
// Image slots selected by the image option; empty slots draw untextured.
extern Texture textureTable[kTextureTableSize];

// Frame-level state of the frame loop.
extern double blinkStart, nextBlinkStart;
extern double randomCheckTime, clearOffTime;
extern int captureByRender;
extern int rehearsalStep;  // the next rehearsal of a drawing state during the intro
extern int windowHandle;
extern int windowVisible;  // as GLUT last reported it
