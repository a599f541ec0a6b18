// The frame clock.
#include "core/Clock.h"

void Clock::advance(int elapsedMillis) {
    totalMillis += static_cast<uint32_t>(elapsedMillis) - static_cast<uint32_t>(millis);
    millis = elapsedMillis;
    realSeconds = totalMillis * 0.001;
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

void Clock::startAt(int elapsedMillis) {
    millis = elapsedMillis;
    totalMillis = static_cast<uint32_t>(elapsedMillis);
    realSeconds = time = lastTime = totalMillis * 0.001;
}
