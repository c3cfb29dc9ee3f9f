// The touch controls' rules: by game state, a tap's action, and the frame shown with them.
#include "shell/touch.h"

namespace vz {

namespace {

// The verb and the inventory buttons act as the right button and the top edge do, and sound as
// they do; the others knock as the game's buttons do.
void Act(Game& game, Platform& platform, RawInput& raw, const TouchHit& hit) {
    TouchControls& touch = game.world.touch;
    const bool menuTapped = hit.kind == TouchHit::Button && hit.index == static_cast<int>(TouchButton::Menu);
    touch.menuOpen = menuTapped && !touch.menuOpen;
    if (hit.kind == TouchHit::Button) {
        switch (static_cast<TouchButton>(hit.index)) {
            case TouchButton::Verb: raw.right = true; break;
            case TouchButton::Inventory: raw.inventory = true; break;
            case TouchButton::Hint: raw.hint = true; break;
            case TouchButton::Names:
                touch.namesOn = !touch.namesOn;
                game.world.sound.Add(Cue::ButtonPress);
                break;
            case TouchButton::Menu: game.world.sound.Add(Cue::ButtonPress); break;
            case TouchButton::Count: break;
        }
        return;
    }
    game.world.sound.Add(Cue::ButtonPress);
    switch (static_cast<MenuEntry>(hit.index)) {
        case MenuEntry::Sound: platform.ToggleMute(); break;
        case MenuEntry::FullScreen: platform.ToggleFullscreen(); break;
        case MenuEntry::Quit: game.quitRequested = true; break;
        case MenuEntry::Count: break;
    }
}

}  // namespace

TouchLayout TouchLayoutFor(const Game& game, const Platform& platform) {
    TouchLayout layout;
    auto show = [&](TouchButton b) { layout.buttons[static_cast<int>(b)] = true; };
    show(TouchButton::Menu);
    switch (game.world.state) {
        case GameState::Play:
        case GameState::WalkToObject:
        case GameState::WalkToPerson:
        case GameState::GiveToPerson:
        case GameState::UseOnObject:
        case GameState::FindItem:
        case GameState::ChangeLocation:
            show(TouchButton::Inventory);
            show(TouchButton::Verb);
            show(TouchButton::Names);
            show(TouchButton::Hint);
            break;
        case GameState::InventoryScreen:
        case GameState::SaveGame:
            show(TouchButton::Inventory);
            show(TouchButton::Verb);
            show(TouchButton::Hint);
            layout.inventoryOpen = true;
            break;
        case GameState::Dialogue:
            show(TouchButton::Hint);
            break;
        case GameState::TitleMenu:
        case GameState::LoadGame:
        case GameState::Ending:
            break;
    }
    if (platform.HasSound()) layout.entries[layout.entryCount++] = MenuEntry::Sound;
    if (platform.CanToggleFullscreen()) layout.entries[layout.entryCount++] = MenuEntry::FullScreen;
    layout.entries[layout.entryCount++] = MenuEntry::Quit;
    return layout;
}

void TouchThroughControls(Game& game, Platform& platform, RawInput& raw) {
    TouchControls& touch = game.world.touch;
    if (!raw.touch) {
        touch.shown = touch.menuOpen = touch.namesOn = false;
        return;
    }
    touch.shown = true;
    const bool firstRead = touch.actedInFrame != game.frames;
    touch.actedInFrame = game.frames;
    const TouchHit from = TouchControlAt(touch, TouchLayoutFor(game, platform), raw.touchStartX, raw.touchStartY);
    const bool tapped = raw.left;
    if (from.kind != TouchHit::None) {
        raw.placed = false;
        raw.left = raw.right = false;
        if (tapped && firstRead) Act(game, platform, raw, from);
    } else if (touch.menuOpen && (raw.left || raw.right)) {
        raw.left = raw.right = false;
        if (firstRead) touch.menuOpen = false;
    }
    raw.hotspots = raw.hotspots || touch.namesOn;
}

void ShowFrame(Game& game, Platform& platform) {
    World& w = game.world;
    if (w.touch.shown)
        DrawTouchControls(w.touch, TouchLayoutFor(game, platform), w.cursor.verb, game.story.heldItem, w.objects,
                          w.backBuffer);
    platform.Present(w.backBuffer);
    UncoverTouchControls(w.touch, w.backBuffer);
}

}  // namespace vz
