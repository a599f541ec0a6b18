// Status-line texts shared by the keys and the menus: blend mode names and the option pages.
#pragma once

// "0:2-GL_SRC_ALPHA" and the like; an index outside the list leaves the message as it was.
void showBlendModeName(int which, int index);
void showImageOptions();
void showOptions();
