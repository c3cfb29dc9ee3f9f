// Controllers through SDL's game controller layer: hot-plugging, buttons latched between frames, the stick as a mouse.
#include "platform/sdl/sdl_controller.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "platform/surface.h"

namespace vz {

void SdlControllers::Closer::operator()(_SDL_GameController* c) const { SDL_GameControllerClose(c); }

SdlControllers::SdlControllers() = default;

SdlControllers::~SdlControllers() {
    open_.clear();
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlControllers::Start() {
    if (started_) return true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "vudizid: no game controllers (%s)\n", SDL_GetError());
        return false;
    }
    // Controllers already plugged in arrive as "added" events like those plugged in later.
    started_ = true;
    return true;
}

void SdlControllers::NewFrame() {
    a_.NewFrame();
    b_.NewFrame();
    lb_.NewFrame();
    rb_.NewFrame();
}

bool SdlControllers::HandleEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED: {
            SDL_GameController* c = SDL_GameControllerOpen(e.cdevice.which);
            if (!c) return true;
            const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
            if (open_.count(id) != 0) {
                SDL_GameControllerClose(c);  // the same device once more: SDL counts its openings
            } else {
                open_[id].reset(c);
            }
            return true;
        }
        case SDL_CONTROLLERDEVICEREMOVED:
            open_.erase(e.cdevice.which);
            if (open_.empty()) stick_.Reset();
            return true;
        case SDL_CONTROLLERBUTTONDOWN:
            switch (e.cbutton.button) {
                case SDL_CONTROLLER_BUTTON_A: a_.Press(); break;
                case SDL_CONTROLLER_BUTTON_B: b_.Press(); break;
                case SDL_CONTROLLER_BUTTON_X: toTopPressed_ = true; break;
                case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: lb_.Press(); break;
                case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: rb_.Press(); break;
                default: break;
            }
            return true;
        case SDL_CONTROLLERBUTTONUP:
        case SDL_CONTROLLERAXISMOTION:
            return true;
        default:
            return false;
    }
}

void SdlControllers::StickMotion(int& dx, int& dy) {
    dx = dy = 0;
    // The stick pushed furthest counts, so two controllers do not add up to double speed.
    int x = 0, y = 0;
    int64_t strongest = -1;
    for (const auto& [id, c] : open_) {
        const int cx = SDL_GameControllerGetAxis(c.get(), SDL_CONTROLLER_AXIS_LEFTX);
        const int cy = SDL_GameControllerGetAxis(c.get(), SDL_CONTROLLER_AXIS_LEFTY);
        const int64_t length = static_cast<int64_t>(cx) * cx + static_cast<int64_t>(cy) * cy;
        if (length > strongest) {
            strongest = length;
            x = cx;
            y = cy;
        }
    }
    stick_.Step(x, y, dx, dy);
    if (toTopPressed_) {
        dy -= 2 * kScreenHeight;  // past the top from anywhere; the pointer stops at its edge
        toTopPressed_ = false;
    }
}

void SdlControllers::AddTo(RawInput& input) {
    bool a = false, b = false, hotspot = false, back = false, start = false, lb = false, rb = false;
    for (const auto& [id, c] : open_) {
        auto held = [&](SDL_GameControllerButton button) { return SDL_GameControllerGetButton(c.get(), button) != 0; };
        a = a || held(SDL_CONTROLLER_BUTTON_A);
        b = b || held(SDL_CONTROLLER_BUTTON_B);
        hotspot = hotspot || held(SDL_CONTROLLER_BUTTON_Y);
        lb = lb || held(SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
        rb = rb || held(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
        // Both on one controller: two players each pressing one do not end the game.
        if (held(SDL_CONTROLLER_BUTTON_BACK) && held(SDL_CONTROLLER_BUTTON_START)) back = start = true;
    }
    input.left = a_.Read(a) || input.left;
    input.right = b_.Read(b) || input.right;
    input.hotspots = input.hotspots || hotspot;
    input.backTab = lb_.Read(lb) || input.backTab;
    input.tab = rb_.Read(rb) || input.tab;
    input.escape = input.escape || (back && start);
}

void SdlControllers::Sleep() {
    if (!started_) return;
    SDL_GameControllerEventState(SDL_IGNORE);
    SDL_JoystickEventState(SDL_IGNORE);
}

void SdlControllers::Wake() {
    if (!started_) return;
    SDL_JoystickEventState(SDL_ENABLE);
    SDL_GameControllerEventState(SDL_ENABLE);
    SDL_JoystickUpdate();
    for (auto it = open_.begin(); it != open_.end();) {
        if (SDL_GameControllerGetAttached(it->second.get()))
            ++it;
        else
            it = open_.erase(it);
    }
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (!SDL_IsGameController(i) || open_.count(SDL_JoystickGetDeviceInstanceID(i)) != 0) continue;
        SDL_Event added{};
        added.type = SDL_CONTROLLERDEVICEADDED;
        added.cdevice.which = i;
        HandleEvent(added);
    }
    Forget();
}

void SdlControllers::Forget() {
    a_.Forget();
    b_.Forget();
    lb_.Forget();
    rb_.Forget();
    toTopPressed_ = false;
    stick_.Reset();
}

}  // namespace vz
