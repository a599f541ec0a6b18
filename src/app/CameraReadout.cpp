// Camera debug readout: one chosen camera value on the status line, and the program title sliding down the screen.
#include "app/CameraReadout.h"
#include "app/Globals.h"

namespace {

struct ReadoutLine {
    const char* format;
    const float* value;
};

// Debug lines 1 to 15; line 16 counts sound channels and is handled apart.
const ReadoutLine kReadoutLines[15] = {
    {"cam x: %f", &camera.position.x}, {"cam y: %f", &camera.position.y}, {"cam z: %f", &camera.position.z},
    {"pitch %f", &camera.rotation.x},  {"heading %f", &camera.rotation.y}, {"forwardx %f", &camera.forward[0]},
    {"forwardy %f", &camera.forward[1]}, {"forwardz %f", &camera.forward[2]}, {"upx %f", &camera.up[0]},
    {"upy %f", &camera.up[1]},         {"upz %f", &camera.up[2]},          {"rightx %f", &camera.right[0]},
    {"righty %f", &camera.right[1]},   {"rightz %f", &camera.right[2]},    {"farz: %f", &screen.zFarBase},
};
constexpr int kChannelsLine = 16;

void showDebugLine(int line) {
    if (line >= 1 && line < kChannelsLine) {
        const ReadoutLine& r = kReadoutLines[line - 1];
        statusLine.setMessagef(r.format, static_cast<double>(*r.value));
    } else if (line == kChannelsLine && appState.soundEnabled) {
        statusLine.setMessagef("# playing channels: %d", soundSystem.channelsPlaying());
    }
}

}  // namespace

void cameraDebugReadout() {
    if (appState.splinterState != 0) return;
    showDebugLine(prefs.debugLine);
    double now = frameClock.realSeconds;
    if (appState.introDone && now < 25.0) {
        float y = static_cast<float>((1.0 - (now - 20.0)) * screen.height * 0.2);
        titleText.drawText(appState.name, 0.5f * screen.width, y, 40.0f);
    }
}
