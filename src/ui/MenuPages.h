// The contents of the popup pages: one table of widget rows per page id.
#pragma once

// Row flags.
enum { kRowInteger = 1, kRowLinear = 2, kRowWorldScaled = 4, kRowNeedsSound = 8 };
// Row kind that only moves the layout cursor; the others are widget kinds.
constexpr int kCursorRow = 5;

struct PageRow {
    int kind;
    const char* label;
    int id;
    float (*value)();  // a slider's value or a toggle's state, read at every build
    float minValue, maxValue;
    int flags;
    int dx, dy;  // cursor rows
};

struct Page {
    const char* title;  // null: the program's name
    int menuStyle;      // large, shaking, alpha-tested text
    const PageRow* rows;
    int rowCount;
};

constexpr int kPageCount = 11;
// Page 0 holds this scene's own settings, 1 is the main menu, 2 the options, 3 to 10 their sub-pages.
extern const Page menuPages[kPageCount];
