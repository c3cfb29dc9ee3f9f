// vudizid: the game in a real window, run with the folder that holds images/ as working directory.
#include <cstdio>
#include <memory>

#include "platform/sdl/sdl_platform.h"
#include "platform/signals.h"
#include "shell/game.h"

namespace {

// Plays the game; the exit code, 1 when it could not start.
int Play() {
    using namespace vz;
    // The pictures are read before the window opens: a folder without them gets its notice without
    // a black screen behind it.
    Files files;
    auto game = std::make_unique<Game>();
    StartUp(*game, files);
    if (const std::string problem = PictureFolderProblem(*game, files); !problem.empty()) {
        std::fprintf(stderr, "vudizid: %s\n", problem.c_str());
        ShowStartupNotice(problem);
        return 1;
    }
    StartupFailure failure;
    std::unique_ptr<Platform> platform = CreateSdlPlatform(false, failure);
    if (!platform) {
        std::fprintf(stderr, "vudizid: %s (%s)\n", failure.notice.c_str(), failure.reason.c_str());
        ShowStartupNotice(failure.notice);
        return 1;
    }
    platform->SetIcon(game->icon);
    RunMainLoop(*game, *platform);
    return 0;
}

}  // namespace

int main() {
    vz::InstallQuitSignals();
    const int code = Play();
    // Everything is shut down and saved by now; a game ended by a signal ends by that signal.
    vz::EndByQuitSignal();
    return code;
}
