// Sky box loading and drawing.
#include "world/SkyBox.h"

void SkyBox::load() {}
void SkyBox::draw() {}
