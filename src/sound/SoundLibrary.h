// The calls SoundSystem makes into the sound library; the OpenAL layer and the test fake implement them.
#pragma once

using SampleHandle = void*;  // empty (null) when nothing was loaded
using SongHandle = void*;    // music module; the program never loads one

// Codes and flags of the library's call contract.
namespace snd {
constexpr int kOutputSystemDefault = 2;  // the one real output: the system's default sound output
constexpr unsigned kCapsHardware = 1;    // driver capability: mixes in 3D itself
constexpr unsigned kCapsEax2 = 2;        // driver capability: environmental reverb
constexpr int kMixerAutoQuality = 4;
constexpr int kAnySlot = -1;             // sample slot: any free one
constexpr int kAnyChannel = -1;          // play: any free channel
constexpr int kAllChannels = -3;         // stop: every channel
constexpr unsigned kModeStereo = 64;
constexpr unsigned kModeHardware3D = 4096;
constexpr unsigned kMode2D = 8192;
constexpr float kReverbMixByDistance = -1.0f;

// Error codes returned by lastError.
enum Error {
    kErrNone,
    kErrBusy,
    kErrUninitialised,
    kErrInit,
    kErrAllocated,
    kErrPlay,
    kErrOutputFormat,
    kErrCooperativeLevel,
    kErrCreateBuffer,
    kErrFileNotFound,
    kErrFileFormat,
    kErrFileBad,
    kErrMemory,
    kErrVersion,
    kErrInvalidParam,
    kErrNoEax,
    kErrNoEax2,
    kErrChannelAlloc,
    kErrRecord,
    kErrMediaPlayer,
};
}  // namespace snd

class SoundLibrary {
public:
    virtual ~SoundLibrary() = default;

    // Start-up and shutdown; the int results are 0 on failure, non-zero on success.
    virtual float version() = 0;
    virtual void setOutput(int output) = 0;
    virtual int output() = 0;
    virtual int driverCount() = 0;
    virtual void driverCaps(int driver, unsigned& caps) = 0;
    virtual int setDriver(int driver) = 0;
    virtual int setMixer(int mixer) = 0;
    virtual int start(int mixRate, int maxChannels, unsigned flags) = 0;
    virtual void close() = 0;
    virtual int lastError() = 0;

    virtual SampleHandle loadSample(int slot, const char* fileName, unsigned mode, int offset) = 0;
    virtual void freeSample(SampleHandle sample) = 0;
    virtual void setMinMaxDistance(SampleHandle sample, float minDistance, float maxDistance) = 0;

    // Channels: play returns the channel number, negative when none was free.
    virtual int playSound(int channel, SampleHandle sample) = 0;
    virtual void stopSound(int channel) = 0;
    virtual void setVolume(int channel, int volume) = 0;  // volumes and pan are 0..255
    virtual void setPan(int channel, int pan) = 0;
    virtual void setFrequency(int channel, int hz) = 0;
    virtual void setSfxMasterVolume(int volume) = 0;
    virtual int channelsPlaying() = 0;
    virtual void setReverbMix(int channel, float mix) = 0;

    // Positions and velocities in the world's right-handed axes, as drawn; the listener's forward vector is
    // the camera's (pointing back from the eye) and its up vector points up out of the picture.
    virtual void setChannelAttributes(int channel, const float position[3], const float velocity[3]) = 0;
    virtual void setListenerAttributes(const float position[3], const float velocity[3], const float forward[3],
                                       const float up[3]) = 0;
    virtual void setDistanceFactor(float unitsPerMetre) = 0;
    virtual void update3D() = 0;

    virtual void playSong(SongHandle song) = 0;
    virtual void stopSong(SongHandle song) = 0;
    virtual void setSongVolume(SongHandle song, int volume) = 0;
};
