// The intro scene's sound: started once per intro, then moved and swelled every frame on its own channel.
#include "app/Globals.h"
#include "sound/FakeSoundLibrary.h"
#include "support/TestSupport.h"
#include "ui/HelpScreen.h"
#include <gtest/gtest.h>

TEST(IntroSound, StartsOnceThenFollowsTheRotorsOnItsOwnChannelAndIsSilentWithSoundDisabled) {
    FakeSoundLibrary fake;
    SoundSystem sound{fake};
    resetProgramState();
    appContext.sound = &sound, prefs.noiseLevel = 1.0f, fake.nextChannel = 4;
    effectRotors.init(9);
    sound.init();
    fake.calls.clear();
    auto moved = [] {
        char line[128];
        std::snprintf(line, sizeof line, "setChannelAttributes 4 %g %g 0.5 / 0 0 0\nsetVolume 4 %d\n",
                      -effectRotors.wave(2, 150, 1.0f, -0.5f), effectRotors.wave(1, 300, 1.0f, -0.5f),
                      static_cast<int>(((1.0f - std::fabs(effectRotors.wave(1, 300, 2.0f, -1.0f))) * 0.25f + 0.75f) *
                                       255.0f));
        return std::string(line);
    };
    appState.soundEnabled = 0;
    introSoundStep();
    EXPECT_EQ(fake.callText() + std::to_string(appState.introStep), "0");
    appState.soundEnabled = 1;
    introSoundStep();
    EXPECT_EQ(appState.introStep, 1);
    EXPECT_EQ(fake.callText(), "loadSample -1 thx2.wav 4096 0\nsetMinMaxDistance #1 200 1200\nplaySound -1 #1\n"
                               "setChannelAttributes 4 0 0 -1 / 0 0 0\nsetReverbMix 4 -1\nsetFrequency 4 44000\n" +
                                   moved());
    // Another sound takes the current channel; the intro keeps moving and swelling its own.
    sound.playFile("hit.wav");
    effectRotors.update(0.5f, 1.0f);
    fake.calls.clear();
    introSoundStep();
    EXPECT_EQ(sound.channel, 5);
    EXPECT_EQ(fake.callText(), moved());
    // The replay key sets the step back, and the sound starts again.
    appState.introStep = 0, fake.calls.clear();
    introSoundStep();
    EXPECT_EQ(fake.calls[0], "loadSample -1 thx2.wav 4096 0");
}
