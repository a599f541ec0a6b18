// The frame clock: real elapsed time, program time with its offset, and the capped frame step.
#pragma once

class Clock {
public:
    virtual ~Clock() = default;

    // Called once per frame with the elapsed milliseconds since start.
    void advance(int elapsedMillis);

    // Wider than float so that a run of days still advances in smooth steps.
    double time = 0;        // offset + realSeconds
    float dt = 0.01f;       // frame step; a step above 0.1 s becomes 0.05 s
    double lastTime = 0;
    double offset = 0;      // only ever lowered
    double realSeconds = 0;
    int millis = 0;
};
