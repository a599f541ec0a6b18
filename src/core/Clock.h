// The frame clock: real elapsed time, program time with its offset, and the capped frame step.
#pragma once
#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;

    // Called once per frame with the elapsed-time counter's reading in milliseconds. The counter is
    // 32 bits and wraps (negative after 24.8 days, back to 0 after 49.7): only its steps are counted.
    void advance(int elapsedMillis);
    // Sets the clock as if the program had run steadily until the counter read elapsedMillis.
    void startAt(int elapsedMillis);

    // Wider than float so that a run of days still advances in smooth steps.
    double time = 0;        // offset + realSeconds
    float dt = 0.01f;       // frame step; a step above 0.1 s becomes 0.05 s
    double lastTime = 0;
    double offset = 0;      // only ever lowered
    double realSeconds = 0;
    int millis = 0;         // the counter's last reading

private:
    int64_t totalMillis = 0;
};
