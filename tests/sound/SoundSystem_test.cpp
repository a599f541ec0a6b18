// The sound system against a scripted library: start-up order, driver choice, failure lines, guarded operations,
// plays with and without 3D, the listener and the ambient sounds.
#include "app/Globals.h"
#include "core/AppLog.h"
#include "core/Random.h"
#include "sound/FakeSoundLibrary.h"
#include "sound/SoundSystem.h"
#include "support/TestSupport.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr unsigned kHw = snd::kCapsHardware, kEax2 = snd::kCapsEax2;

// A started sound system on the fake, in a scratch directory with an empty log; the start-up calls are kept.
struct Started {
    ScratchDir dir;
    FakeSoundLibrary fake;
    SoundSystem sound{fake};
    explicit Started(std::vector<unsigned> caps, int status = 0) {
        resetProgramState();
        AppLog::restart();
        fake.caps = caps;
        fake.nextChannel = 5;
        sound.fileDirectory = "/data";
        EXPECT_EQ(sound.init(), status);
        camera.position = Vec3(1, 2, 3);
        frameClock.time = 12.5;
    }
    int count(const std::string& call) const { return std::count(fake.calls.begin(), fake.calls.end(), call); }
};

// The seed after which the generator's next result is `value` (0..32767).
uint32_t seedBefore(int value) {
    uint32_t inverse = 214013u;  // Newton's iteration for the inverse of the multiplier modulo 2^32
    for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
    return ((static_cast<uint32_t>(value) << 16) - 2531011u) * inverse;
}

}  // namespace

TEST(SoundSystem, InitBringsTheLibraryUpInOrderAndChoosesTheDriverByItsCapabilityBits) {
    const struct { std::vector<unsigned> caps; int driver, use3D, distanceCalls; } cases[] = {
        {{kHw, kEax2}, 1, 1, 2},  // the last EAX2 driver wins
        {{0, 0}, -1, 0, 0},       // nothing 3D: the library's default driver
        {{kHw, kHw}, 1, 1, 2},    // the last hardware driver
        {{kEax2, kHw}, 0, 1, 2},  // hardware never displaces an EAX2 choice
        {{0, kHw, 0}, 1, 1, 2},   // the factor is sent from the first 3D driver on
    };
    for (const auto& c : cases) {
        Started s(c.caps);
        SCOPED_TRACE(s.fake.callText());
        EXPECT_EQ(s.count("setDriver " + std::to_string(c.driver)), 1);
        EXPECT_EQ(s.sound.use3D, c.use3D);
        EXPECT_EQ(s.sound.sampleMode, c.use3D ? snd::kModeHardware3D : snd::kMode2D);
        EXPECT_EQ(s.count("setDistanceFactor 20"), c.distanceCalls);
        EXPECT_EQ(s.sound.soundOn + s.sound.initialised, 2);
        EXPECT_EQ(readFile("app.log"), "");
    }
    EXPECT_EQ(Started({kHw, kEax2}).fake.callText(), "version\nsetOutput 2\noutput\ndriverCount\ndriverCaps 0\n"
              "setDistanceFactor 20\ndriverCaps 1\nsetDistanceFactor 20\nsetDriver 1\nsetMixer 4\nstart 44000 32 0\n");
}

TEST(SoundSystem, EachFailedStepWritesItsLineStopsThereAndLeavesSoundOff) {
    // Error texts cover the library's codes 0 to 19 and nothing else.
    const std::string kStart = "Snd: bad initilization:\n";
    // The script (error -2: the start succeeds), then the status, the last call and the log.
    const struct { float version; int output, drivers, setDriver, setMixer, error, status; const char* last; std::string log; } cases[] = {
        {3.32f, 2, 1, 1, 1, -2, 1, "version", "Incorrect/outdated library version, should be FMOD 3.33\n\n"},
        {3.4f, 0, 1, 1, 1, -2, 2, "output", "Snd: cannot set output to DirectSound\n"},
        {3.4f, 2, 0, 1, 1, -2, 3, "driverCount", "Snd: no sound drivers\n"},
        {3.4f, 2, 1, 0, 1, -2, 4, "setDriver 0", "Snd: Cannot set driver\n"},
        {3.4f, 2, 1, 1, 0, -2, 5, "setMixer 4", "Snd: Cannot set mixer\n"},
        {3.4f, 2, 1, 1, 1, 0, 6, "lastError", kStart + "No errors\n"},
        {3.4f, 2, 1, 1, 1, 19, 6, "lastError", kStart + "Required Mediaplayer codec is not installed\n"},
        {3.4f, 2, 1, 1, 1, 20, 6, "lastError", kStart + "Unknown error\n"},
        {3.4f, 2, 1, 1, 1, -1, 6, "lastError", kStart + "Unknown error\n"},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        AppLog::restart();
        FakeSoundLibrary fake;
        fake.versionResult = c.version, fake.outputResult = c.output, fake.caps.resize(c.drivers, kHw);
        fake.setDriverResult = c.setDriver, fake.setMixerResult = c.setMixer;
        fake.startResult = c.error == -2, fake.errorCode = c.error;
        SoundSystem sound(fake);
        EXPECT_EQ(sound.init(), c.status);
        EXPECT_EQ(fake.calls.back(), c.last);
        EXPECT_EQ(readFile("app.log"), c.log);
        EXPECT_EQ(sound.soundOn + sound.initialised, 0);
        // Silent from now on: nothing reaches the library and every play says so.
        fake.calls.clear();
        sound.stopAll(), sound.setVolume(0.5f), sound.setSfxVolume(0.5f), sound.setFrequency(100), sound.playSong(&fake);
        EXPECT_EQ(sound.loadSample("explosion.wav"), nullptr);
        EXPECT_EQ(sound.playFile("hit.wav") + sound.playFile3D("hit.wav", 0, 0, 0), -2);
        EXPECT_EQ(sound.playSample(&fake) + sound.playSample3D(&fake, 0, 0, 0), -2);
        EXPECT_EQ(fake.callText(), "");
        EXPECT_FLOAT_EQ(sound.volume, 1.0f);
    }
}

TEST(SoundSystem, GuardedOperationsReachTheCurrentChannelAndSamplesLoadWithAStereoRetry) {
    Started s({kHw});
    s.fake.failingLoads = {"/data/explosion.wav 4096"};
    s.fake.calls.clear();
    // Without a channel the volume is kept for the next one but not sent.
    s.sound.channel = -1;
    s.sound.setVolume(0.5f), s.sound.setPan(0.5f), s.sound.setFrequency(44000), s.sound.setSfxVolume(1.0f);
    EXPECT_TRUE(s.sound.volume == 0.5f && s.sound.frequency == 44000);
    s.sound.channel = 3;
    s.sound.setVolume(0.5f), s.sound.setPan(0.25f), s.sound.setFrequency(22050), s.sound.stopAll();
    s.sound.setMusicVolume(nullptr, 0.5f), s.sound.setMusicVolume(reinterpret_cast<SongHandle>(7), 0.5f);
    EXPECT_FLOAT_EQ(s.sound.pan, 0.5f) << "callers keep the pan themselves";
    s.sound.lastSample = s.sound.loadSample("explosion.wav");
    s.sound.freeSample(nullptr), s.sound.close();
    EXPECT_EQ(s.fake.callText(),
              "setSfxMasterVolume 255\nsetVolume 3 127\nsetPan 3 63\nsetFrequency 3 22050\nstopSound -3\n"
              "setSongVolume #7 127\nloadSample -1 /data/explosion.wav 4096 0\nloadSample -1 /data/explosion.wav 64 0\n"
              "freeSample #1\nclose\n");
}

TEST(SoundSystem, Without3DSoundsAreCentredAtTheCurrentVolumeAnd3DPlacesThemWithDistancesAndReverb) {
    Started flat({0});
    flat.fake.calls.clear();
    flat.sound.volume = 0.5f;
    EXPECT_EQ(flat.sound.playFile3D("wolf2.wav", 7, 8, 9), 0);
    flat.sound.updateListener();
    flat.sound.setChannelPosition(5, 0.5f, -0.5f, 2);
    EXPECT_EQ(flat.fake.callText(), "loadSample -1 /data/wolf2.wav 8192 0\nplaySound -1 #1\nsetPan 5 127\nsetVolume 5 127\n");
    EXPECT_EQ(flat.sound.channel, 5);
    EXPECT_FLOAT_EQ(flat.sound.lastPlayTime, 12.5f);

    Started s({kHw});
    s.fake.calls.clear();
    EXPECT_EQ(s.sound.playFile("hit.wav"), 0);  // at the camera
    SampleHandle explosion = reinterpret_cast<SampleHandle>(9);
    EXPECT_EQ(s.sound.playSample3D(explosion, 0, 0, 0) + s.sound.playSample(explosion), 0);
    s.sound.setChannelPosition(4, 0.5f, -0.5f, 2);
    camera.forward[0] = camera.up[1] = 1;
    s.sound.updateListener();
    EXPECT_EQ(s.fake.callText(),
              "loadSample -1 /data/hit.wav 4096 0\nsetMinMaxDistance #1 200 1200\nplaySound -1 #1\n"
              "setChannelAttributes 5 1 2 3 / 0 0 0\nsetReverbMix 5 -1\n"
              "setMinMaxDistance #9 200 1200\nplaySound -1 #9\nsetChannelAttributes 6 0 0 0 / 0 0 0\nsetReverbMix 6 -1\n"
              "setMinMaxDistance #9 200 1200\nplaySound -1 #9\nsetChannelAttributes 7 1 2 3 / 0 0 0\nsetReverbMix 7 -1\n"
              "setChannelAttributes 4 0.5 -0.5 2 / 0 0 0\nsetListenerAttributes 1 2 3 / 0 0 0 / 1 0 0 / 0 1 0\nupdate3D\n");
    EXPECT_EQ(FakeSoundLibrary::id(s.sound.lastSample), 1) << "a sample play keeps the last loaded file";
    EXPECT_FLOAT_EQ(s.sound.lastPlayTime, 12.5f);
}

TEST(SoundSystem, NothingToPlayGivesMinusOneWithoutAPlayCall) {
    for (bool threeD : {false, true}) {
        Started s({threeD ? kHw : 0u});
        s.fake.calls.clear();
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

// Chance 0.0001 at 100 frames per second: a first draw of 3 / 32768 plays, 4 does not; 0.001 at 10: 32 plays, 33 not.
// The file and place come from the next draws, z before y before x; with sound off the draws are the same.
TEST(SoundSystem, AmbientSoundsComeAtOneHundredthOfTheFrameStep) {
    Started s({kHw});
    rndSeed(seedBefore(3));
    rndInt();
    std::string file = std::vector<std::string>{"cricket2", "wolf2", "ethunder"}[3 * rndInt() / 32768];
    float z = rnd(2.0f) - 1, y = rnd(2.0f) - 1, x = rnd(2.0f) - 1;
    const uint32_t afterPlay = rndState();
    char placed[96];
    std::snprintf(placed, sizeof placed, "setChannelAttributes 5 %g %g %g / 0 0 0", x, y, z);
    const struct { int first; float dt, soundOn; size_t calls; uint32_t after; } cases[] = {
        {4, 0.01f, 1, 0, seedBefore(4) * 214013u + 2531011u}, {3, 0.01f, 1, 5, afterPlay}, {3, 0.01f, 0, 0, afterPlay},
        {33, 0.1f, 1, 0, 0}, {32, 0.1f, 1, 5, 0}};
    for (const auto& c : cases) {
        s.fake.calls.clear();
        s.sound.soundOn = c.soundOn;
        rndSeed(seedBefore(c.first));
        s.sound.playAmbientSound(c.dt);
        ASSERT_EQ(s.fake.calls.size(), c.calls) << c.first;
        EXPECT_TRUE(c.after == 0 || rndState() == c.after) << c.first;
        const std::string played = c.calls ? s.fake.calls[0] + s.fake.calls[3] : "";
        EXPECT_TRUE(&c != cases + 1 || played == "loadSample -1 /data/" + file + ".wav 4096 0" + placed) << played;
    }
}
