// The table of keys the game reads in the real window, and their latches.
#include "platform/sdl/sdl_keys.h"

namespace vz {

namespace {

struct KeyBinding {
    SDL_Scancode key;
    RawPress press;
    bool withAlt;  // also with Alt held
};

const KeyBinding kKeys[] = {
    {SDL_SCANCODE_RETURN, &RawInput::enter, false},    // Enter: the left button
    {SDL_SCANCODE_KP_ENTER, &RawInput::enter, false},  // the keypad's Enter
    {SDL_SCANCODE_ESCAPE, &RawInput::escape, true},    // Escape: quit
    {SDL_SCANCODE_SPACE, &RawInput::hotspots, true},   // Space: the hotspot key
};

}  // namespace

void SdlKeys::KeyDown(const SDL_KeyboardEvent& key) {
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    for (const KeyBinding& k : kKeys)
        if (k.key == key.keysym.scancode && (k.withAlt || !alt)) latches_.Press(k.press);
}

void SdlKeys::Read(RawInput& input, const Uint8* state) {
    const bool alt = state[SDL_SCANCODE_LALT] || state[SDL_SCANCODE_RALT];
    for (const KeyBinding& k : kKeys) latches_.Read(input, k.press, state[k.key] && (k.withAlt || !alt));
}

}  // namespace vz
