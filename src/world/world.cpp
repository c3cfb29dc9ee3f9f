// The game's states.
#include "world/world.h"

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

}  // namespace vz
