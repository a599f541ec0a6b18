// A scripted stand-in for the sound library: answers from its script and records every call as a line.
#pragma once
#include "sound/SoundLibrary.h"
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

class FakeSoundLibrary : public SoundLibrary {
public:
    // The script.
    float versionResult = 3.4f;
    int outputResult = snd::kOutputSystemDefault, setDriverResult = 1, setMixerResult = 1, startResult = 1;
    int errorCode = snd::kErrNone;
    std::vector<unsigned> caps{snd::kCapsHardware};  // one entry per driver
    std::set<std::string> failingLoads;              // "file mode", e.g. "hit.wav 4096"
    int nextChannel = 0;  // channel handed out by the next play, then counted up; -1 = none free

    std::vector<std::string> calls;  // every call, one line each, e.g. "playSound -1 #1"
    std::string callText() const {
        std::string all;
        for (const std::string& c : calls) all += c + "\n";
        return all;
    }
    // Handles are numbered by load: #1 is the first sample loaded.
    static int id(void* handle) { return static_cast<int>(reinterpret_cast<intptr_t>(handle)); }

    float version() override { return record("version"), versionResult; }
    int output() override { return record("output"), outputResult; }
    int driverCount() override { return record("driverCount"), static_cast<int>(caps.size()); }
    void driverCaps(int d, unsigned& c) override { record("driverCaps %d", d), c = caps[d]; }
    int setDriver(int d) override { return record("setDriver %d", d), setDriverResult; }
    int setMixer(int m) override { return record("setMixer %d", m), setMixerResult; }
    int start(int rate, int n, unsigned f) override { return record("start %d %d %u", rate, n, f), startResult; }
    int lastError() override { return record("lastError"), errorCode; }
    SampleHandle loadSample(int slot, const char* name, unsigned mode, int offset) override {
        record("loadSample %d %s %u %d", slot, name, mode, offset);
        if (failingLoads.count(std::string(name) + " " + std::to_string(mode))) return nullptr;
        return reinterpret_cast<SampleHandle>(++loads);
    }
    void setMinMaxDistance(SampleHandle s, float lo, float hi) override {
        record("setMinMaxDistance #%d %g %g", id(s), lo, hi);
    }
    int playSound(int c, SampleHandle s) override {
        return record("playSound %d #%d", c, id(s)), nextChannel < 0 ? -1 : nextChannel++;
    }
    int channelsPlaying() override { return record("channelsPlaying"), 0; }
    void setChannelAttributes(int c, const float p[3], const float v[3]) override {
        record("setChannelAttributes %d %g %g %g / %g %g %g", c, p[0], p[1], p[2], v[0], v[1], v[2]);
    }
    void setListenerAttributes(const float p[3], const float v[3], const float f[3], const float u[3]) override {
        record("setListenerAttributes %g %g %g / %g %g %g / %g %g %g / %g %g %g", p[0], p[1], p[2], v[0], v[1], v[2],
               f[0], f[1], f[2], u[0], u[1], u[2]);
    }
    void setOutput(int o) override { record("setOutput %d", o); }
    void close() override { record("close"); }
    void freeSample(SampleHandle s) override { record("freeSample #%d", id(s)); }
    void stopSound(int c) override { record("stopSound %d", c); }
    void setVolume(int c, int v) override { record("setVolume %d %d", c, v); }
    void setPan(int c, int p) override { record("setPan %d %d", c, p); }
    void setFrequency(int c, int hz) override { record("setFrequency %d %d", c, hz); }
    void setSfxMasterVolume(int v) override { record("setSfxMasterVolume %d", v); }
    void setReverbMix(int c, float mix) override { record("setReverbMix %d %g", c, mix); }
    void setDistanceFactor(float f) override { record("setDistanceFactor %g", f); }
    void update3D() override { record("update3D"); }
    void playSong(SongHandle s) override { record("playSong #%d", id(s)); }
    void stopSong(SongHandle s) override { record("stopSong #%d", id(s)); }
    void setSongVolume(SongHandle s, int v) override { record("setSongVolume #%d %d", id(s), v); }

private:
    template <typename... Args>
    void record(const char* format, Args... args) {
        char line[256];
        std::snprintf(line, sizeof line, format, args...);
        calls.push_back(line);
    }
    void record(const char* text) { calls.push_back(text); }
    intptr_t loads = 0;
};
