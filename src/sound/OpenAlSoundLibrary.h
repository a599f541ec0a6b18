// The sound library on OpenAL Soft, with WAV files read through libsndfile.
#pragma once
#include "sound/SoundLibrary.h"
#include <AL/al.h>
#include <AL/alc.h>

class OpenAlSoundLibrary : public SoundLibrary {
public:
    ~OpenAlSoundLibrary() override { close(); }

    float version() override;
    void setOutput(int output) override;
    int output() override { return outputCode; }
    int driverCount() override;
    void driverCaps(int driver, unsigned& caps) override;
    int setDriver(int driver) override;
    int setMixer(int) override { return 1; }  // OpenAL picks its own mixer
    int start(int mixRate, int maxChannels, unsigned flags) override;
    void close() override;
    int lastError() override { return error; }

    SampleHandle loadSample(int slot, const char* fileName, unsigned mode, int offset) override;
    void freeSample(SampleHandle sample) override;
    void setMinMaxDistance(SampleHandle sample, float minDistance, float maxDistance) override;

    int playSound(int channel, SampleHandle sample) override;
    void stopSound(int channel) override;
    void setVolume(int channel, int volume) override;
    void setPan(int channel, int pan) override;
    void setFrequency(int channel, int hz) override;
    void setSfxMasterVolume(int volume) override;
    int channelsPlaying() override;
    // No effect slot is set up: the distance attenuation alone tells near from far.
    void setReverbMix(int, float) override {}

    void setChannelAttributes(int channel, const float position[3], const float velocity[3]) override;
    void setListenerAttributes(const float position[3], const float velocity[3], const float forward[3],
                               const float up[3]) override;
    void setDistanceFactor(float unitsPerMetre) override;
    void update3D() override {}  // OpenAL applies every change as it is made

    // This layer cannot load music modules, so no song handle ever reaches these.
    void playSong(SongHandle) override {}
    void stopSong(SongHandle) override {}
    void setSongVolume(SongHandle, int) override {}

private:
    static constexpr int kMaxDevices = 8;
    static constexpr int kNameLength = 256;
    static constexpr int kSampleSlots = 32;
    static constexpr int kMaxChannels = 64;

    // One decoded file; loading the same file in the same mode again shares it and counts the reference.
    struct Sample {
        ALuint buffer = 0;
        int refs = 0;
        unsigned mode = 0;
        int rate = 0;
        float minDistance = 1.0f;
        float maxDistance = 1000000.0f;
        char fileName[kNameLength] = {};
    };

    Sample* sampleOf(SampleHandle handle);
    Sample* findLoaded(const char* fileName, unsigned mode);
    bool decode(Sample& sample, const char* fileName, unsigned mode);
    bool hasChannel(int channel) const { return context && channel >= 0 && channel < channelCount; }
    bool isPlaying(int channel) const;
    int freeChannel() const;
    void releaseSample(Sample& sample);

    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    int outputCode = 0;
    int error = snd::kErrNone;
    int deviceCount = -1;  // -1 until the devices have been listed
    int defaultDevice = 0;
    char deviceNames[kMaxDevices][kNameLength] = {};
    int chosenDevice = -1;  // -1 = the system default
    float unitsPerMetre = 1.0f;
    ALuint sources[kMaxChannels] = {};
    const Sample* sourceSample[kMaxChannels] = {};
    int channelCount = 0;
    Sample samples[kSampleSlots];
};
