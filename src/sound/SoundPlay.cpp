// Sound plays by file or sample, centred or placed in 3D, the listener on the camera, and the ambient sounds.
#include "camera/Camera.h"
#include "core/AppContext.h"
#include "core/Clock.h"
#include "core/Random.h"
#include "core/Trace.h"
#include "sound/SoundSystem.h"

namespace {

const float kZero[3] = {0, 0, 0};
const char* const kAmbientFiles[3] = {"cricket2.wav", "wolf2.wav", "ethunder.wav"};
constexpr float kAmbientPerSecond = 0.01f;  // one night sound per hundred seconds on average
// Samples are played by handle; their file name is not kept.
const char* const kSampleLabel = "sample";

int refused(const char* label, const char* why) {
    tracef("sound", "play %s %s", label, why);
    return -1;
}

const Vec3& cameraPosition() { return gApp->camera->position; }

}  // namespace

int SoundSystem::playFile(const char* fileName) {
    if (!soundOn) return refused(fileName, "off");
    if (use3D) {
        const Vec3& p = cameraPosition();
        playFile3D(fileName, p.x, p.y, p.z);
        return 0;
    }
    lastSample = loadFile(fileName, snd::kMode2D);
    if (!lastSample) return refused(fileName, "not loaded");
    return startChannel(lastSample, fileName);
}

int SoundSystem::playSample(SampleHandle sample) {
    if (!soundOn) return refused(kSampleLabel, "off");
    if (!sample) return refused(kSampleLabel, "empty");
    if (use3D) {
        const Vec3& p = cameraPosition();
        playSample3D(sample, p.x, p.y, p.z);
        return 0;
    }
    return startChannel(sample, kSampleLabel);
}

int SoundSystem::playFile3D(const char* fileName, float x, float y, float z) {
    if (!soundOn) return refused(fileName, "off");
    if (!use3D) {
        playFile(fileName);
        return 0;
    }
    lastSample = loadFile(fileName, snd::kModeHardware3D);
    if (!lastSample) return refused(fileName, "not loaded");
    return startChannel3D(lastSample, fileName, x, y, z);
}

int SoundSystem::playSample3D(SampleHandle sample, float x, float y, float z) {
    if (!soundOn) return refused(kSampleLabel, "off");
    if (!sample) return refused(kSampleLabel, "empty");
    if (use3D) return startChannel3D(sample, kSampleLabel, x, y, z);
    playSample(sample);
    return 0;
}

void SoundSystem::setChannelPosition(int channelNumber, float x, float y, float z) {
    if (!use3D) return;
    const float position[3] = {x, y, z};
    library->setChannelAttributes(channelNumber, position, kZero);
}

void SoundSystem::updateListener() {
    if (!use3D) return;
    const Camera& camera = *gApp->camera;
    const float position[3] = {camera.position.x, camera.position.y, camera.position.z};
    library->setListenerAttributes(position, kZero, camera.forward, camera.up);
    library->update3D();
}

void SoundSystem::playAmbientSound(float dt) {
    float r = rnd(1.0f);
    if (!(dt * kAmbientPerSecond > r)) return;
    int kind = 3 * rndInt() / 32768;
    // The draw order z, y, x is part of the random sequence.
    float z = rnd(2.0f) - 1.0f;
    float y = rnd(2.0f) - 1.0f;
    float x = rnd(2.0f) - 1.0f;
    playFile3D(kAmbientFiles[kind], x, y, z);
}

int SoundSystem::startChannel(SampleHandle sample, const char* label) {
    channel = library->playSound(snd::kAnyChannel, sample);
    if (channel < 0) return refused(label, "no channel");
    setPan(pan);
    setVolume(volume);
    lastPlayTime = static_cast<float>(gApp->clock->time);
    tracef("sound", "play %s 2d channel %d", label, channel);
    return 0;
}

int SoundSystem::startChannel3D(SampleHandle sample, const char* label, float x, float y, float z) {
    library->setMinMaxDistance(sample, minDistance, maxDistance);
    channel = library->playSound(snd::kAnyChannel, sample);
    if (channel < 0) return refused(label, "no channel");
    const float position[3] = {x, y, z};
    library->setChannelAttributes(channel, position, kZero);
    // No pan or volume on positional channels: distance and direction set them.
    library->setReverbMix(channel, snd::kReverbMixByDistance);
    lastPlayTime = static_cast<float>(gApp->clock->time);
    tracef("sound", "play %s 3d channel %d at %.2f %.2f %.2f", label, channel, x, y, z);
    return 0;
}
