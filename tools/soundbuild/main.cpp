// vudizid-soundbuild [--soundfont SF2] SOURCE OUT.ogg   builds one sound from art/sound/NAME.score or .synth
// vudizid-soundbuild --measure FILE.ogg...              prints the loudness, peak, length and wrap of built sounds
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "soundbuild.h"
#include "vorbis_io.h"

namespace sb = vz::soundbuild;

namespace {

constexpr const char* kDefaultSoundfont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

int Usage() {
    std::fprintf(stderr,
                 "usage: vudizid-soundbuild [--soundfont SF2] SOURCE OUT.ogg\n"
                 "       vudizid-soundbuild --measure FILE.ogg...\n");
    return 2;
}

// Written beside its place and renamed into it, so a build that stops half way leaves no half file.
bool WriteAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string temp = path + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) std::filesystem::remove(temp, ec);
    return !ec;
}

int MeasureFiles(int count, char** paths) {
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        std::vector<uint8_t> bytes;
        sb::Audio audio;
        std::string error = "cannot read";
        const std::string name = std::filesystem::path(paths[i]).stem().string();
        if (!sb::ReadBytes(paths[i], bytes) || !sb::DecodeVorbis(bytes, audio, error)) {
            std::fprintf(stderr, "%s: %s\n", paths[i], error.c_str());
            ++failed;
            continue;
        }
        // Music and beds loop; effects do not.
        const bool loops = name.rfind("music_", 0) == 0 || name.rfind("amb_", 0) == 0;
        sb::Figures figures = sb::Measure(audio, loops);
        figures.bytes = bytes.size();
        std::printf("%s\n", sb::Describe(name, figures).c_str());
    }
    return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--measure") == 0) return MeasureFiles(argc - 2, argv + 2);
    std::string soundfont = kDefaultSoundfont;
    int at = 1;
    if (argc >= 2 && std::strcmp(argv[1], "--soundfont") == 0) {
        if (argc < 3) return Usage();
        soundfont = argv[2];
        at = 3;
    }
    if (argc - at != 2) return Usage();
    const std::string source = argv[at], out = argv[at + 1];
    sb::Built built;
    std::string error;
    if (!sb::BuildSound(source, soundfont, built, error)) {
        std::fprintf(stderr, "%s: %s\n", source.c_str(), error.c_str());
        return 1;
    }
    if (!WriteAtomically(out, built.ogg)) {
        std::fprintf(stderr, "%s: cannot write\n", out.c_str());
        return 1;
    }
    std::printf("%s\n", sb::Describe(std::filesystem::path(out).stem().string(), built.figures).c_str());
    return 0;
}
