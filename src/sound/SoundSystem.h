// The one wrapper over the sound library: start-up with fallbacks, guarded operations, positional plays.
#pragma once
#include "scene/SceneObject.h"
#include "sound/SoundLibrary.h"

class SoundSystem : public SceneObject {
public:
    explicit SoundSystem(SoundLibrary& library);

    // Start-up and the guarded operations (SoundSystem.cpp); init returns 0 when sound is on.
    int init();
    void close();
    SampleHandle loadSample(const char* fileName);
    void freeSample(SampleHandle sample);
    void setSfxVolume(float v);
    void setVolume(float v);
    // The volume of one channel, leaving the volume kept for later plays alone.
    void setChannelVolume(int channelNumber, float v);
    void setPan(float v);
    void setFrequency(int hz);
    void setDistanceFactor(float f);
    void stopAll();
    int channelsPlaying();
    void playSong(SongHandle s);
    void stopSong(SongHandle s);
    void setMusicVolume(SongHandle s, float v);
    void logError();

    // Plays, listener and ambient sounds (SoundPlay.cpp); plays return 0, or -1 when nothing played.
    int playFile(const char* fileName);
    int playSample(SampleHandle sample);
    int playFile3D(const char* fileName, float x, float y, float z);
    int playSample3D(SampleHandle sample, float x, float y, float z);
    void setChannelPosition(int channelNumber, float x, float y, float z);
    void updateListener();
    void playAmbientSound(float dt);

    SoundLibrary* library;
    int soundOn = 0;
    int numDrivers = 0;
    int driver = -1;
    int output = -1;
    int initialised = 0;
    int musicOn = 1;  // the "Music" switch; music plays only once the library has started
    int channel = -1;  // the most recently started channel; negative = none
    int frequency = 0;
    unsigned sampleMode = snd::kMode2D;
    int hardware = 0;
    int use3D = 0;
    int eax2 = 0;
    unsigned driverCaps = 0;
    float lastPlayTime = 0;
    float volume = 1.0f;
    float musicVolume = 1.0f;
    float sfxVolume = 1.0f;
    float pan = 0.5f;
    float minDistance = 200.0f;
    float maxDistance = 1200.0f;
    float worldScale = 1000.0f;
    float distanceFactor;
    SampleHandle lastSample = nullptr;
    SongHandle song = nullptr;
    const char* fileDirectory = "";  // where the sound files are; empty: the working directory

private:
    void pickDriver(int i);
    // Loads a sound file from fileDirectory.
    SampleHandle loadFile(const char* fileName, unsigned mode);
    int startChannel(SampleHandle sample, const char* label);
    int startChannel3D(SampleHandle sample, const char* label, float x, float y, float z);
};
