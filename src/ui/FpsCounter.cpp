// Frame counting against program time.
#include "ui/FpsCounter.h"
#include "core/AppContext.h"
#include "core/Clock.h"

void FpsCounter::count() {
    frames += 1;
    if (gApp->clock->time >= nextSecond) {
        nextSecond += 1.0;
        fps = frames;
        frames = 0;
    }
}

void FpsCounter::draw() {
    setMessagef("FPS: %d", fps);
    drawMessage();
}
