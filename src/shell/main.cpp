// vudizid: the game in a real window; the pictures are found from wherever it is started.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/sdl/sdl_platform.h"
#include "platform/signals.h"
#include "shell/game.h"
#include "shell/launch.h"

namespace {

// Plays the game; the exit code, 1 when it could not start.
int Play(const vz::CommandLine& command) {
    using namespace vz;
    FilePlaces places;
    std::string notice;
    if (!PlaceRunFiles(command.dataFolder, VZ_INSTALLED_PICTURES, places, notice)) {
        std::fprintf(stderr, "vudizid: %s\n", notice.c_str());
        ShowStartupNotice(notice);
        return 1;
    }
    // The pictures are read before the window opens: a folder without them gets its notice without
    // a black screen behind it.
    Files files;
    files.places = places;
    auto game = std::make_unique<Game>();
    StartUp(*game, files);
    if (const std::string problem = PictureFolderProblem(*game, places.pictures); !problem.empty()) {
        std::fprintf(stderr, "vudizid: %s\n", problem.c_str());
        ShowStartupNotice(problem);
        return 1;
    }
    StartupFailure failure;
    DisplayRequest display;
    display.fullscreen = command.fullscreen;
    display.scale = command.scale;
    std::unique_ptr<Platform> platform = CreateSdlPlatform(display, failure);
    if (!platform) {
        std::fprintf(stderr, "vudizid: %s (%s)\n", failure.notice.c_str(), failure.reason.c_str());
        ShowStartupNotice(failure.notice);
        return 1;
    }
    platform->places = places;
    platform->SetIcon(game->icon);
    platform->SetFonts(game->world.fonts);
    game->story.textPace = platform->StoredTextPace();
    RunMainLoop(*game, *platform);
    return 0;
}

}  // namespace

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
    InstallQuitSignals();
    const int code = Play(command);
    // Everything is shut down and saved by now; a game ended by a signal ends by that signal.
    EndByQuitSignal();
    return code;
}
