// Dialog stack: widget placement, page building and the page stack, the open slide, focus, drag and input scan.
#include "ui/DialogStack.h"
#include "core/AppContext.h"
#include "core/AppLog.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/KeyboardState.h"
#include "gfx/Screen.h"
#include "scene/MouseState.h"
#include "ui/MenuPages.h"
#include "ui/TextBox.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr int kTab = 9;
constexpr int kUp = 101, kDown = 103;
constexpr int kLeft = 100, kRight = 102, kPageUp = 104, kPageDown = 105;
constexpr float kSlideDistance = 300.0f;
constexpr float kOpenRate = 3.0f;  // a full open or close takes a third of a second

}  // namespace

DialogItem* DialogStack::Slot::live() {
    switch (kind) {
    case kSlider: return &slider;
    case kToggle: return &toggle;
    case kButton: return &button;
    case kCloseBox: return &closeBox;
    case kTitle: return &title;
    default: return nullptr;
    }
}

DialogItem* DialogStack::item(int i) { return i >= 0 && i < itemCount ? slots[i].live() : nullptr; }

void DialogStack::clearItems() {
    pageId = -1;
    itemCount = 0;
    activatedId = -1;
    focus = 0;
    activatedValue = 0;
    offsetX = offsetY = 0;
    for (Slot& slot : slots) slot.kind = -1;
}

int DialogStack::findItem(int id) {
    for (int i = 0; i < itemCount; ++i)
        if (slots[i].live()->id == id) return i;
    return -1;
}

int DialogStack::addItem(int kind, const char* label, int id, float a1, float a2, float a3, float a4, float a5) {
    int index = findItem(id);
    if (index < 0) {
        if (itemCount >= kMaxItems) return -1;
        index = itemCount++;
    }
    Slot& slot = slots[index];
    if (slot.kind != kind) {
        slot.kind = kind;
        slot.live()->visible = 0;  // a new widget starts released, off and not dragged
    }
    const float a[5] = {a1, a2, a3, a4, a5};
    place(index, kind, label, id, a);
    if (kind == kTitle) addItem(kCloseBox, "", kCloseBoxId);
    return index;
}

void DialogStack::place(int index, int kind, const char* label, int id, const float a[5]) {
    DialogItem* widget = slots[index].live();
    float x = static_cast<float>(cursorX), y = static_cast<float>(cursorY);
    float box = static_cast<float>(boxWidth);
    switch (kind) {
    case kSlider:
        widget->init(label, id, index, kind, x, y, sliderWidth, sliderHeight, a[0], a[1], a[2], a[3], a[4]);
        cursorY += sliderStep;
        break;
    case kToggle:
        widget->init(label, id, index, kind, x, y, box, boxHeight, a[0]);
        cursorY += boxStep;
        break;
    case kButton:
        widget->init(label, id, index, kind, x, y, box, boxHeight);
        cursorY += boxStep;
        break;
    case kCloseBox:
        // Shares the title's row, 210 pixels to its right; the page goes on 50 pixels lower.
        widget->init(label, id, index, kind, x + 210, y, box, boxHeight);
        cursorY -= 50;
        break;
    default:
        widget->init(label, id, index, kind, x, y, box, box);
        break;
    }
}

void DialogStack::buildPage(int page, int reset) {
    rebuildRequest = 0;
    if (!initLogged) AppLog::write("Dialog Init...");
    initLogged = 1;
    if (TextBox* text = DialogItem::textBox) text->alphaTest = text->shakeOn = 0;
    cursorX = 30;
    cursorY = static_cast<int>(gApp->screen->height * 0.7f);
    if (reset == 1) {
        clearItems();
        pageId = page;
    }
    addPageContents(page);
}

void DialogStack::addPageContents(int page) {
    DialogItem::fontSize = 10;
    if (page < 0 || page >= kPageCount) return;
    const Page& p = menuPages[page];
    if (p.menuStyle) {
        DialogItem::fontSize = 20;
        if (TextBox* text = DialogItem::textBox) text->shakeOn = text->alphaTest = 1;
    }
    addItem(kTitle, p.title ? p.title : gApp->state->name, 0);
    for (int i = 0; i < p.rowCount; ++i) addRow(p.rows[i]);
}

void DialogStack::addRow(const PageRow& row) {
    if (row.kind == kCursorRow) {
        cursorX += row.dx;
        cursorY += row.dy;
        return;
    }
    if ((row.flags & kRowNeedsSound) && !gApp->state->soundEnabled) return;
    float scale = (row.flags & kRowWorldScaled) ? gApp->state->worldSize : 1.0f;
    float integer = (row.flags & kRowInteger) ? 1.0f : 0.0f, linear = (row.flags & kRowLinear) ? 1.0f : 0.0f;
    addItem(row.kind, row.label, row.id, row.value ? row.value() : 0.0f, row.minValue * scale, row.maxValue * scale,
            integer, linear);
}

void DialogStack::push() {
    if (stackDepth >= kMaxDepth) {
        AppLog::write("** Attempt to push dialog beyond limits");
        return;
    }
    pageStack[stackDepth++] = pageId;
}

void DialogStack::pop() {
    if (stackDepth < 1) {
        AppLog::write("** Attempt to pop no dialog");
        return;
    }
    stackDepth -= 1;
    buildPage(pageStack[stackDepth], 1);
}

void DialogStack::openPage(int page, int remember) {
    float x = offsetX, y = offsetY;
    if (remember) push();
    buildPage(page, 1);
    offsetX = x;
    offsetY = y;
}

OverlayBox DialogStack::pageBox() {
    OverlayBox box = {0, 0, 0, 0};
    for (int i = 0; i < itemCount; ++i) {
        DialogItem* widget = item(i);
        if (i == 0) box = {widget->position.x, widget->position.y, widget->right, widget->top};
        widget->growBox(box);
    }
    return box;
}

void DialogStack::fitToWindow() {
    fit = fitInto(pageBox(), overlayRoom(gApp->screen->width, gApp->screen->height));
    keepTitleInside();
}

void DialogStack::keepTitleInside() {
    DialogItem* title = item(0);
    DialogItem* closeBox = item(1);
    if (!title || title->kind != kTitle || !closeBox) return;
    OverlayBox row = {title->position.x, title->position.y, title->right, title->top};
    title->growBox(row);
    closeBox->growBox(row);
    float width = static_cast<float>(gApp->screen->width), height = static_cast<float>(gApp->screen->height);
    // Offsets (in page pixels) that put the title row, from its box to the close box, inside the window.
    float loX = fit.blockX(0) - row.left, hiX = fit.blockX(width) - row.right;
    float loY = fit.blockY(0) - row.bottom, hiY = fit.blockY(height) - row.top;
    offsetX = std::min(std::max(offsetX, loX), hiX);
    offsetY = std::min(std::max(offsetY, loY), hiY);
}

void DialogStack::drawDialog() {
    fitToWindow();
    if (openLevel != targetOpen)
        openLevel = std::clamp(openLevel + gApp->clock->dt * kOpenRate * (2.0f * targetOpen - 1.0f), 0.0f, 1.0f);
    drawLevel = openLevel;
    if (DialogItem::textBox) DialogItem::textBox->brightness = drawLevel;
    float closed = 1.0f - openLevel;
    float ox = offsetX - closed * closed * kSlideDistance;
    glPushMatrix();
    glTranslatef(fit.shiftX, fit.shiftY, 0);
    glScalef(fit.scale, fit.scale, 1);
    for (int i = 0; i < itemCount; ++i) {
        float level = i == focus ? drawLevel : 0.75f * drawLevel;
        glColor3f(level, level, level);
        item(i)->drawItem(ox, offsetY, i == focus);
    }
    glPopMatrix();
}

void DialogStack::focusKeys(const DialogInput& in) {
    if (in.specialKey == kUp) focus = focus == 0 ? itemCount - 1 : focus - 1;
    if (in.key == kTab || in.specialKey == kDown) focus = focus < itemCount - 1 ? focus + 1 : 0;
}

bool DialogStack::takesSpecialKey(int code) {
    DialogItem* focused = item(focus);
    bool side = code == kLeft || code == kRight, page = code == kPageUp || code == kPageDown;
    return code == kUp || code == kDown || (focused && (side || (page && focused->kind == kTitle)));
}

void DialogStack::handleEvents(const DialogInput& in) {
    activatedId = -1;
    activatedValue = 0;
    float out = 0;
    for (int i = 0; i < itemCount; ++i) {
        int r = item(i)->handleEvent(in, offsetX, offsetY, out, i == focus);
        if (r != kItemIdle && in.left == 1) focus = i;
        if (r == kItemActivated) {
            activatedId = item(i)->id;
            activatedValue = out;
            return;
        }
        if (r == kItemMovesDialog) return dragAndNudge(in);
    }
}

void DialogStack::dragAndNudge(const DialogInput& in) {
    if (in.left == 1) {
        dragStart[0] = in.x;
        dragStart[1] = in.y;
    } else if (in.left == 2) {
        dragNow[0] = in.x;
        dragNow[1] = in.y;
        offsetX = dragBase[0] + dragNow[0] - dragStart[0];
        offsetY = dragBase[1] + dragNow[1] - dragStart[1];
    } else if (in.left == 3) {
        dragBase[0] = offsetX;
        dragBase[1] = offsetY;
    }
    // Nudges leave dragBase alone: the next drag starts from where the last one ended.
    switch (in.specialKey) {
    case kLeft: offsetX -= 2; break;
    case kRight: offsetX += 2; break;
    case kPageUp: offsetY += 2; break;
    case kPageDown: offsetY -= 2; break;
    default: break;
    }
    keepTitleInside();
}

DialogInput DialogStack::readInput() const {
    DialogInput in;
    in.key = gApp->keyboard->key;
    in.specialKey = gApp->keyboard->specialKey;
    // The normalised pointer is right in every camera mode (manual mode keeps deltas in the position).
    in.x = fit.blockX(std::round(gApp->mouse->normX * gApp->screen->width));
    in.y = fit.blockY(std::round(gApp->mouse->normY * gApp->screen->height));
    in.left = gApp->mouse->leftButton;
    return in;
}

void DialogStack::run() {
    fitToWindow();
    DialogInput in = readInput();
    focusKeys(in);
    drawDialog();
    handleEvents(in);
    if (activatedId > -1 && dispatch) dispatch();
}
