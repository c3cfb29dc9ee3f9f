// The keys that act on the whole game: Tab between the things that answer a click, and the text pace.
#include "logic/dialogue.h"
#include "shell/game.h"

namespace vz {

namespace {

const char* const kTextPaceNotes[kTextPaceCount] = {
    "Text pace 1x",                 // as the game has it
    "Text pace 1.5x",               // half as long again
    "Text pace 2x",                 // twice as long
    "Text pace - until a click",    // as long as the player likes
};

}  // namespace

const char* TextPaceNote(TextPace pace) {
    const int i = static_cast<int>(pace);
    return kTextPaceNotes[i >= 0 && i < kTextPaceCount ? i : 0];
}

std::vector<PointerStop> StopsOnScreen(const Game& game) {
    const World& w = game.world;
    switch (w.state) {
        case GameState::TitleMenu: return TitleStops();
        case GameState::Play: return SceneStops(w);
        case GameState::InventoryScreen: return PanelStops(w);
        case GameState::Dialogue:
            if (game.story.selectedChoice == -1) return MenuStops(w, game.story, w.location.personIndex);
            return {};
        default: return {};  // walking, a scene playing, a line spoken: nothing waits for a click
    }
}

void HandleGameKeys(Game& game, Platform& platform) {
    InputState& input = game.world.input;
    if (input.tabStep != 0) {
        const std::vector<PointerStop> stops = StopsOnScreen(game);
        const int next = NextStop(stops, input.mouseX, input.mouseY, input.tabStep);
        if (next >= 0) {
            input.mouseX = stops[next].at.x;
            input.mouseY = stops[next].at.y;
        }
    }
    if (input.textPacePressed) {
        Story& story = game.story;
        story.textPace = static_cast<TextPace>((static_cast<int>(story.textPace) + 1) % kTextPaceCount);
        platform.KeepTextPace(story.textPace);
        game.note = TextPaceNote(story.textPace);
        game.noteFrames = kNoteFrames;
    }
}

}  // namespace vz
