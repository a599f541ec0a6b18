// What the popup's widgets do: one action per page and widget id, run for the widget activated this frame.
#pragma once

// Runs the action of the dialog's activated widget on the page it shows.
void dispatchAction();

// The last values of "Color Scale" and "Color Offset" (they act relative to these),
// and the clock time of the last volume preview sound.
extern float previousColorLevel, previousMenuLevel;
extern double volumePreviewTime;
