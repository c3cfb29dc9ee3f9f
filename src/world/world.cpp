// The game's states, and the texts a frame shows.
#include "world/world.h"

#include <utility>

namespace vz {

bool IsValidGameState(int32_t value) {
    switch (static_cast<GameState>(value)) {
        case GameState::TitleMenu:
        case GameState::LoadGame:
        case GameState::SaveGame:
        case GameState::Play:
        case GameState::Dialogue:
        case GameState::WalkToObject:
        case GameState::InventoryScreen:
        case GameState::WalkToPerson:
        case GameState::Ending:
        case GameState::ChangeLocation:
        case GameState::FindItem:
        case GameState::GiveToPerson:
        case GameState::UseOnObject:
            return true;
    }
    return false;
}

void NoteText(World& world, const char* text, TextKind kind, int clickX, int clickY) {
    if (text == nullptr || text[0] == '\0') return;
    ShownText shown{text, kind, clickX, clickY};
    // A name both under the pointer and among all names (the hotspot key) is on screen once.
    for (const ShownText& t : world.texts)
        if (t == shown) return;
    world.texts.push_back(std::move(shown));
}

}  // namespace vz
