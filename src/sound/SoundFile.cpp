// Sound files through libsndfile, with the frame count a header may claim held to kMaxSoundFrames.
#include "sound/SoundFile.h"
#include "sound/SoundLibrary.h"

sf_count_t readSoundFile(const char* fileName, bool positional, std::vector<short>& data, SF_INFO& info,
                         int& error) {
    SNDFILE* file = sf_open(fileName, SFM_READ, &info);
    if (!file) {
        error = sf_error(nullptr) == SF_ERR_UNRECOGNISED_FORMAT ? snd::kErrFileFormat : snd::kErrFileNotFound;
        return 0;
    }
    sf_count_t frames = 0;
    if ((info.channels == 1 || info.channels == 2) && info.frames > 0 && info.frames <= kMaxSoundFrames &&
        info.samplerate > 0) {
        data.resize(static_cast<size_t>(info.frames) * info.channels);
        frames = sf_readf_short(file, data.data(), info.frames);
    }
    sf_close(file);
    if (frames <= 0) error = snd::kErrFileBad;
    if (frames > 0 && info.channels == 2 && positional) {
        for (sf_count_t i = 0; i < frames; ++i) data[i] = static_cast<short>((data[2 * i] + data[2 * i + 1]) / 2);
        info.channels = 1;
    }
    return frames > 0 ? frames : 0;
}
