// vudizid: the game in a real window; the pictures are found from wherever it is started.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/sdl/sdl_platform.h"
#include "shell/game.h"
#include "shell/launch.h"

int main(int argc, char** argv) {
    using namespace vz;
    const CommandLine command = ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    switch (command.action) {
        case LaunchAction::Help: std::fputs(UsageText().c_str(), stdout); return 0;
        case LaunchAction::Version: std::printf("vudizid %s\n", VZ_VERSION); return 0;
        case LaunchAction::Refuse:
            std::fprintf(stderr, "vudizid: %s\n%s", command.error.c_str(), UsageText().c_str());
            return 2;
        case LaunchAction::Play: break;
    }

    FilePlaces places;
    std::string notice;
    if (!PlaceRunFiles(command.dataFolder, VZ_INSTALLED_PICTURES, places, notice)) {
        std::fprintf(stderr, "vudizid: %s\n", notice.c_str());
        ShowStartupNotice(notice);
        return 1;
    }
    StartupFailure failure;
    std::unique_ptr<Platform> platform = CreateSdlPlatform(command.windowed, failure);
    if (!platform) {
        std::fprintf(stderr, "vudizid: %s (%s)\n", failure.notice.c_str(), failure.reason.c_str());
        ShowStartupNotice(failure.notice);
        return 1;
    }
    platform->places = places;
    auto game = std::make_unique<Game>();
    StartUp(*game, *platform);
    RunMainLoop(*game, *platform);
    return 0;
}
