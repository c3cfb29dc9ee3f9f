// SDL2 backend: a 4:3 picture scaled to the window, relative mouse motion, Alt+Enter for full screen.
#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

#include <cstdio>

namespace vz {

namespace {

class SdlPlatform : public Platform {
public:
    ~SdlPlatform() override {
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (window_) SDL_DestroyWindow(window_);
        SDL_Quit();
    }

    bool Open(bool windowed, StartupFailure& failure) {
        fullscreen_ = !windowed;
        if (SDL_Init(SDL_INIT_VIDEO) != 0) return Fail(failure, "DDraw Fehler: CreateEx()");
        // Without a screen SDL may fall back to drawing nowhere; the game would then run unseen.
        const char* driver = SDL_GetCurrentVideoDriver();
        if (driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0)) {
            SDL_SetError("no display to show the game on (video driver '%s')", driver);
            return Fail(failure, "DDraw Fehler: CreateEx()");
        }
        Uint32 flags = SDL_WINDOW_RESIZABLE | (fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        window_ = SDL_CreateWindow("Vudizid Ozazi", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kScreenWidth,
                                   kScreenHeight, flags);
        if (!window_) return Fail(failure, "DDraw Fehler: CoopLevel()");
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (!renderer_) return Fail(failure, "DDraw Fehler: CreateSurf()");
        if (SDL_RenderSetLogicalSize(renderer_, kScreenWidth, kScreenHeight) != 0)
            return Fail(failure, "DDraw Fehler: SetMode()");
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, kScreenWidth,
                                     kScreenHeight);
        if (!texture_) return Fail(failure, "DDraw Fehler: AttachedSurf()");
        SDL_ShowCursor(SDL_DISABLE);
        ApplyMouseMode();
        return true;
    }

    void PumpEvents() override {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            switch (e.type) {
                case SDL_QUIT:
                    closeRequested_ = true;
                    break;
                case SDL_MOUSEMOTION:
                    // Only motion over our focused window moves the game's pointer.
                    dx_ += e.motion.xrel;
                    dy_ += e.motion.yrel;
                    break;
                case SDL_KEYDOWN:
                    if (e.key.keysym.scancode == SDL_SCANCODE_RETURN && (e.key.keysym.mod & KMOD_ALT) &&
                        !e.key.repeat) {
                        fullscreen_ = !fullscreen_;
                        SDL_SetWindowFullscreen(window_, fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
                        ApplyMouseMode();
                    }
                    break;
                case SDL_WINDOWEVENT:
                    if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) ApplyMouseMode();
                    if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                        // Nothing held stays held while another program has the keyboard and mouse.
                        SDL_SetRelativeMouseMode(SDL_FALSE);
                        dx_ = dy_ = 0;
                    }
                    break;
                default:
                    break;
            }
        }
    }

    RawInput ReadInput() override {
        RawInput r;
        r.dx = dx_;
        r.dy = dy_;
        dx_ = dy_ = 0;
        const bool focused = (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
        if (focused) {
            Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
            r.left = (buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0;
            r.right = (buttons & SDL_BUTTON(SDL_BUTTON_RIGHT)) != 0;
            const Uint8* keys = SDL_GetKeyboardState(nullptr);
            const bool alt = keys[SDL_SCANCODE_LALT] || keys[SDL_SCANCODE_RALT];
            r.enter = !alt && (keys[SDL_SCANCODE_RETURN] || keys[SDL_SCANCODE_KP_ENTER]);
            r.escape = keys[SDL_SCANCODE_ESCAPE] != 0;
        }
        r.escape = r.escape || closeRequested_;
        return r;
    }

    void Present(const Surface& frame) override {
        SDL_UpdateTexture(texture_, nullptr, frame.pixels.data(), frame.width * 2);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
    }

    uint32_t Ticks() override { return SDL_GetTicks(); }
    void SleepMs(uint32_t ms) override { SDL_Delay(ms); }

    void Notice(const std::string& text) override {
        // Leave full screen first, or the notice may open behind the game's picture.
        if (fullscreen_) SDL_SetWindowFullscreen(window_, 0);
        SDL_SetRelativeMouseMode(SDL_FALSE);
        SDL_ShowCursor(SDL_ENABLE);
        if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "", text.c_str(), window_) != 0)
            std::fprintf(stderr, "vudizid: %s\n", text.c_str());
        SDL_ShowCursor(SDL_DISABLE);
        if (fullscreen_) SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
        ApplyMouseMode();
        dx_ = dy_ = 0;
    }

    void SetIcon(const Surface& icon) override {
        if (icon.Empty() || !icon.filled) return;
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint16_t*>(icon.pixels.data()), icon.width,
                                                            icon.height, 16, icon.width * 2, SDL_PIXELFORMAT_RGB565);
        if (!s) return;
        SDL_SetColorKey(s, SDL_TRUE, kColorKey);
        SDL_SetWindowIcon(window_, s);
        SDL_FreeSurface(s);
    }

private:
    bool Fail(StartupFailure& failure, const char* notice) {
        failure.notice = notice;
        failure.reason = SDL_GetError();
        return false;
    }

    // Full screen takes the mouse as a game does; a window lets the pointer leave it freely.
    void ApplyMouseMode() {
        bool focused = (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
        SDL_SetRelativeMouseMode(fullscreen_ && focused ? SDL_TRUE : SDL_FALSE);
    }

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    bool fullscreen_ = true;
    bool closeRequested_ = false;
    int dx_ = 0;
    int dy_ = 0;
};

}  // namespace

std::unique_ptr<Platform> CreateSdlPlatform(bool windowed, StartupFailure& failure) {
    auto p = std::make_unique<SdlPlatform>();
    if (!p->Open(windowed, failure)) return nullptr;
    return p;
}

void ShowStartupNotice(const std::string& text) {
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "", text.c_str(), nullptr) != 0) {
        // No display at all: standard error is all there is.
    }
}

}  // namespace vz
