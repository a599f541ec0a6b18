// Parsing and delivery of scripted input events.
#include "app/InputScript.h"
#include "app/Input.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include <GL/freeglut.h>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

struct Name {
    const char* text;
    int code;
};

const Name kKeyNames[] = {{"esc", 27}, {"space", 32}, {"tab", 9}, {"enter", 13},
                          {"backspace", 8}, {"del", 127}, {"backquote", '`'}};
const Name kSpecialNames[] = {
    {"f1", GLUT_KEY_F1},   {"f2", GLUT_KEY_F2},   {"f3", GLUT_KEY_F3},         {"f4", GLUT_KEY_F4},
    {"f5", GLUT_KEY_F5},   {"f6", GLUT_KEY_F6},   {"f7", GLUT_KEY_F7},         {"f8", GLUT_KEY_F8},
    {"f9", GLUT_KEY_F9},   {"f10", GLUT_KEY_F10}, {"f11", GLUT_KEY_F11},       {"f12", GLUT_KEY_F12},
    {"left", GLUT_KEY_LEFT}, {"right", GLUT_KEY_RIGHT}, {"up", GLUT_KEY_UP},   {"down", GLUT_KEY_DOWN},
    {"pageup", GLUT_KEY_PAGE_UP}, {"pagedown", GLUT_KEY_PAGE_DOWN}, {"home", GLUT_KEY_HOME},
    {"end", GLUT_KEY_END}, {"insert", GLUT_KEY_INSERT}};
const Name kButtons[] = {{"left", GLUT_LEFT_BUTTON}, {"middle", GLUT_MIDDLE_BUTTON}, {"right", GLUT_RIGHT_BUTTON}};
const Name kStates[] = {{"down", GLUT_DOWN}, {"up", GLUT_UP}};
const Name kModifiers[] = {{"shift", GLUT_ACTIVE_SHIFT}, {"ctrl", GLUT_ACTIVE_CTRL}, {"alt", GLUT_ACTIVE_ALT}};

template <size_t N>
bool lookUp(const Name (&table)[N], const std::string& word, int& code) {
    for (const Name& n : table)
        if (word == n.text) return code = n.code, true;
    return false;
}

bool toInt(const std::string& word, long lo, long hi, int& out) {
    char* end = nullptr;
    long v = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

bool parseModifiers(const std::string& word, int& mask) {
    mask = 0;
    if (word == "none") return true;
    std::stringstream parts(word);
    std::string part;
    while (std::getline(parts, part, '+')) {
        int bit = 0;
        if (!lookUp(kModifiers, part, bit)) return false;
        mask |= bit;
    }
    return true;
}

// Fills the event from the words after the frame number; returns the reason on failure.
std::string parseEvent(const std::vector<std::string>& w, ScriptEvent& e) {
    const std::string& kind = w[1];
    size_t n = w.size();
    if (kind == "key" && n == 3) {
        e.type = ScriptEvent::Key;
        if (lookUp(kKeyNames, w[2], e.a)) return "";
        if (w[2].size() == 1) return e.a = static_cast<unsigned char>(w[2][0]), "";
        return "unknown key '" + w[2] + "'";
    }
    if (kind == "key-code" && n == 3) {
        e.type = ScriptEvent::Key;
        return toInt(w[2], 0, 255, e.a) ? "" : "key code must be 0..255";
    }
    if (kind == "special" && (n == 3 || (n == 4 && w[3] == "up"))) {
        e.type = n == 4 ? ScriptEvent::SpecialUp : ScriptEvent::Special;
        return lookUp(kSpecialNames, w[2], e.a) ? "" : "unknown special key '" + w[2] + "'";
    }
    if (kind == "mouse" && n == 6) {
        e.type = ScriptEvent::Mouse;
        if (!lookUp(kButtons, w[2], e.a)) return "unknown button '" + w[2] + "'";
        if (!lookUp(kStates, w[3], e.b)) return "button state must be down or up";
        return toInt(w[4], -100000, 100000, e.c) && toInt(w[5], -100000, 100000, e.d) ? "" : "bad coordinates";
    }
    if (kind == "motion" && n == 4) {
        e.type = ScriptEvent::Motion;
        return toInt(w[2], -100000, 100000, e.a) && toInt(w[3], -100000, 100000, e.b) ? "" : "bad coordinates";
    }
    if (kind == "resize" && n == 4) {
        e.type = ScriptEvent::Resize;
        return toInt(w[2], 1, 100000, e.a) && toInt(w[3], 1, 100000, e.b) ? "" : "bad window size";
    }
    if (kind == "modifiers" && n == 3) {
        e.type = ScriptEvent::Modifiers;
        return parseModifiers(w[2], e.a) ? "" : "unknown modifiers '" + w[2] + "'";
    }
    return "cannot read event '" + kind + "'";
}

}  // namespace

std::string InputScript::load(const std::string& fileName) {
    std::ifstream in(fileName);
    if (!in) return fileName + ": cannot open input script";
    std::stringstream text;
    text << in.rdbuf();
    return parse(text.str(), fileName);
}

std::string InputScript::parse(const std::string& text, const std::string& sourceName) {
    events.clear();
    next = 0;
    std::stringstream lines(text);
    std::string line;
    for (int lineNo = 1; std::getline(lines, line); ++lineNo) {
        // '#' starts a comment anywhere; the '#' key itself is "key-code 35".
        line.erase(std::min(line.find('#'), line.size()));
        std::stringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty()) continue;
        ScriptEvent e{ScriptEvent::Key, 0, 0, 0, 0, 0};
        int frame = 0;
        std::string reason = w.size() < 2 ? "missing event" : (toInt(w[0], 1, 1000000000, frame) ? parseEvent(w, e) : "frame must be a number from 1");
        if (!reason.empty()) return sourceName + ":" + std::to_string(lineNo) + ": " + reason;
        e.frame = frame;
        events.push_back(e);
    }
    std::stable_sort(events.begin(), events.end(), [](const ScriptEvent& x, const ScriptEvent& y) { return x.frame < y.frame; });
    return "";
}

void InputScript::deliver(long frame) {
    for (; next < events.size() && events[next].frame <= frame; ++next) {
        const ScriptEvent& e = events[next];
        if (e.frame < frame) continue;
        setScriptedModifiers(heldModifiers);
        switch (e.type) {
        case ScriptEvent::Key: keyboardHandler(static_cast<unsigned char>(e.a), 0, 0); break;
        case ScriptEvent::Special: specialHandler(e.a, 0, 0); break;
        case ScriptEvent::SpecialUp: specialUpHandler(e.a, 0, 0); break;
        case ScriptEvent::Mouse: mouseHandler(e.a, e.b, e.c, e.d); break;
        case ScriptEvent::Motion: motionHandler(e.a, e.b); break;
        case ScriptEvent::Modifiers: heldModifiers = e.a; break;
        // The window manager's answer arrives as a reshape before a later frame.
        case ScriptEvent::Resize: glutReshapeWindow(e.a, e.b); break;
        }
        clearScriptedModifiers();
    }
}
