// Sound system: silent until an audio backend is wired in.
#include "sound/SoundSystem.h"

int SoundSystem::init() { return 1; }
void SoundSystem::close() {}
SampleHandle SoundSystem::loadSample(const char*) { return nullptr; }
void SoundSystem::freeSample(SampleHandle) {}
int SoundSystem::playSample3D(SampleHandle sample, float, float, float) { return (!soundOn || !sample) ? -1 : 0; }
int SoundSystem::playFile(const char*) { return -1; }
void SoundSystem::setSfxVolume(float v) {
    if (soundOn) sfxVolume = v;
}
void SoundSystem::setMusicVolume(float v) { musicVolume = v; }
void SoundSystem::setVolume(float) {}
void SoundSystem::stopAll() {}
void SoundSystem::playSong() {}
void SoundSystem::stopSong() {}
void SoundSystem::updateListener() {}
int SoundSystem::channelsPlaying() { return 0; }
