// The keys of the event being handled and the flight keys held, read by every layer that takes input.
#pragma once

class KeyboardState {
public:
    virtual ~KeyboardState() = default;

    int key = 0;
    int specialKey = 0;
    int alt = 0;
    int ctrl = 0;
    int shift = 0;
    int arrows = 0;  // bit set of held flight keys
};
