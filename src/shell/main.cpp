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
    Files files;
    if (!files.DirectoryExists("images")) {
        const char* text = "The folder \"images\" is missing from the working directory; the game cannot start.";
        std::fprintf(stderr, "vudizid: %s\n", text);
        ShowStartupNotice(text);
        return 1;
    }
    StartupFailure failure;
    std::unique_ptr<Platform> platform = CreateSdlPlatform(false, failure);
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

}  // namespace

int main() {
    vz::InstallQuitSignals();
    const int code = Play();
    // Everything is shut down and saved by now; a game ended by a signal ends by that signal.
    vz::EndByQuitSignal();
    return code;
}
