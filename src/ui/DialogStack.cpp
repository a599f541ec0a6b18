// Dialog stack: construction, page building, per-frame run and the closing slide.
#include "ui/DialogStack.h"
#include "core/AppLog.h"

void DialogStack::buildDialogs(int, int) { AppLog::write("Dialog Init..."); }

void DialogStack::buildPage(int page, int) {
    currentPage = page;
    rebuildRequest = 0;
}

void DialogStack::run() {}
void DialogStack::drawDialog() {}
