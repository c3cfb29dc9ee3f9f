// vudizid-picbuild ART_DIR OUT_DIR      builds every picture listed in ART_DIR/manifest.txt
// vudizid-picbuild --png IN.sbf OUT.png  shows a built picture as a PNG
// vudizid-picbuild --icon IN.svg OUT_DIR SIZE...  draws OUT_DIR/SIZExSIZE/apps/vudizid.png for each size
#include "border_check.h"
#include "picbuild.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace pb = vz::picbuild;

namespace {

constexpr const char* kFontSource = "/font/glyphs.txt";  // below the art folder
constexpr uint32_t kFont0Ink = 0xfff6dc;  // light cream
constexpr uint32_t kFont1Ink = 0xffd23f;  // warm yellow

int Usage() {
    std::fprintf(stderr,
                 "usage: vudizid-picbuild ART_DIR OUT_DIR\n"
                 "       vudizid-picbuild --png IN.sbf OUT.png\n"
                 "       vudizid-picbuild --icon IN.svg OUT_DIR SIZE...\n");
    return 2;
}

int SbfToPng(const std::string& in, const std::string& out) {
    std::vector<uint8_t> bytes;
    pb::Picture picture;
    std::string error;
    if (!pb::ReadFile(in, bytes)) {
        std::fprintf(stderr, "%s: cannot read\n", in.c_str());
        return 1;
    }
    if (!pb::DecodeSbf(bytes, picture, error) || !pb::WritePng(picture, out, error)) {
        std::fprintf(stderr, "%s: %s\n", in.c_str(), error.c_str());
        return 1;
    }
    return 0;
}

// The icons in the layout of an icon theme, so the install rules copy the folder as it is.
int BuildIcons(const std::string& svg, const std::string& outDir, char** sizes, int count) {
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        const long size = std::strtol(sizes[i], &end, 10);
        if (end == sizes[i] || *end != '\0' || size <= 0 || size > 1024) {
            std::fprintf(stderr, "%s: '%s' is not an icon size\n", svg.c_str(), sizes[i]);
            return 1;
        }
        const std::string folder = outDir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        std::string error;
        if (!pb::RenderSvgIcon(svg, int(size), folder + "/vudizid.png", error)) {
            std::fprintf(stderr, "%s: icon of %ld pixels: %s\n", svg.c_str(), size, error.c_str());
            return 1;
        }
    }
    return 0;
}

int Build(const std::string& artDir, const std::string& outDir) {
    std::vector<uint8_t> bytes;
    const std::string manifestPath = artDir + "/manifest.txt";
    if (!pb::ReadFile(manifestPath, bytes)) {
        std::fprintf(stderr, "%s: cannot read\n", manifestPath.c_str());
        return 1;
    }
    std::vector<pb::ManifestEntry> entries;
    std::string error;
    if (!pb::ParseManifest(std::string(bytes.begin(), bytes.end()), entries, error)) {
        std::fprintf(stderr, "%s: %s\n", manifestPath.c_str(), error.c_str());
        return 1;
    }

    int written = 0, missing = 0, failed = 0;
    for (const pb::ManifestEntry& e : entries) {
        pb::Picture picture;
        std::string warning;
        error.clear();
        bool ok = false;
        if (e.kind == pb::Kind::Font0 || e.kind == pb::Kind::Font1) {
            std::vector<uint8_t> source;
            if (!pb::ReadFile(artDir + kFontSource, source)) {
                error = "cannot read " + artDir + kFontSource;
            } else {
                ok = pb::BuildFontAtlas(std::string(source.begin(), source.end()),
                                        e.kind == pb::Kind::Font0 ? kFont0Ink : kFont1Ink, picture, error);
            }
            if (ok && (picture.width != e.width || picture.height != e.height)) {
                ok = false;
                error = "the glyph table's atlas size differs from the manifest";
            }
        } else {
            const std::string svg = artDir + "/" + e.path.substr(0, e.path.size() - 4) + ".svg";
            if (!std::filesystem::exists(svg)) {
                std::fprintf(stderr, "warning: %s: not drawn yet, skipped\n", svg.c_str());
                ++missing;
                continue;
            }
            ok = pb::RenderSvg(svg, e.width, e.height, e.kind, picture, warning, error);
            if (!warning.empty()) std::fprintf(stderr, "warning: %s: %s\n", svg.c_str(), warning.c_str());
            if (ok && e.kind == pb::Kind::Svg) ok = pb::CheckBorders(e.path, picture, error);
        }
        if (ok && !pb::WriteFile(outDir + "/" + e.path, pb::EncodeSbf(picture))) {
            ok = false;
            error = "cannot write " + outDir + "/" + e.path;
        }
        if (!ok) {
            std::fprintf(stderr, "error: %s (manifest line %d): %s\n", e.path.c_str(), e.line, error.c_str());
            ++failed;
            continue;
        }
        ++written;
    }
    std::printf("picbuild: %d pictures written, %d not drawn yet, %d failed\n", written, missing, failed);
    return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--png") return SbfToPng(argv[2], argv[3]);
    if (argc >= 5 && std::string(argv[1]) == "--icon") return BuildIcons(argv[2], argv[3], argv + 4, argc - 4);
    if (argc == 3 && argv[1][0] != '-') return Build(argv[1], argv[2]);
    return Usage();
}
