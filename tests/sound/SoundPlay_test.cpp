// Plays, listener and ambient sounds against a scripted library, with and without 3D.
#include "app/Globals.h"
#include "core/Random.h"
#include "sound/FakeSoundLibrary.h"
#include "sound/SoundSystem.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace {

// A started sound system on the fake, 3D or not, with the start-up calls already cleared.
struct Started {
    FakeSoundLibrary fake;
    SoundSystem sound{fake};
    explicit Started(bool threeD) {
        resetProgramState();
        fake.caps = {threeD ? snd::kCapsHardware : 0u};
        fake.nextChannel = 5;
        sound.fileDirectory = "/data";
        sound.init();
        fake.calls.clear();
        camera.position = Vec3(1, 2, 3);
        frameClock.time = 12.5;
    }
};

// The seed after which the generator's next result is `value` (0..32767).
uint32_t seedBefore(int value) {
    uint32_t inverse = 214013u;  // Newton's iteration for the inverse of the multiplier modulo 2^32
    for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
    return ((static_cast<uint32_t>(value) << 16) - 2531011u) * inverse;
}

}  // namespace

TEST(SoundPlay, Without3DSoundsAreCentredAtTheCurrentVolumeAnd3DPlacesThemWithDistancesAndReverb) {
    Started flat(false);
    flat.sound.volume = 0.5f;
    EXPECT_EQ(flat.sound.playFile3D("wolf2.wav", 7, 8, 9), 0);
    flat.sound.updateListener();
    flat.sound.setChannelPosition(5, 0.5f, -0.5f, 2);
    EXPECT_EQ(flat.fake.callText(), "loadSample -1 /data/wolf2.wav 8192 0\nplaySound -1 #1\nsetPan 5 127\nsetVolume 5 127\n");
    EXPECT_EQ(flat.sound.channel, 5);
    EXPECT_FLOAT_EQ(flat.sound.lastPlayTime, 12.5f);

    Started s(true);
    EXPECT_EQ(s.sound.playFile("hit.wav"), 0);  // at the camera
    SampleHandle explosion = reinterpret_cast<SampleHandle>(9);
    EXPECT_EQ(s.sound.playSample3D(explosion, 0, 0, 0), 0);
    EXPECT_EQ(s.sound.playSample(explosion), 0);
    s.sound.setChannelPosition(4, 0.5f, -0.5f, 2);
    camera.forward[0] = camera.up[1] = 1;
    s.sound.updateListener();
    EXPECT_EQ(s.fake.callText(),
              "loadSample -1 /data/hit.wav 4096 0\nsetMinMaxDistance #1 200 1200\nplaySound -1 #1\n"
              "setChannelAttributes 5 1 2 3 / 0 0 0\nsetReverbMix 5 -1\n"
              "setMinMaxDistance #9 200 1200\nplaySound -1 #9\nsetChannelAttributes 6 0 0 0 / 0 0 0\nsetReverbMix 6 -1\n"
              "setMinMaxDistance #9 200 1200\nplaySound -1 #9\nsetChannelAttributes 7 1 2 3 / 0 0 0\nsetReverbMix 7 -1\n"
              "setChannelAttributes 4 0.5 -0.5 2 / 0 0 0\n"
              "setListenerAttributes 1 2 3 / 0 0 0 / 1 0 0 / 0 1 0\nupdate3D\n");
    EXPECT_EQ(FakeSoundLibrary::id(s.sound.lastSample), 1) << "a sample play keeps the last loaded file";
    EXPECT_FLOAT_EQ(s.sound.lastPlayTime, 12.5f);
}

TEST(SoundPlay, NothingToPlayGivesMinusOneWithoutAPlayCall) {
    for (bool threeD : {false, true}) {
        Started s(threeD);
        EXPECT_EQ(s.sound.playSample3D(nullptr, 0, 0, 0) + s.sound.playSample(nullptr), -2);
        EXPECT_EQ(s.fake.callText(), "");
        // A file that does not load, then no free channel: no pan, volume or placing follows.
        s.fake.failingLoads = {"/data/gone.wav 4096", "/data/gone.wav 8192"};
        EXPECT_EQ(s.sound.playFile3D("gone.wav", 0, 0, 0), threeD ? -1 : 0);
        EXPECT_EQ(s.sound.playFile("gone.wav"), threeD ? 0 : -1);
        EXPECT_EQ(s.sound.lastSample, nullptr);
        s.fake.nextChannel = -1;
        s.fake.calls.clear();
        EXPECT_EQ(s.sound.playSample3D(reinterpret_cast<SampleHandle>(9), 0, 0, 0), threeD ? -1 : 0);
        EXPECT_EQ(s.sound.channel, -1);
        EXPECT_EQ(s.fake.calls.back(), "playSound -1 #9");
        EXPECT_FLOAT_EQ(s.sound.lastPlayTime, 0.0f);
    }
}

TEST(SoundPlay, AmbientSoundsComeAtOneHundredthOfTheFrameStep) {
    Started s(true);
    // Chance 0.0001 at 100 frames per second: a first draw of 3 / 32768 plays, 4 / 32768 does not.
    rndSeed(seedBefore(4));
    s.sound.playAmbientSound(0.01f);
    EXPECT_EQ(s.fake.callText(), "");
    EXPECT_EQ(rndState(), seedBefore(4) * 214013u + 2531011u) << "exactly one draw when nothing plays";
    rndSeed(seedBefore(3));
    rndInt();
    const char* files[] = {"cricket2.wav", "wolf2.wav", "ethunder.wav"};
    std::string file = files[3 * rndInt() / 32768];
    float z = rnd(2.0f) - 1, y = rnd(2.0f) - 1, x = rnd(2.0f) - 1;  // drawn in this order
    char placed[96];
    std::snprintf(placed, sizeof placed, "setChannelAttributes 5 %g %g %g / 0 0 0", x, y, z);
    rndSeed(seedBefore(3));
    s.sound.playAmbientSound(0.01f);
    ASSERT_EQ(s.fake.calls.size(), 5u);
    EXPECT_EQ(s.fake.calls[0], "loadSample -1 /data/" + file + " 4096 0");
    EXPECT_EQ(s.fake.calls[3], placed);
    // With sound off the same five draws are taken and nothing reaches the library.
    s.sound.soundOn = 0;
    s.fake.calls.clear();
    const uint32_t afterPlay = rndState();
    rndSeed(seedBefore(3));
    s.sound.playAmbientSound(0.01f);
    EXPECT_EQ(rndState(), afterPlay);
    s.sound.soundOn = 1;
    // At 10 frames per second the chance is 0.001: 32 / 32768 plays, 33 / 32768 does not.
    for (int first : {33, 32}) {
        rndSeed(seedBefore(first));
        s.sound.playAmbientSound(0.1f);
    }
    EXPECT_EQ(s.fake.calls.size(), 5u);
}
