// Sound system start-up, shutdown and the guarded operations that do nothing while sound is off.
#include "sound/SoundSystem.h"
#include "core/AppLog.h"
#include "core/FilePath.h"
#include "core/Trace.h"
#include <cstdio>

namespace {

constexpr float kRequiredVersion = 3.33f;
constexpr int kMixRate = 44000;
constexpr int kSoftwareChannels = 32;

const char* const kErrorTexts[] = {
    "No errors",
    "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first.",
    "This command failed because FSOUND_Init was not called",
    "Error initializing output device.",
    "The output device is already in use and cannot be reused.",
    "Playing the sound failed.",
    "Soundcard does not support the features needed for this soundsystem (16bit stereo output)",
    "Error setting cooperative level for hardware.",
    "Error creating hardware sound buffer.",
    "File not found",
    "Unknown file format",
    "Error loading file",
    "Not enough memory ",
    "The version number of this file format is not supported",
    "An invalid parameter was passed to this function",
    "Tried to use an EAX command on a non EAX enabled channel or output.",
    "Tried to use an advanced EAX2 command on a non EAX2 enabled channel or output.",
    "Failed to allocate a new channel",
    "Recording not supported on this device",
    "Required Mediaplayer codec is not installed",
};
constexpr int kErrorTextCount = sizeof kErrorTexts / sizeof kErrorTexts[0];

// The library takes volumes and pan as 0..255.
int toByte(float v) { return static_cast<int>(v * 255.0f); }

int failInit(int status, const char* message) {
    AppLog::write(message);
    tracef("sound", "init %d", status);
    return status;
}

}  // namespace

SoundSystem::SoundSystem(SoundLibrary& lib) : library(&lib), distanceFactor(1.0f / (50.0f / worldScale)) {}

void SoundSystem::pickDriver(int i) {
    driverCaps = 0;
    library->driverCaps(i, driverCaps);
    if (driverCaps & snd::kCapsHardware) {
        if (!eax2) driver = i;
        hardware = 1;
        use3D = 1;
    }
    if (driverCaps & snd::kCapsEax2) {
        driver = i;
        eax2 = 1;
        hardware = 1;
        use3D = 1;
    }
    if (use3D) {
        sampleMode = snd::kModeHardware3D;
        library->setDistanceFactor(distanceFactor);
    }
}

int SoundSystem::init() {
    if (library->version() < kRequiredVersion) {
        char line[96];
        std::snprintf(line, sizeof line, "Incorrect/outdated library version, should be FMOD %.02f\n", kRequiredVersion);
        return failInit(1, line);
    }
    library->setOutput(snd::kOutputSystemDefault);
    output = library->output();
    if (output != snd::kOutputSystemDefault) return failInit(2, "Snd: cannot set output to DirectSound");
    numDrivers = library->driverCount();
    if (numDrivers == 0) return failInit(3, "Snd: no sound drivers");
    for (int i = 0; i < numDrivers; ++i) pickDriver(i);
    if (!library->setDriver(driver)) return failInit(4, "Snd: Cannot set driver");
    if (!library->setMixer(snd::kMixerAutoQuality)) return failInit(5, "Snd: Cannot set mixer");
    if (!library->start(kMixRate, kSoftwareChannels, 0)) {
        AppLog::write("Snd: bad initilization:");
        logError();
        tracef("sound", "init %d", 6);
        return 6;
    }
    initialised = 1;
    soundOn = 1;
    tracef("sound", "init 0 driver %d 3d %d", driver, use3D);
    return 0;
}

void SoundSystem::close() {
    freeSample(lastSample);
    library->close();
    trace("sound", "close");
}

SampleHandle SoundSystem::loadSample(const char* fileName) {
    if (!soundOn) return nullptr;
    SampleHandle sample = loadFile(fileName, sampleMode);
    if (!sample) sample = loadFile(fileName, snd::kModeStereo);
    return sample;
}

SampleHandle SoundSystem::loadFile(const char* fileName, unsigned mode) {
    char path[kMaxPath];
    return library->loadSample(snd::kAnySlot, joinPath(path, sizeof path, fileDirectory, fileName), mode, 0);
}

void SoundSystem::freeSample(SampleHandle sample) {
    if (sample) library->freeSample(sample);
}

void SoundSystem::setSfxVolume(float v) {
    if (!soundOn) return;
    sfxVolume = v;
    library->setSfxMasterVolume(toByte(v));
}

void SoundSystem::setVolume(float v) {
    if (!soundOn) return;
    volume = v;
    setChannelVolume(channel, v);
}

void SoundSystem::setChannelVolume(int channelNumber, float v) {
    if (soundOn && channelNumber >= 0) library->setVolume(channelNumber, toByte(v));
}

void SoundSystem::setPan(float v) {
    if (soundOn && channel >= 0) library->setPan(channel, toByte(v));
}

void SoundSystem::setFrequency(int hz) {
    if (!soundOn) return;
    frequency = hz;
    if (channel >= 0) library->setFrequency(channel, hz);
}

void SoundSystem::setDistanceFactor(float f) {
    worldScale = f;
    if (use3D) library->setDistanceFactor(f);
}

void SoundSystem::stopAll() {
    if (!soundOn) return;
    library->stopSound(snd::kAllChannels);
    trace("sound", "stop all");
}

int SoundSystem::channelsPlaying() { return library->channelsPlaying(); }

void SoundSystem::playSong(SongHandle s) {
    if (s && initialised) library->playSong(s);
}

void SoundSystem::stopSong(SongHandle s) {
    if (s) library->stopSong(s);
}

void SoundSystem::setMusicVolume(SongHandle s, float v) {
    musicVolume = v;
    if (s) library->setSongVolume(s, toByte(v));
}

void SoundSystem::logError() {
    int code = library->lastError();
    AppLog::write(code >= 0 && code < kErrorTextCount ? kErrorTexts[code] : "Unknown error");
}
