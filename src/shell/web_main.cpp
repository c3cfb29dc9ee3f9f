// vudizid in a web page: the same game and frame as the desktop's, on the browser's backend.
#include <memory>

#include "play_frame.h"
#include "platform/web/web_platform.h"
#include "shell/game.h"
#include "shell/replay.h"
#include "shell/savegame.h"
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
    // The title first: the rest of start-up waits for its pictures until the player leaves the title.
    game = std::make_unique<Game>();
    StartUpTitle(*game, platform);
    platform.SetIcon(game->icon);
    platform.SetFonts(game->world.fonts);
    game->story.textPace = platform.StoredTextPace();
    return true;
}

// What the player downloads is the file as it is, damaged or not: it is his.
std::vector<uint8_t> SavedGame() {
    std::vector<uint8_t> bytes;
    if (!platform.ReadWholeFile(platform.places.save, bytes, 4096)) bytes.clear();
    return bytes;
}

// An uploaded save is checked as Load checks one; only a loadable one replaces the saved game.
void UploadedSave(const std::vector<uint8_t>& bytes, double fileBytes) {
    if (fileBytes != static_cast<double>(bytes.size()) || !IsLoadableSave(bytes)) {
        platform.Notice(kDamagedNotice);
        return;
    }
    switch (platform.ReplaceFile(platform.places.save, bytes)) {
        case WriteResult::Ok:
            platform.Notice("The saved game is in place: Load on the title screen brings it back.");
            break;
        case WriteResult::CannotCreate: platform.Notice(kCannotCreateNotice); break;
        case WriteResult::WriteFailed: platform.Notice(kWriteErrorNotice); break;
    }
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
    page.state = [] { return game ? StateJson(*game) : std::string("{}"); };
    page.composePlayFrames = ComposePlayFrames;
    page.savedGame = SavedGame;
    page.uploadedSave = UploadedSave;
    RunWebGame(platform, page);
    return 0;
}
