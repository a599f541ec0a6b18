// Frame counting against program time.
#include "ui/FpsCounter.h"
#include "core/AppContext.h"
#include "core/Clock.h"

void FpsCounter::count() {
    double now = gApp->clock->time;
    // The clock stepped back (the intro's end takes 5 s off it): a second starts afresh at this frame.
    if (now + 1.0 < nextSecond) {
        nextSecond = now + 1.0;
        frames = 0;
        return;
    }
    frames += 1;
    if (now >= nextSecond) {
        nextSecond += 1.0;
        fps = frames;
        frames = 0;
    }
}

void FpsCounter::draw() {
    setMessagef("FPS: %d", fps);
    drawMessage();
}
