// vudizid: the game in a real window, run with the folder that holds images/ as working directory.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/sdl/sdl_platform.h"
#include "shell/game.h"

namespace {

constexpr const char* kUsage = "usage: vudizid [--scale fit|whole]\n";

// --scale fit|whole: the picture as large as the screen allows, or grown by a whole number only
// so every game pixel has the same size. F10 switches while playing; the choice is remembered.
bool ScaleOption(int argc, char** argv, int& i, vz::DisplayRequest& request) {
    if (std::strcmp(argv[i], "--scale") != 0) return false;
    const std::string value = i + 1 < argc ? argv[++i] : "";
    if (value == "fit") {
        request.scale = vz::ScaleMode::Fit;
    } else if (value == "whole") {
        request.scale = vz::ScaleMode::Whole;
    } else {
        std::fprintf(stderr, "vudizid: --scale takes fit or whole\n%s", kUsage);
        std::exit(2);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vz;
    DisplayRequest request;
    for (int i = 1; i < argc; ++i) {
        if (ScaleOption(argc, argv, i, request)) continue;
        std::fprintf(stderr, "vudizid: unknown option '%s'\n%s", argv[i], kUsage);
        return 2;
    }

    Files files;
    if (!files.DirectoryExists("images")) {
        const char* text = "The folder \"images\" is missing from the working directory; the game cannot start.";
        std::fprintf(stderr, "vudizid: %s\n", text);
        ShowStartupNotice(text);
        return 1;
    }
    StartupFailure failure;
    std::unique_ptr<Platform> platform = CreateSdlPlatform(request, failure);
    if (!platform) {
        std::fprintf(stderr, "vudizid: %s (%s)\n", failure.notice.c_str(), failure.reason.c_str());
        ShowStartupNotice(failure.notice);
        return 1;
    }
    auto game = std::make_unique<Game>();
    StartUp(*game, *platform);
    RunMainLoop(*game, *platform);
    return 0;
}
