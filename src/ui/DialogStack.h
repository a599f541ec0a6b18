// The popup dialog: one page of widgets at a time, the pages that led to it, the slide and the input scan.
#pragma once
#include "scene/SceneObject.h"
#include "ui/DialogItem.h"
#include "ui/OverlayFit.h"

struct PageRow;

class DialogStack : public SceneObject {
public:
    static constexpr int kMaxItems = 50;
    static constexpr int kMaxDepth = 19;
    static constexpr int kCloseBoxId = 93;

    void clearItems();
    // Places a widget at the layout cursor (or re-initialises the one with the same id); -1 when full.
    int addItem(int kind, const char* label, int id, float a1 = 0, float a2 = 0, float a3 = 0, float a4 = 0,
                float a5 = 0);
    // reset 1 builds the page afresh; 0 refreshes the values of the widgets already there.
    void buildPage(int page, int reset);
    void push();
    void pop();
    // Opens a page where the current one stands; remember keeps the way back.
    void openPage(int page, int remember);
    void drawDialog();
    // Tab and down move the focus forward, up backward, both wrapping.
    void focusKeys(const DialogInput& in);
    void handleEvents(const DialogInput& in);
    // Whether the focus keys or the focused widget use this special key (a slider's step, the title's nudge).
    bool takesSpecialKey(int code);
    // One frame while the popup is open: focus keys, drawing, input and the activated widget's action.
    void run();
    // The frame's keyboard and mouse, the pointer in the page's own pixels.
    DialogInput readInput() const;
    DialogItem* item(int i);
    // The page's widgets and texts, relative to the dialog.
    OverlayBox pageBox();
    // Fits the page into the window (see fit) and keeps the title row inside it; runs every frame.
    void fitToWindow();

    int pageId = -1;
    int itemCount = 0;
    int activatedId = -1;
    int focus = 0;
    int savedCameraMode = 0;
    int rebuildRequest = 0;  // 1 refresh the page's values, 2 rebuild it from scratch
    float activatedValue = 0;
    float offsetX = 0, offsetY = 0;
    int pageStack[kMaxDepth] = {};
    int stackDepth = 0;
    float targetOpen = 0;
    float openLevel = 0;
    float drawLevel = 0;
    float dragNow[2] = {0, 0};
    float dragStart[2] = {0, 0};
    float dragBase[2] = {0, 0};
    int cursorX = 30, cursorY = 0;
    int sliderWidth = 140, sliderHeight = 24;
    int sliderStep = -30;
    int boxWidth = 30, boxHeight = 30;
    int boxStep = -40;
    // How the page is drawn into a window too small for it; the identity when it fits.
    OverlayFit fit;
    // Runs the action of the activated widget (the menu actions); set at start-up.
    void (*dispatch)() = nullptr;

private:
    // Storage for one widget of any kind, so that pages are built without allocation.
    struct Slot {
        SliderItem slider;
        ToggleItem toggle;
        ButtonItem button;
        CloseBoxItem closeBox;
        TitleItem title;
        int kind = -1;  // -1 empty
        DialogItem* live();
    };
    int findItem(int id);
    void place(int index, int kind, const char* label, int id, const float a[5]);
    void dragAndNudge(const DialogInput& in);
    // A dialog dragged or nudged away, or left outside by a smaller window, keeps its title row in view.
    void keepTitleInside();
    // Adds the page's title and rows at the layout cursor; an unknown page adds nothing.
    void addPageContents(int page);
    void addRow(const PageRow& row);

    Slot slots[kMaxItems];
    int initLogged = 0;
};
