// Reading a sound file into 16-bit frames for the sound library.
#pragma once
#include <sndfile.h>
#include <vector>

// The longest sound read: more than any sample of the program, and a bound on what a damaged header can ask for.
constexpr sf_count_t kMaxSoundFrames = sf_count_t(1) << 23;

// Reads a mono or stereo sound file as 16-bit frames; positional samples are mixed down to mono, because
// OpenAL places only mono buffers in space. Returns the frame count, 0 on failure with the error code set.
sf_count_t readSoundFile(const char* fileName, bool positional, std::vector<short>& data, SF_INFO& info, int& error);
