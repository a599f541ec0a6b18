// Letterbox arithmetic of the screen's picture area.
#include "gfx/Screen.h"
#include <gtest/gtest.h>

TEST(Screen, LetterboxLevelsCutFivePercentOffEachEdgePerStep) {
    struct Case {
        int height, level, bottom, top;
    };
    const Case cases[] = {{100, 1, 5, 95}, {600, 6, 180, 420}, {480, 0, 0, 480}, {480, 3, 72, 408}, {99, 1, 4, 94}};
    for (const Case& c : cases) {
        Screen s;
        s.width = 640;
        s.height = c.height;
        s.setLetterbox(c.level);
        EXPECT_EQ(s.viewportBottom, c.bottom) << c.height << " level " << c.level;
        EXPECT_EQ(s.viewportTop, c.top);
        EXPECT_EQ(s.viewportHeight, c.top - c.bottom);
        EXPECT_EQ(s.letterboxLevel, static_cast<float>(c.level));
    }
}
