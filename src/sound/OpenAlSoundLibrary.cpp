// The sound library on OpenAL Soft: devices as drivers, sources as channels, WAV files as buffers.
#include "sound/OpenAlSoundLibrary.h"
#include "sound/SoundFile.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

// The level of the call contract this layer honours.
constexpr float kLayerVersion = 3.40f;
constexpr float kSpeedOfSound = 343.3f;  // metres per second

// The device probes of ALSA and OpenAL print to stderr on machines without sound hardware; the program
// reports the outcome in its own log instead.
class QuietStderr {
public:
    QuietStderr() {
        std::fflush(stderr);
        saved = dup(2);
        int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, 2);
            ::close(null);
        }
    }
    ~QuietStderr() {
        std::fflush(stderr);
        if (saved >= 0) {
            dup2(saved, 2);
            ::close(saved);
        }
    }

private:
    int saved;
};

ALCenum deviceListName() {
    return alcIsExtensionPresent(nullptr, "ALC_ENUMERATE_ALL_EXT") ? ALC_ALL_DEVICES_SPECIFIER : ALC_DEVICE_SPECIFIER;
}

ALCenum defaultDeviceName() {
    return alcIsExtensionPresent(nullptr, "ALC_ENUMERATE_ALL_EXT") ? ALC_DEFAULT_ALL_DEVICES_SPECIFIER
                                                                   : ALC_DEFAULT_DEVICE_SPECIFIER;
}

}  // namespace

float OpenAlSoundLibrary::version() { return kLayerVersion; }

void OpenAlSoundLibrary::setOutput(int o) {
    if (o == snd::kOutputSystemDefault)
        outputCode = o;
    else
        error = snd::kErrInvalidParam;
}

int OpenAlSoundLibrary::driverCount() {
    if (deviceCount >= 0) return deviceCount;
    // OpenAL's own warnings stay off unless the user asks for them.
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    QuietStderr quiet;
    deviceCount = 0;
    const char* names = alcGetString(nullptr, deviceListName());
    const char* fallback = alcGetString(nullptr, defaultDeviceName());
    for (; names && *names && deviceCount < kMaxDevices; names += std::strlen(names) + 1) {
        std::snprintf(deviceNames[deviceCount], kNameLength, "%s", names);
        if (fallback && std::strcmp(names, fallback) == 0) defaultDevice = deviceCount;
        ++deviceCount;
    }
    return deviceCount;
}

void OpenAlSoundLibrary::driverCaps(int driver, unsigned& caps) {
    // Every OpenAL device places sounds in 3D; flagging only the default device makes the driver choice land on it.
    caps = (driver < driverCount() && driver == defaultDevice) ? snd::kCapsHardware : 0;
}

int OpenAlSoundLibrary::setDriver(int driver) {
    if (driver < -1 || driver >= driverCount()) {
        error = snd::kErrInvalidParam;
        return 0;
    }
    chosenDevice = driver;
    return 1;
}

int OpenAlSoundLibrary::start(int mixRate, int maxChannels, unsigned) {
    if (context) {
        error = snd::kErrBusy;
        return 0;
    }
    {
        QuietStderr quiet;
        device = alcOpenDevice(chosenDevice >= 0 ? deviceNames[chosenDevice] : nullptr);
    }
    const ALCint attributes[] = {ALC_FREQUENCY, mixRate, 0};
    context = device ? alcCreateContext(device, attributes) : nullptr;
    if (!context || !alcMakeContextCurrent(context)) {
        close();
        error = snd::kErrInit;
        return 0;
    }
    for (channelCount = 0; channelCount < maxChannels && channelCount < kMaxChannels; ++channelCount) {
        alGenSources(1, &sources[channelCount]);
        if (alGetError() != AL_NO_ERROR) break;
    }
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    setDistanceFactor(unitsPerMetre);
    return 1;
}

void OpenAlSoundLibrary::close() {
    if (!context && !device) return;
    if (context) {
        stopSound(snd::kAllChannels);
        alDeleteSources(channelCount, sources);
        for (Sample& sample : samples)
            if (sample.refs > 0) releaseSample(sample);
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
    }
    if (device) alcCloseDevice(device);
    context = nullptr;
    device = nullptr;
    channelCount = 0;
}

OpenAlSoundLibrary::Sample* OpenAlSoundLibrary::sampleOf(SampleHandle handle) {
    for (Sample& sample : samples)
        if (handle == &sample && sample.refs > 0) return &sample;
    return nullptr;
}

OpenAlSoundLibrary::Sample* OpenAlSoundLibrary::findLoaded(const char* fileName, unsigned mode) {
    for (Sample& sample : samples)
        if (sample.refs > 0 && sample.mode == mode && std::strcmp(sample.fileName, fileName) == 0) return &sample;
    return nullptr;
}

SampleHandle OpenAlSoundLibrary::loadSample(int slot, const char* fileName, unsigned mode, int offset) {
    if (!context) {
        error = snd::kErrUninitialised;
        return nullptr;
    }
    if (slot != snd::kAnySlot || offset != 0 || std::strlen(fileName) >= kNameLength) {
        error = snd::kErrInvalidParam;
        return nullptr;
    }
    if (Sample* loaded = findLoaded(fileName, mode)) {
        ++loaded->refs;
        return loaded;
    }
    for (Sample& sample : samples)
        if (sample.refs == 0) return decode(sample, fileName, mode) ? &sample : nullptr;
    error = snd::kErrMemory;
    return nullptr;
}

bool OpenAlSoundLibrary::decode(Sample& sample, const char* fileName, unsigned mode) {
    std::vector<short> data;
    SF_INFO info{};
    sf_count_t frames = readSoundFile(fileName, mode & snd::kModeHardware3D, data, info, error);
    if (frames == 0) return false;
    alGetError();
    alGenBuffers(1, &sample.buffer);
    alBufferData(sample.buffer, info.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, data.data(),
                 static_cast<ALsizei>(frames * info.channels * sizeof(short)), info.samplerate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &sample.buffer);
        error = snd::kErrMemory;
        return false;
    }
    sample.refs = 1;
    sample.mode = mode;
    sample.rate = info.samplerate;
    std::snprintf(sample.fileName, kNameLength, "%s", fileName);
    return true;
}

void OpenAlSoundLibrary::releaseSample(Sample& sample) {
    for (int c = 0; c < channelCount; ++c) {
        if (sourceSample[c] != &sample) continue;
        alSourceStop(sources[c]);
        alSourcei(sources[c], AL_BUFFER, 0);
        sourceSample[c] = nullptr;
    }
    alDeleteBuffers(1, &sample.buffer);
    sample = Sample();
}

void OpenAlSoundLibrary::freeSample(SampleHandle handle) {
    Sample* sample = sampleOf(handle);
    if (sample && --sample->refs == 0) releaseSample(*sample);
}

void OpenAlSoundLibrary::setMinMaxDistance(SampleHandle handle, float minDistance, float maxDistance) {
    if (Sample* sample = sampleOf(handle)) {
        sample->minDistance = minDistance;
        sample->maxDistance = maxDistance;
    }
}

bool OpenAlSoundLibrary::isPlaying(int channel) const {
    ALint state = AL_STOPPED;
    alGetSourcei(sources[channel], AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

int OpenAlSoundLibrary::freeChannel() const {
    for (int c = 0; c < channelCount; ++c)
        if (!isPlaying(c)) return c;
    return -1;
}

int OpenAlSoundLibrary::playSound(int channel, SampleHandle handle) {
    Sample* sample = sampleOf(handle);
    int c = channel == snd::kAnyChannel ? freeChannel() : channel;
    if (!context || !sample || !hasChannel(c)) {
        error = !context ? snd::kErrUninitialised : !sample ? snd::kErrInvalidParam : snd::kErrChannelAlloc;
        return -1;
    }
    ALuint source = sources[c];
    bool positional = sample->mode & snd::kModeHardware3D;
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(sample->buffer));
    // Centred sounds ride with the listener; positional ones stay where they are placed.
    alSourcei(source, AL_SOURCE_RELATIVE, positional ? AL_FALSE : AL_TRUE);
    alSource3f(source, AL_POSITION, 0, 0, 0);
    alSource3f(source, AL_VELOCITY, 0, 0, 0);
    alSourcef(source, AL_GAIN, 1.0f);
    alSourcef(source, AL_PITCH, 1.0f);
    alSourcef(source, AL_REFERENCE_DISTANCE, sample->minDistance);
    alSourcef(source, AL_MAX_DISTANCE, sample->maxDistance);
    alSourcef(source, AL_ROLLOFF_FACTOR, positional ? 1.0f : 0.0f);
    alSourcePlay(source);
    sourceSample[c] = sample;
    return c;
}

void OpenAlSoundLibrary::stopSound(int channel) {
    for (int c = 0; c < channelCount; ++c)
        if (channel == snd::kAllChannels || channel == c) alSourceStop(sources[c]);
}

void OpenAlSoundLibrary::setVolume(int channel, int volume) {
    if (hasChannel(channel)) alSourcef(sources[channel], AL_GAIN, volume / 255.0f);
}

void OpenAlSoundLibrary::setPan(int channel, int pan) {
    if (!hasChannel(channel)) return;
    // Pan moves the sound on a half circle in front of the listener, so its loudness stays the same.
    float x = std::fmax(-1.0f, std::fmin(1.0f, pan / 127.5f - 1.0f));
    alSource3f(sources[channel], AL_POSITION, x, 0, -std::sqrt(1.0f - x * x));
}

void OpenAlSoundLibrary::setFrequency(int channel, int hz) {
    if (hasChannel(channel) && sourceSample[channel] && hz > 0)
        alSourcef(sources[channel], AL_PITCH, static_cast<float>(hz) / sourceSample[channel]->rate);
}

void OpenAlSoundLibrary::setSfxMasterVolume(int volume) {
    if (context) alListenerf(AL_GAIN, volume / 255.0f);
}

int OpenAlSoundLibrary::channelsPlaying() {
    int playing = 0;
    for (int c = 0; c < channelCount; ++c) playing += isPlaying(c);
    return playing;
}

void OpenAlSoundLibrary::setChannelAttributes(int channel, const float position[3], const float velocity[3]) {
    if (!hasChannel(channel)) return;
    alSourcefv(sources[channel], AL_POSITION, position);
    alSourcefv(sources[channel], AL_VELOCITY, velocity);
}

void OpenAlSoundLibrary::setListenerAttributes(const float position[3], const float velocity[3],
                                               const float forward[3], const float up[3]) {
    if (!context) return;
    // The forward vector comes as the camera keeps it, pointing back from the eye; OpenAL's points the way
    // the listener faces. Positions and up share GL's right-handed world with OpenAL as they are.
    const float orientation[6] = {-forward[0], -forward[1], -forward[2], up[0], up[1], up[2]};
    alListenerfv(AL_POSITION, position);
    alListenerfv(AL_VELOCITY, velocity);
    alListenerfv(AL_ORIENTATION, orientation);
}

void OpenAlSoundLibrary::setDistanceFactor(float factor) {
    // Units per metre only matter to the Doppler shift, through the speed of sound in world units.
    unitsPerMetre = factor;
    if (context) alSpeedOfSound(kSpeedOfSound * factor);
}
