// Status-line texts for blend modes and option pages.
#include "ui/MenuMessages.h"
#include "core/AppContext.h"
#include "core/Prefs.h"
#include "ui/TextBox.h"

static const char* const kSourceNames[9] = {"0:0-GL_ZERO", "0:1-GL_ONE", "0:2-GL_SRC_ALPHA", "0:3-GL_ONE_MINUS_SRC_ALPHA",
                                            "0:4-GL_DST_ALPHA", "0:5-GL_ONE_MINUS_DST_ALPHA", "0:6-GL_DST_COLOR",
                                            "0:7-GL_ONE_MINUS_DST_COLOR", "0:8-GL_SRC_ALPHA_SATURATE"};
static const char* const kDestNames[8] = {"1:0-GL_ZERO", "1:1-GL_ONE", "1:2-GL_SRC_ALPHA", "1:3-GL_ONE_MINUS_SRC_ALPHA",
                                          "1:4-GL_DST_ALPHA", "1:5-GL_ONE_MINUS_DST_ALPHA", "1:6-GL_SRC_COLOR",
                                          "1:7-GL_ONE_MINUS_SRC_COLOR"};

void showBlendModeName(int which, int index) {
    if (which == 0 && index >= 0 && index < 9) gApp->statusLine->setMessage(kSourceNames[index]);
    if (which == 1 && index >= 0 && index < 8) gApp->statusLine->setMessage(kDestNames[index]);
}

void showImageOptions() {
    int option = gApp->prefs->imageOption;
    if (option == 0) gApp->statusLine->setMessage("No Image Options");
    if (option == 1) gApp->statusLine->setMessage("Option 1:");
}

void showOptions() {
    int option = gApp->prefs->option;
    if (option == 0) gApp->statusLine->setMessage("No Options");
    if (option == 1) gApp->statusLine->setMessage("Option 1/6: ");
}
