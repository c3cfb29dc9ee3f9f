// vudizid: the game in a real window; the pictures are found from wherever it is started.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
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
    display.mute = command.mute;
    std::unique_ptr<Platform> platform = CreateSdlPlatform(display, failure);
    if (!platform) {
        std::fprintf(stderr, "vudizid: %s (%s)\n", failure.notice.c_str(), failure.reason.c_str());
        if (failure.noDisplay) std::fprintf(stderr, "vudizid: %s\n", NoDisplayText().c_str());
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

// Writes the text of --help or --version; the exit code, 1 when it could not be written (a full
// disk, a closed pipe): whoever asked for it must not take the missing text for an answer.
int PrintAndEnd(const std::string& text) {
    if (std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0) return 0;
    std::fprintf(stderr, "vudizid: standard output cannot be written: %s\n", std::strerror(errno));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vz;
    // A closed standard output or error (the game started as `vudizid | true`) makes a write fail,
    // and nothing more: it must not end the game and lose what it was keeping.
    std::signal(SIGPIPE, SIG_IGN);
    const CommandLine command = ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    switch (command.action) {
        case LaunchAction::Help: return PrintAndEnd(UsageText());
        case LaunchAction::Version: return PrintAndEnd(std::string("vudizid ") + VZ_VERSION + "\n");
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
