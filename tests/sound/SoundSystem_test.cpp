// Sound system start-up against a scripted library: call order, driver choice, failure lines, guarded operations.
#include "core/AppLog.h"
#include "sound/FakeSoundLibrary.h"
#include "sound/SoundSystem.h"
#include "support/TestSupport.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr unsigned kHw = snd::kCapsHardware, kEax2 = snd::kCapsEax2;

// A scratch directory with an empty log, so that each case reads only its own log lines.
struct LogCapture {
    ScratchDir dir;
    LogCapture() { AppLog::restart(); }
    std::string lines() const { return readFile("app.log"); }
};

}  // namespace

TEST(SoundSystem, InitBringsTheLibraryUpInOrderAndChoosesTheDriverByItsCapabilityBits) {
    const struct { std::vector<unsigned> caps; int driver, use3D, distanceCalls; } cases[] = {
        {{kHw, kEax2}, 1, 1, 2},    // the last EAX2 driver wins
        {{0, 0}, -1, 0, 0},         // nothing 3D: the library's default driver
        {{kHw, kHw}, 1, 1, 2},      // the last hardware driver
        {{kEax2, kHw}, 0, 1, 2},    // hardware never displaces an EAX2 choice
        {{0, kHw, 0}, 1, 1, 2},     // the factor is sent from the first 3D driver on
    };
    for (const auto& c : cases) {
        LogCapture log;
        FakeSoundLibrary fake;
        fake.caps = c.caps;
        SoundSystem sound(fake);
        ASSERT_EQ(sound.init(), 0);
        SCOPED_TRACE(fake.callText());
        EXPECT_EQ(std::count(fake.calls.begin(), fake.calls.end(), "setDriver " + std::to_string(c.driver)), 1);
        EXPECT_EQ(sound.use3D, c.use3D);
        EXPECT_EQ(sound.sampleMode, c.use3D ? snd::kModeHardware3D : snd::kMode2D);
        EXPECT_EQ(std::count(fake.calls.begin(), fake.calls.end(), "setDistanceFactor 20"), c.distanceCalls);
        EXPECT_EQ(sound.soundOn + sound.initialised, 2);
        EXPECT_EQ(log.lines(), "");
        if (&c == cases)
            EXPECT_EQ(fake.callText(), "version\nsetOutput 2\noutput\ndriverCount\ndriverCaps 0\nsetDistanceFactor 20\n"
                                       "driverCaps 1\nsetDistanceFactor 20\nsetDriver 1\nsetMixer 4\nstart 44000 32 0\n");
    }
}

TEST(SoundSystem, EachFailedStepWritesItsLineStopsThereAndLeavesSoundOff) {
    using Script = void (*)(FakeSoundLibrary&);
    const char* const kStart = "Snd: bad initilization:\n";
    // The error texts cover the library's codes 0 to 19 and nothing else.
    const struct { Script script; int status; const char* lastCall; std::string log; } cases[] = {
        {[](FakeSoundLibrary& f) { f.versionResult = 3.32f; }, 1, "version",
         "Incorrect/outdated library version, should be FMOD 3.33\n\n"},
        {[](FakeSoundLibrary& f) { f.outputResult = 0; }, 2, "output", "Snd: cannot set output to DirectSound\n"},
        {[](FakeSoundLibrary& f) { f.caps.clear(); }, 3, "driverCount", "Snd: no sound drivers\n"},
        {[](FakeSoundLibrary& f) { f.setDriverResult = 0; }, 4, "setDriver 0", "Snd: Cannot set driver\n"},
        {[](FakeSoundLibrary& f) { f.setMixerResult = 0; }, 5, "setMixer 4", "Snd: Cannot set mixer\n"},
        {[](FakeSoundLibrary& f) { f.startResult = 0, f.errorCode = 0; }, 6, "lastError", kStart + std::string("No errors\n")},
        {[](FakeSoundLibrary& f) { f.startResult = 0, f.errorCode = 19; }, 6, "lastError",
         kStart + std::string("Required Mediaplayer codec is not installed\n")},
        {[](FakeSoundLibrary& f) { f.startResult = 0, f.errorCode = 20; }, 6, "lastError", kStart + std::string("Unknown error\n")},
        {[](FakeSoundLibrary& f) { f.startResult = 0, f.errorCode = -1; }, 6, "lastError", kStart + std::string("Unknown error\n")},
    };
    for (const auto& c : cases) {
        LogCapture log;
        FakeSoundLibrary fake;
        c.script(fake);
        SoundSystem sound(fake);
        EXPECT_EQ(sound.init(), c.status);
        EXPECT_EQ(fake.calls.back(), c.lastCall);
        EXPECT_EQ(log.lines(), c.log);
        EXPECT_EQ(sound.soundOn + sound.initialised, 0);
        // Silent from now on: nothing reaches the library and every play says so.
        fake.calls.clear();
        sound.stopAll();
        sound.setVolume(0.5f);
        sound.setSfxVolume(0.5f);
        sound.setFrequency(100);
        sound.playSong(&fake);
        EXPECT_EQ(sound.loadSample("explosion.wav"), nullptr);
        EXPECT_EQ(sound.playFile("hit.wav") + sound.playFile3D("hit.wav", 0, 0, 0), -2);
        EXPECT_EQ(sound.playSample(&fake) + sound.playSample3D(&fake, 0, 0, 0), -2);
        EXPECT_EQ(fake.callText(), "");
        EXPECT_FLOAT_EQ(sound.volume, 1.0f);
    }
}

TEST(SoundSystem, GuardedOperationsReachTheCurrentChannelAndSamplesLoadWithAStereoRetry) {
    LogCapture log;
    FakeSoundLibrary fake;
    fake.failingLoads = {"/data/explosion.wav 4096"};
    SoundSystem sound(fake);
    sound.fileDirectory = "/data";
    ASSERT_EQ(sound.init(), 0);
    fake.calls.clear();
    // Without a channel the volume is kept for the next one but not sent.
    sound.setVolume(0.5f);
    sound.setPan(0.5f);
    sound.setFrequency(44000);
    sound.setSfxVolume(1.0f);
    EXPECT_FLOAT_EQ(sound.volume, 0.5f);
    EXPECT_EQ(sound.frequency, 44000);
    sound.channel = 3;
    sound.setVolume(0.5f);
    sound.setPan(0.25f);
    sound.setFrequency(22050);
    sound.stopAll();
    sound.setMusicVolume(nullptr, 0.5f);
    sound.setMusicVolume(reinterpret_cast<SongHandle>(7), 0.5f);
    EXPECT_FLOAT_EQ(sound.pan, 0.5f) << "callers keep the pan themselves";
    SampleHandle sample = sound.loadSample("explosion.wav");
    sound.freeSample(nullptr);
    sound.lastSample = sample;
    sound.close();
    EXPECT_EQ(fake.callText(),
              "setSfxMasterVolume 255\nsetVolume 3 127\nsetPan 3 63\nsetFrequency 3 22050\nstopSound -3\n"
              "setSongVolume #7 127\n"
              "loadSample -1 /data/explosion.wav 4096 0\nloadSample -1 /data/explosion.wav 64 0\nfreeSample #1\nclose\n");
}
