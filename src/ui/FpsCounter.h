// The frames-per-second counter shown with the "c" key.
#pragma once
#include "ui/TextBox.h"

class FpsCounter : public TextBox {
public:
    void count();
    void draw() override;

    double nextSecond = 0;
    int frames = 0;
    int fps = 0;
};
