// The OpenAL layer on OpenAL Soft's null output: the start-up contract, shared samples, channels and errors.
#include "sound/OpenAlSoundLibrary.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

// OpenAL reads its backend choice once per process, at its first call; each test runs in its own process.
struct NullOutput {
    ScratchDir dir{true};
    OpenAlSoundLibrary library;
    NullOutput() { setenv("ALSOFT_DRIVERS", "null", 1); }
    ~NullOutput() { unsetenv("ALSOFT_DRIVERS"); }
    bool start() {
        library.setOutput(snd::kOutputSystemDefault);
        return library.driverCount() > 0 && library.setDriver(-1) && library.start(44000, 32, 0);
    }
};

}  // namespace

TEST(OpenAlSoundLibrary, HonoursTheStartUpContractOnTheNullOutput) {
    NullOutput null;
    OpenAlSoundLibrary& lib = null.library;
    EXPECT_GE(lib.version(), 3.33f);
    EXPECT_EQ(lib.loadSample(snd::kAnySlot, "hit.wav", snd::kMode2D, 0), nullptr);
    EXPECT_EQ(lib.lastError(), snd::kErrUninitialised);
    EXPECT_EQ(lib.playSound(snd::kAnyChannel, nullptr), -1);

    lib.setOutput(5);
    EXPECT_EQ(lib.lastError(), snd::kErrInvalidParam);
    lib.setOutput(snd::kOutputSystemDefault);
    EXPECT_EQ(lib.output(), snd::kOutputSystemDefault);
    ASSERT_EQ(lib.driverCount(), 1);
    unsigned caps = 0;
    lib.driverCaps(0, caps);
    EXPECT_EQ(caps, snd::kCapsHardware) << "the default device is the one to choose";
    EXPECT_EQ(lib.setDriver(1), 0);
    EXPECT_EQ(lib.setDriver(0), 1);
    EXPECT_EQ(lib.setMixer(snd::kMixerAutoQuality), 1);
    EXPECT_EQ(lib.start(44000, 32, 0), 1);
    EXPECT_EQ(lib.start(44000, 32, 0), 0);
    EXPECT_EQ(lib.lastError(), snd::kErrBusy);
}

TEST(OpenAlSoundLibrary, LoadsShareABufferUntilTheLastFreeAndChannelsRunOutAtTheStartCount) {
    NullOutput null;
    OpenAlSoundLibrary& lib = null.library;
    ASSERT_TRUE(null.start());
    SampleHandle a = lib.loadSample(snd::kAnySlot, "hit.wav", snd::kModeHardware3D, 0);
    SampleHandle b = lib.loadSample(snd::kAnySlot, "hit.wav", snd::kModeHardware3D, 0);
    SampleHandle flat = lib.loadSample(snd::kAnySlot, "hit.wav", snd::kMode2D, 0);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_NE(flat, a);

    lib.freeSample(a);
    EXPECT_EQ(lib.playSound(snd::kAnyChannel, b), 0) << "one reference is left";
    lib.freeSample(b);
    EXPECT_EQ(lib.playSound(snd::kAnyChannel, b), -1);
    EXPECT_EQ(lib.lastError(), snd::kErrInvalidParam);
    EXPECT_EQ(lib.channelsPlaying(), 0) << "freeing a sample stops its channels";
    EXPECT_EQ(lib.loadSample(snd::kAnySlot, "missing.wav", snd::kMode2D, 0), nullptr);
    EXPECT_EQ(lib.lastError(), snd::kErrFileNotFound);
    writeFile("noise.wav", "not a sound file at all");
    EXPECT_EQ(lib.loadSample(snd::kAnySlot, "noise.wav", snd::kMode2D, 0), nullptr);
    EXPECT_EQ(lib.lastError(), snd::kErrFileFormat);

    SampleHandle thx = lib.loadSample(snd::kAnySlot, "thx2.wav", snd::kModeHardware3D, 0);
    ASSERT_NE(thx, nullptr);
    for (int c = 0; c < 32; ++c) ASSERT_EQ(lib.playSound(snd::kAnyChannel, thx), c);
    EXPECT_EQ(lib.playSound(snd::kAnyChannel, thx), -1);
    EXPECT_EQ(lib.lastError(), snd::kErrChannelAlloc);
    EXPECT_EQ(lib.channelsPlaying(), 32);

    lib.stopSound(7);
    EXPECT_EQ(lib.channelsPlaying(), 31);
    EXPECT_EQ(lib.playSound(snd::kAnyChannel, thx), 7) << "a stopped channel is free again";
    lib.stopSound(snd::kAllChannels);
    EXPECT_EQ(lib.channelsPlaying(), 0);
    lib.close();
    EXPECT_EQ(lib.playSound(snd::kAnyChannel, thx), -1);
}
