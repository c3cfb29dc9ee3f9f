// The tables of keys the game reads in the real window, and their latches.
#include "platform/sdl/sdl_keys.h"

namespace vz {

namespace {

// Which modifiers a key may come with to count.
enum class Mods { Any, NoAlt, NoAltNoShift, NoAltShift };

struct KeyBinding {
    SDL_Scancode key;
    RawPress press;
    Mods mods;
};

// Keys by where they sit on the keyboard.
const KeyBinding kKeys[] = {
    {SDL_SCANCODE_RETURN, &RawInput::enter, Mods::NoAlt},        // Enter: the left button
    {SDL_SCANCODE_KP_ENTER, &RawInput::enter, Mods::NoAlt},      // the keypad's Enter
    {SDL_SCANCODE_ESCAPE, &RawInput::escape, Mods::Any},         // Escape: quit
    {SDL_SCANCODE_SPACE, &RawInput::hotspots, Mods::Any},        // Space: the hotspot key
    {SDL_SCANCODE_TAB, &RawInput::tab, Mods::NoAltNoShift},      // Tab: the next thing to click
    {SDL_SCANCODE_TAB, &RawInput::backTab, Mods::NoAltShift},    // Shift+Tab: the one before
    {SDL_SCANCODE_BACKSPACE, &RawInput::right, Mods::Any},       // Backspace: the right button
};

struct LetterBinding {
    SDL_Keycode letter;
    RawPress press;
};

// Letters by what they mean on the player's own layout, not where they sit.
const LetterBinding kLetters[] = {
    {SDLK_h, &RawInput::hint},       // H: a hint
    {SDLK_i, &RawInput::inventory},  // I: the inventory
    {SDLK_t, &RawInput::textPace},   // T: the text pace
};

// The arrows in the order ArrowPointer::Step takes them.
const SDL_Scancode kArrows[SdlKeys::kArrowCount] = {SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_UP,
                                                    SDL_SCANCODE_DOWN};

bool ModsFit(Mods mods, bool alt, bool shift) {
    switch (mods) {
        case Mods::Any: return true;
        case Mods::NoAlt: return !alt;
        case Mods::NoAltNoShift: return !alt && !shift;
        case Mods::NoAltShift: return !alt && shift;
    }
    return false;
}

}  // namespace

void SdlKeys::NewFrame() {
    latches_.NewFrame();
    for (PressLatch& arrow : arrowLatches_) arrow.NewFrame();
}

void SdlKeys::KeyDown(const SDL_KeyboardEvent& key) {
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    const bool shift = (key.keysym.mod & KMOD_SHIFT) != 0;
    for (const KeyBinding& k : kKeys)
        if (k.key == key.keysym.scancode && ModsFit(k.mods, alt, shift)) latches_.Press(k.press);
    for (const LetterBinding& l : kLetters)
        if (l.letter == key.keysym.sym) latches_.Press(l.press);
    for (int i = 0; i < kArrowCount; ++i)
        if (kArrows[i] == key.keysym.scancode) arrowLatches_[i].Press();
}

void SdlKeys::Read(RawInput& input, const Uint8* state) {
    const bool alt = state[SDL_SCANCODE_LALT] || state[SDL_SCANCODE_RALT];
    const bool shift = state[SDL_SCANCODE_LSHIFT] || state[SDL_SCANCODE_RSHIFT];
    for (const KeyBinding& k : kKeys) latches_.Read(input, k.press, state[k.key] && ModsFit(k.mods, alt, shift));
    for (const LetterBinding& l : kLetters) {
        const SDL_Scancode at = SDL_GetScancodeFromKey(l.letter);
        latches_.Read(input, l.press, at != SDL_SCANCODE_UNKNOWN && state[at]);
    }
}

void SdlKeys::ArrowMotion(const Uint8* state, int& dx, int& dy) {
    bool held[kArrowCount];
    for (int i = 0; i < kArrowCount; ++i) held[i] = arrowLatches_[i].Read(state[kArrows[i]] != 0);
    arrows_.Step(held[0], held[1], held[2], held[3], dx, dy);
}

void SdlKeys::Forget() {
    latches_.Forget();
    for (PressLatch& arrow : arrowLatches_) arrow.Forget();
    arrows_.Reset();
}

}  // namespace vz
