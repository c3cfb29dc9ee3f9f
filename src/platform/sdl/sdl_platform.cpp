// SDL2 backend: a 4:3 picture scaled into the window's own surface, relative mouse motion, Alt+Enter for full screen.
#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/screen_scale.h"
#include "platform/signals.h"

namespace vz {

namespace {

constexpr const char* kWindowClass = "vudizid";

// SDL shows a message box from a child process and waits for it; a quit signal ends that child.
// False when no box could be shown, or a quit signal took it away.
bool ShowMessageBox(Uint32 kind, const std::string& text, SDL_Window* owner) {
    NoticeChildWatch watch;
    return SDL_ShowSimpleMessageBox(kind, "", text.c_str(), owner) == 0 && QuitSignal() == 0;
}

class SdlPlatform : public Platform {
public:
    ~SdlPlatform() override {
        if (window_) SDL_DestroyWindow(window_);
        SDL_Quit();
    }

    bool Open(bool windowed, StartupFailure& failure) {
        fullscreen_ = !windowed;
        // The window's class (X11) and app id (Wayland), by which a desktop matches the window to
        // the game's menu entry (its StartupWMClass). SDL reads them when the video starts; a
        // class the player set himself is kept.
        SDL_setenv("SDL_VIDEO_X11_WMCLASS", kWindowClass, 0);
        SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", kWindowClass, 0);
        // The game's own handlers take the quit signals (platform/signals.h), also during a notice.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_Init(SDL_INIT_VIDEO) != 0) return Fail(failure, "DDraw Fehler: CreateEx()");
        // Without a screen SDL may fall back to drawing nowhere; the game would then run unseen.
        const char* driver = SDL_GetCurrentVideoDriver();
        if (driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0)) {
            SDL_SetError("no display to show the game on (video driver '%s')", driver);
            return Fail(failure, "DDraw Fehler: CreateEx()");
        }
        // On X11 SDL would otherwise back the window's surface with an OpenGL texture, which on a
        // machine without a graphics card means a software GL costing tens of megabytes and more
        // processor time than the plain shared-memory image it replaces.
        if (driver && SDL_strcmp(driver, "x11") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        Uint32 flags = SDL_WINDOW_RESIZABLE | (fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        window_ = SDL_CreateWindow("Vudizid Ozazi", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kScreenWidth,
                                   kScreenHeight, flags);
        if (!window_) return Fail(failure, "DDraw Fehler: CoopLevel()");
        SDL_Surface* screen = SDL_GetWindowSurface(window_);
        if (!screen) return Fail(failure, "DDraw Fehler: CreateSurf()");
        // Any packed format can be drawn in, if need be through SDL's own slow scaling blit.
        if (SDL_ISPIXELFORMAT_FOURCC(screen->format->format) || screen->format->BytesPerPixel < 1)
            return Fail(failure, "DDraw Fehler: SetMode()");
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
                case SDL_MOUSEMOTION: {
                    // Only motion over our focused window moves the game's pointer. It comes in
                    // window pixels; the game moves in picture pixels.
                    int w = 0, h = 0;
                    SDL_GetWindowSize(window_, &w, &h);
                    const ScreenRect shown = FitPicture(w, h, kScreenWidth, kScreenHeight);
                    int gx = 0, gy = 0;
                    motion_.Add(e.motion.xrel, e.motion.yrel, shown.width, shown.height, gx, gy);
                    dx_ += gx;
                    dy_ += gy;
                    break;
                }
                case SDL_KEYDOWN:
                    if (e.key.keysym.scancode == SDL_SCANCODE_RETURN && (e.key.keysym.mod & KMOD_ALT) &&
                        !e.key.repeat) {
                        fullscreen_ = !fullscreen_;
                        SDL_SetWindowFullscreen(window_, fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
                        ApplyMouseMode();
                        redraw_ = true;
                    }
                    break;
                case SDL_WINDOWEVENT:
                    switch (e.window.event) {
                        case SDL_WINDOWEVENT_FOCUS_GAINED:
                            ApplyMouseMode();
                            redraw_ = true;
                            break;
                        case SDL_WINDOWEVENT_FOCUS_LOST:
                            // Nothing held stays held while another program has the keyboard and mouse.
                            SDL_SetRelativeMouseMode(SDL_FALSE);
                            dx_ = dy_ = 0;
                            motion_.Reset();
                            break;
                        // The window's contents were lost or its size changed: a still picture
                        // must be drawn again even though the frame did not change.
                        case SDL_WINDOWEVENT_EXPOSED:
                        case SDL_WINDOWEVENT_SIZE_CHANGED:
                        case SDL_WINDOWEVENT_RESIZED:
                            redraw_ = true;
                            break;
                        default:
                            break;
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
        r.escape = r.escape || closeRequested_ || QuitSignal() != 0;
        return r;
    }

    void Present(const Surface& frame) override {
        if (frame.Empty()) return;
        // Only the band of rows that differs from the picture on screen is drawn; a still screen
        // costs one comparison a frame.
        int first = 0, last = frame.height - 1;
        if (!redraw_ && shown_.size() == frame.pixels.size()) {
            const size_t rowBytes = static_cast<size_t>(frame.width) * sizeof(uint16_t);
            auto differs = [&](int y) {
                const size_t at = static_cast<size_t>(y) * frame.width;
                return std::memcmp(&frame.pixels[at], &shown_[at], rowBytes) != 0;
            };
            while (first <= last && !differs(first)) ++first;
            if (first > last) return;
            while (!differs(last)) --last;
        }

        // The surface is made anew after a resize or a switch to or from full screen.
        SDL_Surface* screen = SDL_GetWindowSurface(window_);
        if (!screen) return;  // redraw_ stays as it is: the next frame tries again
        const bool fresh = screen != surface_ || screen->w != surfaceWidth_ || screen->h != surfaceHeight_ ||
                           screen->format->format != surfaceFormat_;
        if (fresh) {
            surface_ = screen;
            surfaceWidth_ = screen->w;
            surfaceHeight_ = screen->h;
            surfaceFormat_ = screen->format->format;
            direct_ = PixelLayoutOf(screen->format, layout_);
        }
        const ScreenRect r = FitPicture(screen->w, screen->h, frame.width, frame.height);
        if (r.width <= 0 || r.height <= 0) return;
        const bool whole = fresh || redraw_;
        if (whole) {
            first = 0;
            last = frame.height - 1;
        }

        ScreenScaler::Rows rows;
        if (direct_) {
            const bool lock = SDL_MUSTLOCK(screen);
            if (lock && SDL_LockSurface(screen) != 0) return;
            if (fresh) ClearBars(screen, r);
            const int bpp = layout_.bytesPerPixel;
            auto* at = static_cast<uint8_t*>(screen->pixels) + static_cast<ptrdiff_t>(r.y) * screen->pitch +
                       static_cast<ptrdiff_t>(r.x) * bpp;
            rows = scaler_.Scale(frame, at, screen->pitch, r.width, r.height, layout_, first, last);
            if (lock) SDL_UnlockSurface(screen);
        } else {
            if (fresh) {
                const bool lock = SDL_MUSTLOCK(screen);
                if (lock && SDL_LockSurface(screen) != 0) return;
                ClearBars(screen, r);
                if (lock) SDL_UnlockSurface(screen);
            }
            // A format the scaler does not write: SDL's general blit, slow but right.
            SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
                const_cast<uint16_t*>(frame.pixels.data()), frame.width, frame.height, 16, frame.width * 2,
                SDL_PIXELFORMAT_RGB565);
            if (!source) return;
            SDL_Rect to{r.x, r.y, r.width, r.height};
            const int failed = SDL_BlitScaled(source, nullptr, screen, &to);
            SDL_FreeSurface(source);
            if (failed != 0) return;
            rows = {0, r.height};
        }

        if (whole) {
            SDL_UpdateWindowSurface(window_);
        } else if (rows.count > 0) {
            SDL_Rect band{r.x, r.y + rows.first, r.width, rows.count};
            SDL_UpdateWindowSurfaceRects(window_, &band, 1);
        }
        shown_ = frame.pixels;
        redraw_ = false;
    }

    uint32_t Ticks() override { return SDL_GetTicks(); }
    void SleepMs(uint32_t ms) override { SDL_Delay(ms); }

    void Notice(const std::string& text) override {
        // A game asked to end shows no more notices; the text still goes to standard error.
        if (QuitSignal() != 0) {
            std::fprintf(stderr, "vudizid: %s\n", text.c_str());
            return;
        }
        // Leave full screen first, or the notice may open behind the game's picture.
        if (fullscreen_) SDL_SetWindowFullscreen(window_, 0);
        SDL_SetRelativeMouseMode(SDL_FALSE);
        SDL_ShowCursor(SDL_ENABLE);
        if (!ShowMessageBox(SDL_MESSAGEBOX_INFORMATION, text, window_))
            std::fprintf(stderr, "vudizid: %s\n", text.c_str());
        SDL_ShowCursor(SDL_DISABLE);
        if (fullscreen_) SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
        ApplyMouseMode();
        dx_ = dy_ = 0;
        motion_.Reset();
        redraw_ = true;
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

    // The scaler writes 8-bit-per-channel 32-bit pixels and RGB565 itself; false for anything else.
    static bool PixelLayoutOf(const SDL_PixelFormat* format, PixelLayout& layout) {
        if (format->format == SDL_PIXELFORMAT_RGB565) {
            layout = PixelLayout{};
            layout.bytesPerPixel = 2;
            return true;
        }
        if (format->BytesPerPixel != 4 || format->palette || format->Rloss != 0 || format->Gloss != 0 ||
            format->Bloss != 0)
            return false;
        layout.bytesPerPixel = 4;
        layout.redShift = format->Rshift;
        layout.greenShift = format->Gshift;
        layout.blueShift = format->Bshift;
        layout.alphaMask = format->Amask;
        return true;
    }

    // Black around the picture; only needed when the surface is new, as the picture never covers it.
    static void ClearBars(SDL_Surface* screen, const ScreenRect& r) {
        const SDL_Rect bars[4] = {{0, 0, screen->w, r.y},
                                  {0, r.y + r.height, screen->w, screen->h - r.y - r.height},
                                  {0, r.y, r.x, r.height},
                                  {r.x + r.width, r.y, screen->w - r.x - r.width, r.height}};
        const Uint32 black = SDL_MapRGB(screen->format, 0, 0, 0);
        for (const SDL_Rect& bar : bars)
            if (bar.w > 0 && bar.h > 0) SDL_FillRect(screen, &bar, black);
    }

    SDL_Window* window_ = nullptr;
    bool fullscreen_ = true;
    bool closeRequested_ = false;
    int dx_ = 0;
    int dy_ = 0;
    MotionScaler motion_;

    // What is on screen, so an unchanged frame is not drawn again.
    std::vector<uint16_t> shown_;
    bool redraw_ = true;
    SDL_Surface* surface_ = nullptr;  // compared only, never used: SDL owns and replaces it
    int surfaceWidth_ = 0;
    int surfaceHeight_ = 0;
    Uint32 surfaceFormat_ = 0;
    bool direct_ = false;
    PixelLayout layout_;
    ScreenScaler scaler_;
};

}  // namespace

std::unique_ptr<Platform> CreateSdlPlatform(bool windowed, StartupFailure& failure) {
    auto p = std::make_unique<SdlPlatform>();
    if (!p->Open(windowed, failure)) return nullptr;
    return p;
}

void ShowStartupNotice(const std::string& text) {
    // Without any display standard error, where main() has written the text, is all there is.
    if (QuitSignal() == 0) ShowMessageBox(SDL_MESSAGEBOX_ERROR, text, nullptr);
}

}  // namespace vz
