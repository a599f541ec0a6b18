// Asset generator entry: writes every image and sound the program reads, and its desktop icon, into one directory.
#include <cstdio>
#include <string>

#include "Images.h"
#include "Sounds.h"

namespace {

const char* const kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
const char* const kSkyFaceFiles[kSkyFaceCount] = {"ff.bmp", "fr.bmp", "fb.bmp", "fl.bmp", "ft.bmp", "f0.bmp"};

struct ImageFile {
    const char* name;
    Image (*make)();
};

const ImageFile kImageFiles[] = {
    {"controls_128.bmp", makeControls}, {"sun_128.bmp", makeSun}, {"refl.bmp", makeReflection},
    {"cloudbw2128.bmp", makeCloud},     {"grass.bmp", makeGrass}, {"water128.bmp", makeWater},
    {"dirt128.bmp", makeDirt},
};

bool save(const std::string& dir, const char* name, const Image& image) {
    if (image.width > 0 && writeBmp(dir + "/" + name, image)) return true;
    std::fprintf(stderr, "vulkora_assets: cannot write %s\n", name);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    bool ok = save(dir, "font_256.bmp", makeFont(kFontPath));
    for (const ImageFile& file : kImageFiles) ok = save(dir, file.name, file.make()) && ok;
    for (int face = 0; face < kSkyFaceCount; ++face) ok = save(dir, kSkyFaceFiles[face], makeSkyFace(face)) && ok;
    const IconImage icon = makeIcon();
    if (!writePng(dir + "/vulkora.png", icon.picture, icon.alpha)) {
        std::fprintf(stderr, "vulkora_assets: cannot write vulkora.png\n");
        ok = false;
    }
    for (const SoundFile& sound : kSoundFiles) {
        if (!writeWav(dir + "/" + sound.name, normalisedSound(sound), kSampleRate)) {
            std::fprintf(stderr, "vulkora_assets: cannot write %s\n", sound.name);
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
