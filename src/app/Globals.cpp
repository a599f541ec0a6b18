// Definitions of the program's single shared objects.
#include "app/Globals.h"
#include "sound/OpenAlSoundLibrary.h"

AppContext appContext;
AppState appState;
Prefs prefs;
Clock frameClock;
Camera camera;
RotorSet effectRotors, miscRotors, lightRotors, cameraMoveRotors, cameraTurnRotors;
KeyboardState keyboard;
MouseState mouse;
OpenAlSoundLibrary openAlSound;
SoundSystem soundSystem(openAlSound);
Screen screen;
TextBox statusLine, infoText, titleText, dialogText, glErrorText;
FpsCounter fpsCounter;
DialogStack dialogs;
StarField starField;
SkyBox skyBox;
SceneObject sun;
Light light;
HeightField heightField;
TerrainMesh terrain;
Volcano volcano;
LightmapOverlay lightmapOverlay;
ScreenSplinter splinter;

Texture fontTexture, controlsTexture, sunTexture, reflTexture;
Texture cloudTexture, grassTexture, waterTexture, dirtTexture;
Texture spotTexture, noisySpotTexture, blobCloudTexture, spotGradientTexture;
Texture textureTable[kTextureTableSize];

double blinkStart = 0, nextBlinkStart = 0;
double randomCheckTime = 0, clearOffTime = 0;
int captureByRender = 1;
int rehearsalStep = 0;
int windowHandle = 0;
int windowVisible = 1;
