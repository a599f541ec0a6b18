// The popup switch and the cursor that goes with it.
#pragma once

// The arrow while the popup is open or a window is in automatic camera mode, else hidden and centred.
void updateCursor();
void openPopup();
void closePopup();
