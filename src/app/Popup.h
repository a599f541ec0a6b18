// The popup switch, its way back one page, and the cursor that goes with it.
#pragma once

// The arrow while the popup is open or a window is in automatic camera mode, else hidden and centred.
void updateCursor();
void openPopup();
void closePopup();
// Back one page, where the dialog stands; on the main menu, hides the popup. The close boxes and ESC.
void closeDialogPage();
