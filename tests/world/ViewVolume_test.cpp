// The view volume's sphere test: only spheres wholly beyond a plane are excluded.
#include "world/ViewVolume.h"
#include <gtest/gtest.h>

TEST(ViewVolume, ExcludesOnlySpheresWhollyBeyondAPlane) {
    // An orthographic box of -2..2 in x and y and 1..5 in front of the eye (looking down -z), shifted right by 1.
    const float projection[16] = {0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, -0.5f, 0, 0, 0, -1.5f, 1};
    const float modelView[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1};
    ViewVolume view;
    view.set(projection, modelView);
    struct Case {
        Vec3 centre;
        float radius;
        bool excluded;
    };
    const Case cases[] = {
        {{0, 0, -3}, 0.1f, false},    {{1.05f, 0, -3}, 0.1f, false},  // inside; straddling x = 2 after the shift
        {{1.2f, 0, -3}, 0.1f, true},  {{-3.05f, 0, -3}, 0.1f, false}, // beyond x = 2; touching x = -2
        {{-3.2f, 0, -3}, 0.1f, true}, {{0, 2.09f, -3}, 0.1f, false},  {{0, -2.2f, -3}, 0.1f, true},
        {{0, 0, -0.95f}, 0.1f, false}, {{0, 0, -0.8f}, 0.1f, true},   // the near plane at z = -1
        {{0, 0, -5.05f}, 0.1f, false}, {{0, 0, -5.2f}, 0.1f, true},   // the far plane at z = -5
        {{0, 0, 3}, 0.1f, true},       {{9, 9, -3}, 20.0f, false},    // behind the eye; big enough to reach in
    };
    for (const Case& c : cases)
        EXPECT_EQ(view.excludes(c.centre, c.radius), c.excluded) << c.centre.x << " " << c.centre.y << " " << c.centre.z;
}
