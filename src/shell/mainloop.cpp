// The main loop's frame: the state blocks in their fixed order, each with its own test.
#include "logic/cues.h"
#include "logic/dialogue.h"
#include "logic/interaction.h"
#include "logic/rules.h"
#include "logic/scenes.h"
#include "platform/screen_note.h"
#include "shell/ending.h"
#include "shell/game.h"
#include "shell/savegame.h"
#include "shell/touch.h"

namespace vz {

namespace {

void Poll(Game& game, Platform& platform) {
    RawInput raw = platform.ReadInput();
    TouchThroughControls(game, platform, raw);
    PollInput(game.world.input, raw);
    HandleGameKeys(game, platform);
}

// A block that draws draws the whole screen, words and all.
void BeginDrawing(Game& game) { game.world.texts.clear(); }

// The frame, with the texts it shows, the note over it while there is one, and the touch controls.
void Show(Game& game, Platform& platform) {
    if (game.noteFrames > 0 && game.note != nullptr) DrawCornerNote(game.world.backBuffer, game.world.fonts, game.note);
    platform.ShowTexts(game.world.texts);
    ShowFrame(game, platform);
}

void Present(Game& game, Platform& platform, FrameEnd end) {
    if (end == FrameEnd::Flip) Show(game, platform);
}

bool In(const Game& game, GameState s) { return game.world.state == s; }

ScreenButton TitleButton(TitleChoice under) {
    switch (under) {
        case TitleChoice::Start: return ScreenButton::TitleStart;
        case TitleChoice::Load: return ScreenButton::TitleLoad;
        case TitleChoice::Quit: return ScreenButton::TitleQuit;
        case TitleChoice::None: break;
    }
    return ScreenButton::None;
}

void TitleBlock(Game& game, Platform& platform) {
    World& w = game.world;
    Poll(game, platform);
    BeginDrawing(game);
    DrawTitleBackground(game.title, w.backBuffer);
    const TitleChoice choice =
        UpdateTitleMenu(game.title, w.backBuffer, w.input.mouseX, w.input.mouseY, w.input.leftClick);
    switch (choice) {
        case TitleChoice::Start: w.state = GameState::ChangeLocation; break;
        case TitleChoice::Load: w.state = GameState::LoadGame; break;
        case TitleChoice::Quit: game.quitRequested = true; break;
        case TitleChoice::None: break;
    }
    PointerOnButton(w, TitleButton(TitleButtonAt(w.input.mouseX, w.input.mouseY)), choice != TitleChoice::None);
    DrawCursor(w.cursor, w.backBuffer, w.input, -1, w.objects);
    Show(game, platform);
}

// Before a scene is drawn its pictures must be there to read, and before the first one the rest of
// start-up's: a page that fetches its pictures in parts may still be waiting for them. Until they
// are, the scene waits (nothing new is drawn) and the platform shows that the game is loading.
bool PicturesReadyFor(Game& game, Platform& platform, int location) {
    std::vector<std::string> paths;
    if (!game.worldStarted) paths = WorldPictures();
    if (location >= 0 && location < kLocationCount) {
        paths.emplace_back(kLocationTable[location].background);
        paths.emplace_back(kLocationTable[location].walkMask);
    }
    if (!platform.PicturesArrived(paths)) return false;
    if (!game.worldStarted) StartUpWorld(game, platform);
    return true;
}

// Without a usable save the player gets a new game, as with the start button; a damaged or
// unreadable one is named, and left on disk untouched.
void LoadBlock(Game& game, Platform& platform) {
    World& w = game.world;
    if (!PicturesReadyFor(game, platform, SavedLocation(platform))) return;
    const LoadResult r = LoadGameFromFile(w, game.story, platform);
    if (!r.detail.empty()) platform.Report(r.detail);
    switch (r.outcome) {
        case LoadOutcome::Loaded:
            w.state = GameState::Play;
            w.input.leftClick = false;
            break;
        case LoadOutcome::Damaged:
            platform.Notice(kDamagedNotice);
            w.state = GameState::ChangeLocation;
            break;
        case LoadOutcome::Unreadable:
            platform.Notice(UnreadableNotice(r.why));
            w.state = GameState::ChangeLocation;
            break;
        case LoadOutcome::NoSave:
            w.state = GameState::ChangeLocation;
            break;
    }
}

// A save that fails is named and play goes on; the previous saved game is never lost.
void SaveBlock(Game& game, Platform& platform) {
    const SaveResult r = SaveGameToFile(game.world, game.story, platform);
    if (!r.detail.empty()) platform.Report(r.detail);
    switch (r.outcome) {
        case SaveOutcome::Saved:
            game.world.sound.Add(Cue::Save);
            if (!r.keptAside.empty()) platform.Notice(KeptAsideNotice(r.keptAside));
            break;
        case SaveOutcome::CannotCreate: platform.Notice(kCannotCreateNotice); break;
        case SaveOutcome::WriteFailed: platform.Notice(kWriteErrorNotice); break;
    }
    game.world.state = GameState::Play;
}

// Runs one state's block when the game is in that state; false when the frame ends at once.
template <typename Frame>
bool Block(Game& game, Platform& platform, GameState s, Frame frame) {
    if (!In(game, s)) return true;
    Poll(game, platform);
    BeginDrawing(game);
    const FrameEnd end = frame(game.world, game.story);
    Present(game, platform, end);
    return end != FrameEnd::EndFrame;
}

// The blocks in their order; false when a block ended the frame before the pacing step.
bool RunBlocks(Game& game, Platform& platform) {
    World& w = game.world;
    if (In(game, GameState::TitleMenu)) TitleBlock(game, platform);
    if (In(game, GameState::LoadGame)) LoadBlock(game, platform);
    if (In(game, GameState::SaveGame)) SaveBlock(game, platform);
    if (!Block(game, platform, GameState::Play, PlayFrame)) return false;
    if (!Block(game, platform, GameState::GiveToPerson, GiveToPersonFrame)) return false;
    if (!Block(game, platform, GameState::UseOnObject, UseOnObjectFrame)) return false;
    if (!Block(game, platform, GameState::WalkToPerson, WalkToPersonFrame)) return false;
    if (!Block(game, platform, GameState::Dialogue, DialogueFrame)) return false;
    if (!Block(game, platform, GameState::WalkToObject, WalkToObjectFrame)) return false;
    if (!Block(game, platform, GameState::InventoryScreen, InventoryFrame)) return false;
    if (In(game, GameState::Ending)) {
        Poll(game, platform);
        BeginDrawing(game);
        EndingFrame(game);
        Show(game, platform);
    }
    if (In(game, GameState::ChangeLocation) && PicturesReadyFor(game, platform, w.locationIndex)) {
        LoadLocation(w.location, platform, w.locationIndex);
        w.state = GameState::Play;
    }
    if (!Block(game, platform, GameState::FindItem, FindItemFrame)) return false;
    return true;
}

}  // namespace

void RunFrame(Game& game, Platform& platform, bool pace) {
    if (game.quitRequested) return;
    platform.PumpEvents();
    game.frameStart = platform.Ticks();
    game.frames += 1;
    if (game.noteFrames > 0) game.noteFrames -= 1;
    // The frame's sound is asked for once, also when a block ends the frame early.
    BeginSoundFrame(game.world);
    const bool toPacing = RunBlocks(game, platform);
    EndSoundFrame(game.world);
    platform.PlaySound(game.world.sound);
    if (!toPacing) return;
    if (pace) {
        // Sleep to the frame's deadline; a slow frame is simply longer, with no catching up.
        for (;;) {
            const uint32_t spent = platform.Ticks() - game.frameStart;
            if (spent >= kFrameMilliseconds) break;
            platform.SleepMs(kFrameMilliseconds - spent);
        }
    }
    if (game.world.input.escapeDown) game.quitRequested = true;
}

void RunMainLoop(Game& game, Platform& platform) {
    while (!game.quitRequested) {
        // Nothing runs while the player is away: answers, conversations and scenes wait for him.
        platform.WaitWhileAway();
        RunFrame(game, platform, true);
    }
}

}  // namespace vz
