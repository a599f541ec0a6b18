// The ambient step.
#include "app/Ambient.h"
#include "app/Globals.h"
#include "app/SceneSequencer.h"

void ambientStep() {
    if (!prefs.paused) effectRotors.update(frameClock.dt, 1.0f);
    sceneStep(0);
    if (appState.introDone && !appState.exiting) randomChanges();
    if (appState.introDone && appState.soundEnabled) soundSystem.playAmbientSound(frameClock.dt);
}
