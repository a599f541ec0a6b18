// The camera debug line on the status line and the title fly-by after the intro.
#pragma once

void cameraDebugReadout();
