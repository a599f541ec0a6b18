// The frame clock.
#include "core/Clock.h"

void Clock::advance(int elapsedMillis) {
    millis = elapsedMillis;
    realSeconds = millis * 0.001;
    time = offset + realSeconds;
    double step = time - lastTime;
    if (step > 0.1) {
        // A stall only advances the program by 0.05 s; the rest is absorbed into the offset.
        offset -= step - 0.05;
        step = 0.05;
        time = offset + realSeconds;
    }
    dt = static_cast<float>(step);
    lastTime = time;
}
