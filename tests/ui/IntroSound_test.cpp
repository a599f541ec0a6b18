// The intro scene's sound: started once per intro, then moved and swelled every frame on its own channel.
#include "app/Globals.h"
#include "sound/FakeSoundLibrary.h"
#include "support/TestSupport.h"
#include "ui/HelpScreen.h"
#include <gtest/gtest.h>

namespace {

struct IntroSound {
    FakeSoundLibrary fake;
    SoundSystem sound{fake};
    IntroSound() {
        resetProgramState();
        appContext.sound = &sound;
        effectRotors.init(9);
        prefs.noiseLevel = 1.0f;
        fake.nextChannel = 4;
        sound.init();
        fake.calls.clear();
    }
    std::string moved() const {
        char line[128];
        std::snprintf(line, sizeof line, "setChannelAttributes 4 %g %g 0.5 / 0 0 0\nsetVolume 4 %d\n",
                      -effectRotors.wave(2, 150, 1.0f, -0.5f), effectRotors.wave(1, 300, 1.0f, -0.5f),
                      static_cast<int>(((1.0f - std::fabs(effectRotors.wave(1, 300, 2.0f, -1.0f))) *
                                                       0.25f + 0.75f) * 255.0f));
        return line;
    }
};

}  // namespace

TEST(IntroSound, StartsOnceThenFollowsTheRotorsOnItsOwnChannel) {
    IntroSound s;
    introSoundStep();
    EXPECT_EQ(appState.introStep, 1);
    EXPECT_EQ(s.fake.callText(),
              "loadSample -1 thx2.wav 4096 0\nsetMinMaxDistance #1 200 1200\nplaySound -1 #1\n"
              "setChannelAttributes 4 0 0 -1 / 0 0 0\nsetReverbMix 4 -1\nsetFrequency 4 44000\n" + s.moved());

    // Another sound takes the current channel; the intro keeps moving and swelling its own.
    s.sound.playFile("hit.wav");
    effectRotors.update(0.5f, 1.0f);
    s.fake.calls.clear();
    introSoundStep();
    EXPECT_EQ(s.sound.channel, 5);
    EXPECT_EQ(s.fake.callText(), s.moved());

    // The replay key sets the step back, and the sound starts again.
    appState.introStep = 0;
    s.fake.calls.clear();
    introSoundStep();
    EXPECT_EQ(s.fake.calls[0], "loadSample -1 thx2.wav 4096 0");
}

TEST(IntroSound, MakesNoCallWithSoundDisabled) {
    IntroSound s;
    appState.soundEnabled = 0;
    introSoundStep();
    introSoundStep();
    EXPECT_EQ(s.fake.callText(), "");
    EXPECT_EQ(appState.introStep, 0);
}
