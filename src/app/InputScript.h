// Scripted input: events read from a text file and delivered through the real input handlers.
#pragma once
#include <string>
#include <vector>

struct ScriptEvent {
    enum Type { Key, Special, SpecialUp, Mouse, Motion, Modifiers, Resize } type;
    long frame;
    int a, b, c, d;  // key code / special code / button, state, x, y / modifier mask / width, height
};

class InputScript {
public:
    // Returns an empty string on success, else "<file>:<line>: <reason>".
    std::string load(const std::string& fileName);
    std::string parse(const std::string& text, const std::string& sourceName);
    // Delivers every event of the given frame, in file order.
    void deliver(long frame);

    std::vector<ScriptEvent> events;

private:
    size_t next = 0;
    int heldModifiers = 0;
};
