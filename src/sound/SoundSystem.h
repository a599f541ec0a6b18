// The one wrapper over the sound library; with no device it reports failure and the program runs silent.
#pragma once
#include "world/SceneObject.h"

using SampleHandle = void*;

class SoundSystem : public SceneObject {
public:
    int init();
    void close();
    SampleHandle loadSample(const char* fileName);
    void freeSample(SampleHandle sample);
    int playSample3D(SampleHandle sample, float x, float y, float z);
    int playFile(const char* fileName);
    void setSfxVolume(float v);
    void setMusicVolume(float v);
    void setVolume(float v);
    void stopAll();
    void playSong();
    void stopSong();
    void updateListener();
    int channelsPlaying();

    int initialised = 0;
    int soundOn = 0;
    int use3D = 1;
    float worldScale = 1.0f;
    float sfxVolume = 1.0f;
    float musicVolume = 1.0f;
};
