// Star field build and drawing.
#include "world/StarField.h"

void StarField::build() {}
void StarField::draw() const {}
void StarField::release() {
    if (displayList != 0) glDeleteLists(displayList, 1);
    displayList = 0;
}
