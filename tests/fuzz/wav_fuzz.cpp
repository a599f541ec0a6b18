// Fuzz target: reading a sound file as the sound library does, for plain and positional samples.
#include "fuzz/FuzzInput.h"
#include "sound/SoundFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* file = writeFuzzInput(data, size, ".wav");
    std::vector<short> samples;
    SF_INFO info{};
    int error = 0;
    readSoundFile(file, size % 2 == 1, samples, info, error);
    return 0;
}
