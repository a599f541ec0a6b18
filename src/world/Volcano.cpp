// The eruption cycle.
#include "world/Volcano.h"
#include "core/AppLog.h"

void Volcano::init() {
    AppLog::write("Volcano Init...");
    bombCount = 0;
}

void Volcano::update() {}
void Volcano::draw() {}
