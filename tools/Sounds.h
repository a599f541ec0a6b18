// The synthesised sound effects, each a mono sample list at one sample rate.
#pragma once
#include <vector>

constexpr int kSampleRate = 22050;

struct SoundFile {
    const char* name;
    std::vector<float> (*make)();
};

constexpr int kSoundCount = 6;
extern const SoundFile kSoundFiles[kSoundCount];

// The sound brought to the common loudness with headroom below full scale.
std::vector<float> normalisedSound(const SoundFile& sound);
