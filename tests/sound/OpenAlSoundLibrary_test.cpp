// The OpenAL layer on OpenAL Soft, through its wave writer: sides captured from the output, the start-up contract,
// shared samples, channels and errors; and the sound file reader's mixdown.
#include "app/Globals.h"
#include "sound/OpenAlSoundLibrary.h"
#include "sound/SoundFile.h"
#include "support/TestSupport.h"
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <thread>

// Positional stereo is mixed down to the mean of its sides, plain stereo kept; damaged files say why.
TEST(SoundFile, PositionalStereoIsMixedToMonoAndBadFilesGiveTheirError) {
    ScratchDir dir;
    const short frames[6] = {1000, 3000, -20000, -30000, 7, 8};
    for (int channels : {1, 2, 3}) {
        SF_INFO out{0, 8000, channels, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0, 0};
        SNDFILE* f = sf_open("s.wav", SFM_WRITE, &out);
        sf_write_short(f, frames, 6);
        sf_close(f);
        for (bool positional : {false, true}) {
            std::vector<short> data;
            SF_INFO info{};
            int error = 0;
            const sf_count_t n = readSoundFile("s.wav", positional, data, info, error);
            SCOPED_TRACE(testing::Message() << channels << " channels, positional " << positional);
            const bool mixed = positional && channels == 2;
            EXPECT_EQ(n, channels == 3 ? 0 : 6 / channels);
            EXPECT_EQ(error, channels == 3 ? snd::kErrFileBad : 0);
            EXPECT_EQ(info.channels, mixed ? 1 : channels);
            if (channels == 3) continue;
            const std::vector<short> expected = mixed ? std::vector<short>{-25000, 7} : std::vector<short>{frames[1], frames[2]};
            EXPECT_EQ(std::vector<short>(data.begin() + 1, data.begin() + 3), expected) << "(7 + 8) / 2 truncated";
        }
    }
}

TEST(OpenAlSoundLibrary, PlacedSoundsComeFromTheirSideOfThePicture) {
    ScratchDir dir(true);
    writeFile("alsoft.conf", "[general]\ndrivers = wave\nchannels = quad\n[wave]\nfile = " + dir.file("out.wav") + "\n");
    setenv("ALSOFT_CONF", dir.file("alsoft.conf").c_str(), 1);  // read once: every opening rewrites the file
    const struct { float heading, x, z; bool right, front; } cases[] = {
        {0, 1, -1, true, true},   {0, -1, 1, false, false}, {90, 1, 1, true, true},
        {90, 1, -1, false, true}, {45, 2, 0, true, true},  // the volcano 45 degrees right of the centre
    };
    for (const auto& c : cases) {
        resetProgramState();
        OpenAlSoundLibrary library;
        SoundSystem sound(library);
        ASSERT_EQ(sound.init(), 0);
        ASSERT_EQ(sound.use3D, 1);
        const float h = c.heading * 3.14159265f / 180.0f, forward[3] = {-std::sin(h), 0, std::cos(h)};
        std::copy(forward, forward + 3, camera.forward), camera.up[1] = 1, camera.position = Vec3(5, 1, -3);
        sound.updateListener();
        ASSERT_EQ(sound.playSample3D(sound.loadSample("explosion.wav"), 5 + c.x, 1, c.z - 3), 0);
        // The writer mixes in real time: wait for a quarter of a second of output, longer on a busy machine.
        struct stat written {};
        for (int wait = 0; wait < 500 && (stat("out.wav", &written) != 0 || written.st_size < 100000); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        library.close();
        SF_INFO info{};
        SNDFILE* const file = sf_open("out.wav", SFM_READ, &info);
        ASSERT_TRUE(file && info.channels == 4);
        double e[4] = {};
        for (float f[4]; sf_readf_float(file, f, 1) == 1;)
            for (int k = 0; k < 4; ++k) e[k] += f[k] * f[k];
        sf_close(file);  // below: sides summed from front left, front right, back left, back right
        const double left = e[0] + e[2], right = e[1] + e[3], front = e[0] + e[1], back = e[2] + e[3];
        SCOPED_TRACE(testing::Message() << "heading " << c.heading << " at " << c.x << ", " << c.z);
        ASSERT_GT(left + right, 1.0) << "the boom was captured";
        EXPECT_GT(c.right ? right : left, 2.0 * (c.right ? left : right));
        EXPECT_GT(c.front ? front : back, 2.0 * (c.front ? back : front));
    }

    OpenAlSoundLibrary lib;
    // A refused call and the error it leaves.
    auto refused = [&lib](bool refusal, int error) { EXPECT_TRUE(refusal && lib.lastError() == error) << error; };
    refused(lib.loadSample(snd::kAnySlot, "hit.wav", snd::kMode2D, 0) == nullptr, snd::kErrUninitialised);
    EXPECT_EQ(lib.playSound(snd::kAnyChannel, nullptr), -1);
    lib.setOutput(snd::kOutputSystemDefault);
    ASSERT_TRUE(lib.driverCount() > 0 && lib.setDriver(-1) && lib.start(44000, 32, 0) == 1);
    refused(lib.start(44000, 32, 0) == 0, snd::kErrBusy);
    // Samples are shared by file and mode and counted; freeing the last stops its channels.
    SampleHandle a = lib.loadSample(snd::kAnySlot, "hit.wav", snd::kModeHardware3D, 0);
    SampleHandle b = lib.loadSample(snd::kAnySlot, "hit.wav", snd::kModeHardware3D, 0);
    EXPECT_TRUE(a != nullptr && a == b && lib.loadSample(snd::kAnySlot, "hit.wav", snd::kMode2D, 0) != a);
    lib.freeSample(a);
    EXPECT_EQ(lib.playSound(snd::kAnyChannel, b), 0) << "one reference is left";
    lib.freeSample(b);
    refused(lib.playSound(snd::kAnyChannel, b) == -1, snd::kErrInvalidParam);
    EXPECT_EQ(lib.channelsPlaying(), 0) << "freeing a sample stops its channels";
    refused(lib.loadSample(snd::kAnySlot, "missing.wav", snd::kMode2D, 0) == nullptr, snd::kErrFileNotFound);
    // 32 channels, a stopped one free again.
    SampleHandle thx = lib.loadSample(snd::kAnySlot, "thx2.wav", snd::kModeHardware3D, 0);
    ASSERT_NE(thx, nullptr);
    for (int c = 0; c < 32; ++c) ASSERT_EQ(lib.playSound(snd::kAnyChannel, thx), c);
    refused(lib.playSound(snd::kAnyChannel, thx) == -1, snd::kErrChannelAlloc);
    EXPECT_EQ(lib.channelsPlaying(), 32);
    lib.stopSound(7);
    EXPECT_EQ(lib.channelsPlaying(), 31);
    EXPECT_EQ(lib.playSound(snd::kAnyChannel, thx), 7);
    lib.close();
    EXPECT_EQ(lib.playSound(snd::kAnyChannel, thx), -1);
    unsetenv("ALSOFT_CONF");
}
