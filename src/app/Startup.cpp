// Start-up in its fixed order (preferences, GL state, one-time loading, per-run variables) and shutdown.
#include "app/Startup.h"
#include "app/FileLocations.h"
#include "app/Globals.h"
#include "app/Popup.h"
#include "app/SceneSequencer.h"
#include "core/AppLog.h"
#include "core/Random.h"
#include <GL/freeglut.h>

void initPref() {
    AppLog::write("Init Pref...");
    Prefs& p = prefs;
    p.arrowScaleX = p.arrowScaleY = 1.0f;
    p.arrowCountX = p.arrowCountY = 0;
    p.randomClear = 0;
    p.reserved74 = 1.0f;
    p.showFps = 0;
    p.mapMode = 0;
    p.mouseSensitivity = p.moveSensitivity = 1.0f;
    p.debugLine = 0;
    p.lightRotateSpeed = 1.0f;
    p.paused = 0;
    p.reserved128 = 0;
    p.userMode = 0;
    p.polygonMode = 0;
    p.texMagX = p.texMagY = 1.0f;
    p.reservedC0 = 0.7f;
    p.reservedC4 = 7.0f;
    p.f9Value = 1.0f;
    p.clearScreen = 1;
    p.cameraZ = 0.0f;
    p.objectSize = 1.0f;
    p.reserved0C = 0;
    p.imageOption = 2;
    p.letterbox = 0;
    p.spotLights = 1;
    p.lightmapRefresh = 0.075f;
    p.randomLightmap = 1;
    p.lightmapInterval = 12.0f;
    p.option = 0;
    p.groundHeight = 1.0f;
    p.randomSkip = 1;
    p.skipInterval = 70.0f;
    p.randomSplinter = 0;
    p.splinterInterval = 25.0f;
    p.sceneUnderSplinter = 0;
    p.rotateSpeed = p.moveSpeed = 1.0f;
    p.tesselation = 30;
    p.textures = 1;
    const float white[4] = {1, 1, 1, 1};
    const float light[7] = {0.4f, 0.5f, 0.99f, 0.99f, 10.0f, 180.0f, 1.0f};
    for (int i = 0; i < 4; ++i) p.color[i] = white[i];
    for (int i = 0; i < 7; ++i) p.lightParams[i] = light[i];
    sceneStep(kSceneApply);
}

void wireAppContext() {
    appContext.camera = &camera;
    appContext.effectRotors = &effectRotors;
    appContext.keyboard = &keyboard;
    appContext.mouse = &mouse;
    appContext.prefs = &prefs;
    appContext.sound = &soundSystem;
    appContext.screen = &screen;
    appContext.statusLine = &statusLine;
    appContext.infoText = &infoText;
    appContext.clock = &frameClock;
    appContext.state = &appState;
    appContext.viewer = &camera;
    appContext.showStatus = [](const char* message) { statusLine.setMessage(message); };
    appContext.settingsChanged = [] { dialogs.rebuildRequest = 1; };
    gApp = &appContext;
}

void initGL() {
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    glMateriali(GL_FRONT_AND_BACK, GL_SHININESS, 50);
    glShadeModel(GL_SMOOTH);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0);
    glDisable(GL_DITHER);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, 0.1f);
    glFogf(GL_FOG_END, 2.0f);
    glEnable(GL_POINT_SMOOTH);

    screen.zNear = 0.005f;
    screen.zFarBase = 7.14f;
    screen.width = glutGet(GLUT_SCREEN_WIDTH);
    screen.height = glutGet(GLUT_SCREEN_HEIGHT);
    screen.setLetterbox(prefs.letterbox);
    screen.applyViewport();
    appState.worldSize = kBaseWorldSize * prefs.objectSize;

    rndSeed(static_cast<uint32_t>(frameClock.millis));
    for (int i = 0; i < 100; ++i) rnd(1.0f);

    initOnce();
    initVars();
    if (windowHandle) glutSetCursor(GLUT_CURSOR_NONE);  // a screensaver draws into a window that is not ours
}

static void loadTextures() {
    const FileLocations& f = fileLocations;
    fontTexture.loadBmpLumAlpha(f.dataFile("font_256.bmp").c_str(), -1, 0, 0);
    spotTexture.makeTextureLumAlpha(0, 0, 64.0f, 0);
    noisySpotTexture.makeTextureLumAlpha(0, 0, 64.0f, 200);
    blobCloudTexture.makeTexture(6, 0, 0.25f, 6);
    spotGradientTexture.makeTexture1D(0, 0, 64.0f, 0);
    controlsTexture.loadBmp(f.dataFile("controls_128.bmp").c_str(), -1, 0, 1);
    sunTexture.loadBmp(f.dataFile("sun_128.bmp").c_str(), -1, 0, 0);
    reflTexture.loadBmp(f.dataFile("refl.bmp").c_str(), -1, 0, 0);
    cloudTexture.loadBmp(f.dataFile("cloudbw2128.bmp").c_str(), 255, 0, 0);
    grassTexture.loadBmp(f.dataFile("grass.bmp").c_str(), 255, 0, 1);
    waterTexture.loadBmp(f.dataFile("water128.bmp").c_str(), 255, 0, 0);
    dirtTexture.loadBmp(f.dataFile("dirt128.bmp").c_str(), 255, 0, 0);
}

static void setUpStars() {
    starField.starCount = 5000;
    starField.copies = 2;
    starField.outerDiameter = 2.0f * appState.worldSize;
    starField.innerDiameter = 0.9f * starField.outerDiameter;
    starField.blend = 1;
    starField.depthTest = 0;
    starField.depthWrite = 0;
    starField.shape = 0;
    starField.build();
}

static void setUpTextObjects() {
    statusLine.alphaRef = 0.1f;
    statusLine.alphaTest = 0;
    statusLine.blend = 0;
    statusLine.radius = 10.0f;
    statusLine.position = Vec3(20, static_cast<float>(screen.height - 20), 0);
    glErrorText.position = Vec3(0.4f * screen.width, static_cast<float>(screen.height - 20), 0);
    glErrorText.setColor(1, 1, 0, 1);
    titleText.alphaTest = 1;
    titleText.setColor(0, 1, 1, 1);
    titleText.wanderOn = 1;
    titleText.waveOn = 1;
    titleText.waveAmount[0] = titleText.waveAmount[1] = 1.0f;
}

static void setUpCamera() {
    float w = appState.worldSize;
    camera.eyeOffset[0] = 0;
    camera.eyeOffset[1] = 0.1f;
    camera.eyeOffset[2] = 0;
    camera.keySpeed = w;
    camera.autoMoveRate = 8.0f;
    camera.autoCentre[0] = 0;
    camera.autoCentre[1] = 1;
    camera.autoCentre[2] = 0;
    camera.autoRange[0] = 0.7f * w;
    camera.autoRange[1] = 0.2f * w;
    camera.autoRange[2] = 0.7f * w;
    camera.turnRange[0] = 40;
    camera.turnRange[1] = 720;
    camera.turnRange[2] = 0;
    camera.autoTurnRate = 2.0f;
    camera.maxSpeed = 7.0f;
    camera.moveRotors = &cameraMoveRotors;
    cameraMoveRotors.activityRate = 0.2f;
    cameraMoveRotors.targetRate = 0.04f;
    cameraMoveRotors.easing = 0.2f;
    camera.turnRotors = &cameraTurnRotors;
    camera.keepOnGround = [](SceneObject& object, int slide, float fall) {
        terrain.keepOnGround(object, slide, fall);
    };
    cameraTurnRotors.activityRate = 0.2f;
    cameraTurnRotors.targetRate = 0.2f;
    cameraTurnRotors.easing = 0.2f;
}

static void setUpOverlayAndSun() {
    lightmapOverlay.alphaTest = 0;
    lightmapOverlay.blendSrc = 6;
    lightmapOverlay.blendDst = 0;
    lightmapOverlay.depthTest = 0;
    lightmapOverlay.depthWrite = 0;
    lightmapOverlay.faceCamera = 0;
    lightmapOverlay.texture = &noisySpotTexture;
    lightmapOverlay.position.z = 1.0f;
    sun.blend = 0;
    sun.color.b = 0;
    sun.depthTest = 1;
    sun.depthWrite = 1;
    sun.faceCamera = 1;
    float e = 0.01f * appState.worldSize;
    sun.extent = Vec3(e, e, e);
    sun.texture = &sunTexture;
}

static SampleHandle explosionSample = nullptr;

static void playExplosion() {
    if (appState.soundEnabled) soundSystem.playSample3D(explosionSample, 0, 0, 0);
}

static void setUpSound() {
    if (!appState.soundEnabled) return;
    soundSystem.fileDirectory = fileLocations.dataDir.c_str();
    soundSystem.worldScale = appState.worldSize;
    if (soundSystem.init() != 0) return;
    explosionSample = soundSystem.loadSample("explosion.wav");
    soundSystem.setSfxVolume(1.0f);
    soundSystem.setVolume(1.0f);
}

static float heightBuffer[HeightField::kMaxCells];
static float scratchBuffer[HeightField::kMaxCells];

static void setUpLandscape() {
    heightField.setBuffers(heightBuffer, scratchBuffer);
    heightField.generate(2, 128, 0.05f, 0.0f);
    terrain.columns = terrain.rows = prefs.tesselation;
    terrain.radius = appState.worldSize;
    terrain.extent.x = terrain.extent.y = appState.worldSize;
    terrain.setColor(1, 1, 1, terrain.color.a);
    terrain.textureOffset[0] = terrain.textureOffset[1] = 0;
    terrain.position = Vec3(0, 0, 0);
    terrain.build(heightField);

    volcano.rotors = &effectRotors;
    volcano.infoText = &infoText;
    volcano.heightField = &heightField;
    volcano.terrain = &terrain;
    volcano.playExplosion = playExplosion;
    volcano.waterTexture = &waterTexture;
    volcano.imageTexture = &spotTexture;
    volcano.flashTexture = &spotTexture;
    volcano.cloudTexture = &cloudTexture;
    volcano.dirtTexture = &dirtTexture;
    volcano.grassTexture = &grassTexture;
    volcano.smokeTexture = &blobCloudTexture;
    volcano.init();
}

void initOnce() {
    AppLog::write("Init Once...");
    loadTextures();
    setUpStars();
    wireAppContext();
    TextBox::effects = &miscRotors;
    TextBox::font = &fontTexture;
    dialogText.alphaRef = 0.05f;
    dialogText.blend = 0;
    DialogItem::textBox = &dialogText;
    DialogItem::controls = &controlsTexture;
    dialogs.buildPage(1, 1);  // the main menu waits, hidden
    miscRotors.init(8);
    setUpTextObjects();
    setUpCamera();
    screen.setColor(0, 0, 0, screen.color.a);
    light.setColor(1, 1, 1, light.color.a);
    lightRotors.init(4);
    lightRotors.frozen[1] = 1;
    setUpOverlayAndSun();
    skyBox.load(fileLocations.dataDir.c_str());
    setUpSound();
    setUpLandscape();
    splinter.init();
}

void initVars() {
    AppLog::write("Init Vars...");
    rndSeed(static_cast<uint32_t>(frameClock.millis));
    closePopup();  // slides away and gives the camera back, as its close box does
    appState.splinterState = 0;
    camera.position = Vec3(0, 0, 0);
    camera.velocity = Vec3(0, 0, 0);
    camera.rotation = Vec3(0, 0, 0);
    effectRotors.init(9);
    cameraMoveRotors.init(6);
    cameraTurnRotors.init(3);
    screen.zFarBase = appState.worldSize * 3.57f;
    setFogColor(prefs.universe);
    sceneStep(kSceneApply);
    applyWorldSettings();
}

void shutdown() {
    AppLog::write("\nShutting down...");
    starField.release();
    if (appState.soundEnabled && soundSystem.initialised) {
        soundSystem.freeSample(explosionSample);
        soundSystem.close();
    }
}
