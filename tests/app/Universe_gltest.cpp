// The frame's sky in each universe: stars in universe 1, the sky box travelling with the camera in 2, standing in 3.
#include "app/Frame.h"
#include "app/Globals.h"
#include "support/TestSupport.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class UniverseGl : public testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        screen.width = 320;
        screen.height = 240;
        appState.worldSize = 8.0f;
        screen.zFarBase = 3.57f * 8.0f;  // as after start-up: the box corners lie inside the far plane
        appState.sceneIndex = 2;  // no scene over the sky
        prefs.clearScreen = 1;
        prefs.fade = 1.0f;
        prefs.cameraMode = 2;
        camera.fov = 90.0f;
        camera.eyeOffset[1] = 0.1f;
        camera.moveRotors = &cameraMoveRotors;
        camera.turnRotors = &cameraTurnRotors;
        cameraTurnRotors.count = 3;
    }

    std::vector<unsigned char> frame(int universe, const Vec3& eye, float heading) {
        prefs.universe = universe;
        camera.position = eye;
        camera.rotation = Vec3(-10, heading, 0);
        renderScene(320.0f / 240.0f);
        return readFrame(320, 240);
    }
};

// Pixels brighter than the given sum of red, green and blue.
int litPixels(const std::vector<unsigned char>& rgb, int above = 60) {
    int lit = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) lit += rgb[i] + rgb[i + 1] + rgb[i + 2] > above;
    return lit;
}

int differingPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += std::abs(a[i] - b[i]) > 8;
    return n;
}

}  // namespace

TEST_F(UniverseGl, StarUniverseShowsScatteredStarsAndNoSkyBox) {
    ScratchDir dir(true);
    skyBox.load("");
    starField.starCount = 5000;
    starField.copies = 2;
    starField.shape = 0;
    starField.outerDiameter = 16.0f;
    starField.innerDiameter = 14.4f;
    starField.build();
    int stars = litPixels(frame(1, Vec3(0, 1, 0), 30));
    EXPECT_GT(stars, 200);
    EXPECT_LT(stars, 320 * 240 / 10) << "points, not a filled sky";
    EXPECT_EQ(litPixels(frame(0, Vec3(0, 1, 0), 30)), 0);
    starField.release();
}

TEST_F(UniverseGl, FixedSkyBoxTravelsWithTheCameraAndMovableOneStands) {
    skyBox.load(VULKORA_RUN_DIR);
    std::vector<unsigned char> fixedHere = frame(2, Vec3(0, 1, 0), 30);
    std::vector<unsigned char> fixedThere = frame(2, Vec3(4, 1, -3), 30);
    EXPECT_EQ(litPixels(fixedHere, 0), 320 * 240) << "the box fills the view, dark land included";
    EXPECT_EQ(differingPixels(fixedHere, fixedThere), 0);
    std::vector<unsigned char> standingHere = frame(3, Vec3(0, 1, 0), 30);
    std::vector<unsigned char> standingThere = frame(3, Vec3(4, 1, -3), 30);
    EXPECT_EQ(litPixels(standingHere, 0), 320 * 240);
    EXPECT_GT(differingPixels(standingHere, standingThere), 320 * 240 / 4);
}
