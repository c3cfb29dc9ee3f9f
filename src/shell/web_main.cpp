// vudizid in a web page: the same game and frame as the desktop's, on the browser's backend.
#include <memory>

#include "play_frame.h"
#include "platform/web/web_platform.h"
#include "shell/game.h"
#include "shell/replay.h"
#include "world/location.h"

namespace {

using namespace vz;

WebPlatform platform;
std::unique_ptr<Game> game;
WebGame page;
std::unique_ptr<bench::StartedGame> measured;  // a second game of its own, made when first measured

bool Start() {
    if (!platform.DirectoryExists("images")) {
        platform.Notice("The pictures of the game did not reach the page; the game cannot start.");
        return false;
    }
    game = std::make_unique<Game>();
    StartUp(*game, platform);
    platform.SetIcon(game->icon);
    platform.SetFonts(game->world.fonts);
    game->story.textPace = platform.StoredTextPace();
    return true;
}

bool ComposePlayFrames(int scene, int frames) {
    if (scene < 0 || scene >= kLocationCount || frames < 0) return false;
    if (!measured) measured = std::make_unique<bench::StartedGame>();
    const bench::PlayFrameSetup setup = bench::PreparePlayFrames(*measured, scene);
    for (int i = 0; i < frames; ++i) bench::ComposePlayFrame(*measured->game, setup);
    return true;
}

}  // namespace

int main() {
    page.start = Start;
    // The frame is the desktop's own, unpaced: the browser calls it 25 times a second.
    page.frame = [] {
        RunFrame(*game, platform, false);
        return !game->quitRequested;
    };
    page.pointer = [] { return std::pair<int, int>{game->world.input.mouseX, game->world.input.mouseY}; };
    page.state = [] { return game ? StateJson(*game) : std::string("{}"); };
    page.composePlayFrames = ComposePlayFrames;
    RunWebGame(platform, page);
    return 0;
}
