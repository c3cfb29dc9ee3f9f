// SDL2 backend: a 4:3 picture scaled into the window's own surface, the pointer and keys, Alt+Enter for full screen.
#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/paths.h"
#include "platform/screen_scale.h"
#include "platform/screen_note.h"
#include "platform/screenshot.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_controller.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_pointer.h"
#include "platform/settings.h"
#include "platform/signals.h"
#include "platform/window_place.h"

namespace vz {

namespace {

constexpr const char* kWindowClass = "vudizid";
constexpr int kAwayWakeMs = 200;  // how often a paused game looks for a quit signal

// SDL shows a message box from a child process and waits for it; a quit signal ends that child.
// False when no box could be shown, or a quit signal took it away.
bool ShowMessageBox(Uint32 kind, const std::string& text, SDL_Window* owner) {
    NoticeChildWatch watch;
    return SDL_ShowSimpleMessageBox(kind, "", text.c_str(), owner) == 0 && QuitSignal() == 0;
}

class SdlPlatform : public Platform {
public:
    ~SdlPlatform() override {
        if (window_) {
            RememberDisplay();
            SDL_DestroyWindow(window_);
        }
        audio_.reset();
        controllers_.reset();
        SDL_Quit();
    }

    bool Open(const DisplayRequest& request, StartupFailure& failure) {
        LoadSettings(request);
        // The window's class (X11) and app id (Wayland), by which a desktop matches the window to
        // the game's menu entry (its StartupWMClass). SDL reads them when the video starts; a
        // class the player set himself is kept.
        SDL_setenv("SDL_VIDEO_X11_WMCLASS", kWindowClass, 0);
        SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", kWindowClass, 0);
        // The game's own handlers take the quit signals (platform/signals.h), also during a notice.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        // Fingers are the game's own gestures; SDL's mouse made of them would click on every touch.
        SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
        failure.noDisplay = true;  // until a display is open
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
        failure.noDisplay = false;
        if (driver && SDL_strcmp(driver, "x11") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (!CreateWindow()) return Fail(failure, "DDraw Fehler: CoopLevel()");
        SDL_Surface* screen = SDL_GetWindowSurface(window_);
        if (!screen) return Fail(failure, "DDraw Fehler: CreateSurf()");
        // Any packed format can be drawn in, if need be through SDL's own slow scaling blit.
        if (SDL_ISPIXELFORMAT_FOURCC(screen->format->format) || screen->format->BytesPerPixel < 1)
            return Fail(failure, "DDraw Fehler: SetMode()");
        SDL_ShowCursor(SDL_DISABLE);
        ApplyMouseMode();
        // A game without controllers is still a game: their failure is only reported.
        controllers_ = std::make_unique<SdlControllers>();
        controllers_->Start();
        return true;
    }

    void PumpEvents() override {
        pointer_.NewFrame();
        keys_.NewFrame();
        controllers_->NewFrame();
        SDL_Event e;
        while (SDL_PollEvent(&e)) HandleEvent(e);
        if (Focused()) {
            int sx = 0, sy = 0;
            controllers_->StickMotion(sx, sy);
            // The arrow keys move the pointer once a frame, as the mouse and the stick do.
            int ax = 0, ay = 0;
            keys_.ArrowMotion(SDL_GetKeyboardState(nullptr), ax, ay);
            sx += ax;
            sy += ay;
            if (sx != 0 || sy != 0) pointer_.OtherPointerUsed();
            pointer_.AddMotion(sx, sy);
        }
        pointer_.Tick(SDL_GetTicks());
    }

    RawInput ReadInput() override {
        RawInput r;
        if (Focused()) {
            const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
            pointer_.Read(r, (buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0, (buttons & SDL_BUTTON(SDL_BUTTON_RIGHT)) != 0);
            keys_.Read(r, SDL_GetKeyboardState(nullptr));
            controllers_->AddTo(r);
        }
        r.escape = r.escape || closeRequested_ || QuitSignal() != 0;
        return r;
    }

    void Present(const Surface& frame) override {
        if (frame.Empty()) return;
        const uint32_t now = SDL_GetTicks();
        if (screenshotRequested_) {
            screenshotRequested_ = false;
            TakeScreenshot(frame, now);
        }
        // The note goes only into the picture shown, after the screenshot took the frame; the
        // sound's note is the newer where both show.
        if (soundNote_.Showing(now)) {
            noted_ = frame;
            soundNote_.Draw(noted_, fonts_, now);
            Show(noted_);
        } else if (note_.Showing(now)) {
            noted_ = frame;
            note_.Draw(noted_, fonts_, now);
            Show(noted_);
        } else {
            Show(frame);
        }
        // The sound starts once the first picture is up, so the window never waits for the device.
        if (!audio_) OpenAudio();
    }

    void PlaySound(const SoundFrame& frame) override {
        if (audio_) audio_->Play(frame);
    }

    bool HasSound() const override { return audio_ && audio_->Open(); }

    void ToggleMute() override {
        sound_.ToggleMute();
        settings_.muted = sound_.Muted();
        SoundChanged();
    }

    uint32_t Ticks() override { return SDL_GetTicks(); }
    void SleepMs(uint32_t ms) override { SDL_Delay(ms); }

    TextPace StoredTextPace() override { return settings_.textPace; }
    // Written with the display's settings when the game ends.
    void KeepTextPace(TextPace pace) override { settings_.textPace = pace; }

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
        ForgetInput();
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

    void SetFonts(const Fonts& fonts) override { fonts_ = fonts; }

    bool CanToggleFullscreen() const override { return true; }

    void ToggleFullscreen() override {
        fullscreen_ = !fullscreen_;
        SDL_SetWindowFullscreen(window_, fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        ApplyMouseMode();
        redraw_ = true;
    }

    // Once a picture is on screen, nothing runs while the window has no focus or is minimised:
    // SDL_WaitEvent sleeps until the window system has something to say. A window that lost its
    // picture meanwhile gets the last one again. Closing the window ends the wait, and the frame
    // that follows sees it as Escape.
    bool WaitWhileAway() override {
        if (!Away()) return false;
        controllers_->Sleep();
        if (audio_) audio_->SetAway(true);
        // The quit signals only take a note, which wakes no one: the wait looks at it a few times
        // a second, which costs next to nothing.
        while (Away() && !closeRequested_ && QuitSignal() == 0) {
            SDL_Event e;
            if (SDL_WaitEventTimeout(&e, kAwayWakeMs) == 0) continue;
            HandleEvent(e);
            if (redraw_) Show(shown_);
        }
        controllers_->Wake();
        if (audio_) audio_->SetAway(false);
        return true;
    }

private:
    // ---- Events ----

    void HandleEvent(const SDL_Event& e) {
        if (controllers_ && controllers_->HandleEvent(e)) {
            if (e.type == SDL_CONTROLLERBUTTONDOWN) pointer_.OtherPointerUsed();
            return;
        }
        if (pointer_.HandleEvent(e, PointerState())) return;
        switch (e.type) {
            case SDL_QUIT:
                closeRequested_ = true;
                break;
            case SDL_KEYDOWN:
                if (Focused()) HandleKey(e.key);
                break;
            case SDL_WINDOWEVENT:
                HandleWindowEvent(e.window);
                break;
            case SDL_AUDIODEVICEREMOVED:
                if (audio_ && !e.adevice.iscapture) audio_->DeviceLost();
                break;
            default:
                break;
        }
    }

    void HandleKey(const SDL_KeyboardEvent& key) {
        const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
        if (alt && key.keysym.scancode == SDL_SCANCODE_RETURN) {
            if (!key.repeat) ToggleFullscreen();
            return;
        }
        keys_.KeyDown(key);
        switch (key.keysym.scancode) {
            case SDL_SCANCODE_F11:
                if (!key.repeat) ToggleFullscreen();
                break;
            case SDL_SCANCODE_F10:
                if (!key.repeat) {
                    scale_ = scale_ == ScaleMode::Fit ? ScaleMode::Whole : ScaleMode::Fit;
                    redraw_ = clearBars_ = true;
                    placed_ = {};
                    pointer_.ScalingChanged();
                }
                break;
            case SDL_SCANCODE_F12:
                if (!key.repeat) screenshotRequested_ = true;
                break;
            default:
                HandleSoundKey(key);
                break;
        }
    }

    // ---- Sound ----

    // By the key's meaning, not its place, so M and + are where the player's layout has them.
    // Holding - or + goes on lowering or raising.
    void HandleSoundKey(const SDL_KeyboardEvent& key) {
        if (key.keysym.mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) return;
        switch (key.keysym.sym) {
            case SDLK_m:
                if (!key.repeat) ToggleMute();
                break;
            case SDLK_MINUS:
            case SDLK_KP_MINUS:
            case SDLK_PLUS:
            case SDLK_EQUALS:
            case SDLK_KP_PLUS: {
                const bool down = key.keysym.sym == SDLK_MINUS || key.keysym.sym == SDLK_KP_MINUS;
                if (down)
                    sound_.Lower();
                else
                    sound_.Raise();
                settings_.muted = false;  // a volume key brings the sound back
                SoundChanged();
                break;
            }
            default:
                break;
        }
    }

    void SoundChanged() {
        settings_.volume = sound_.Volume();
        if (audio_) audio_->SetControl(sound_);
        soundNote_.Show(sound_.Note(), SDL_GetTicks());
    }

    void OpenAudio() {
        audio_ = std::make_unique<SdlAudio>(places.sounds, sound_, [](const std::string& line) {
            std::fprintf(stderr, "vudizid: %s\n", line.c_str());
        });
    }

    void HandleWindowEvent(const SDL_WindowEvent& w) {
        switch (w.event) {
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                ApplyMouseMode();
                redraw_ = true;
                break;
            case SDL_WINDOWEVENT_LEAVE:
                PointerLeft();
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                // Nothing held stays held while another program has the keyboard and mouse.
                SDL_SetRelativeMouseMode(SDL_FALSE);
                ForgetInput();
                break;
            case SDL_WINDOWEVENT_MOVED:
                if (!fullscreen_) {
                    LearnPlacement(w.data1, w.data2);
                    settings_.windowX = w.data1 - offsetX_;
                    settings_.windowY = w.data2 - offsetY_;
                }
                break;
            // The window's contents were lost or its size changed: a still picture must be drawn
            // again even though the frame did not change.
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                if (!fullscreen_ && !(SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED)) {
                    settings_.windowWidth = w.data1;
                    settings_.windowHeight = w.data2;
                }
                redraw_ = true;
                break;
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_RESIZED:
            case SDL_WINDOWEVENT_RESTORED:
            case SDL_WINDOWEVENT_SHOWN:
                redraw_ = true;
                break;
            default:
                break;
        }
    }

    bool Focused() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0; }

    // Away: minimised, hidden, or another window has the focus, with our first picture shown.
    bool Away() const {
        if (shown_.Empty()) return false;
        const Uint32 flags = SDL_GetWindowFlags(window_);
        return (flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0 || (flags & SDL_WINDOW_INPUT_FOCUS) == 0;
    }

    void ForgetInput() {
        pointer_.Forget();
        keys_.Forget();
        if (controllers_) controllers_->Forget();
    }

    // The system's pointer left the window: the game's stays on the edge it crossed. X11 and
    // Windows report where it crossed as one more motion; Wayland says only that it left, so the
    // pointer goes on along its last motion to the window's edge.
    void PointerLeft() {
        const char* driver = SDL_GetCurrentVideoDriver();
        if (driver && SDL_strcmp(driver, "wayland") == 0) pointer_.LeftAlongLastMotion(PointerState());
    }

    // Full screen takes the mouse as a game does; a window lets the pointer leave it freely.
    void ApplyMouseMode() { SDL_SetRelativeMouseMode(fullscreen_ && Focused() ? SDL_TRUE : SDL_FALSE); }

    // ---- The display as the player left it ----

    void LoadSettings(const DisplayRequest& request) {
        settingsFolder_ = SettingsFolder();
        if (!settingsFolder_.empty()) {
            std::vector<std::string> warnings;
            settings_ = LoadDisplaySettings(*this, settingsFolder_ + "/" + kSettingsFileName, settingsFile_, warnings);
            for (const std::string& warning : warnings) Report(warning);
        }
        saved_ = settings_;
        fullscreen_ = request.fullscreen.value_or(settings_.fullscreen);
        scale_ = request.scale.value_or(settings_.scale);
        sound_ = SoundControl(settings_.volume, settings_.muted || request.mute);
    }

    // The window where it was left, if that place is still on a screen, else centred; either way
    // made to fit the screen, frame and all (platform/window_place.h).
    bool CreateWindow() {
        std::vector<ScreenRect> screens;
        for (int d = 0; d < SDL_GetNumVideoDisplays(); ++d) {
            SDL_Rect b;
            if (SDL_GetDisplayUsableBounds(d, &b) == 0) screens.push_back({b.x, b.y, b.w, b.h});
        }
        const ScreenRect wanted = settings_.hasWindowPlace
                                      ? ScreenRect{settings_.windowX, settings_.windowY, settings_.windowWidth,
                                                   settings_.windowHeight}
                                      : ScreenRect{0, 0, kScreenWidth, kScreenHeight};
        // A window opened on the whole screen has no frame: it may take the screen's size (without
        // a window manager, which alone makes it cover the screen, that is all it gets).
        const ScreenRect at =
            PlaceWindow(wanted, settings_.hasWindowPlace, screens, fullscreen_ ? FrameBorders{} : kUsualFrame);
        const Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI |
                             (fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        window_ = SDL_CreateWindow("Vudizid Ozazi", at.x, at.y, at.width, at.height, flags);
        if (window_) SDL_GetWindowPosition(window_, &askedX_, &askedY_);
        return window_ != nullptr;
    }

    // Some window managers put a new window's frame where it was asked to be and then report the
    // window inside it, a border further on; a place remembered as reported would creep by that
    // border at every start. The first place reported in a window tells the difference, which is
    // taken off whatever is remembered. A large difference is the manager's own choice of place.
    void LearnPlacement(int reportedX, int reportedY) {
        if (placementLearned_) return;
        placementLearned_ = true;
        constexpr int kMostBorder = 64;
        const int dx = reportedX - askedX_, dy = reportedY - askedY_;
        if (dx >= 0 && dy >= 0 && dx <= kMostBorder && dy <= kMostBorder) {
            offsetX_ = dx;
            offsetY_ = dy;
        }
    }

    // Writes the settings file when anything differs from what it held; a failure is only reported.
    void RememberDisplay() {
        settings_.scale = scale_;
        settings_.fullscreen = fullscreen_;
        if (!fullscreen_ && !(SDL_GetWindowFlags(window_) & (SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED))) {
            SDL_GetWindowPosition(window_, &settings_.windowX, &settings_.windowY);
            settings_.windowX -= offsetX_;
            settings_.windowY -= offsetY_;
            SDL_GetWindowSize(window_, &settings_.windowWidth, &settings_.windowHeight);
            settings_.hasWindowPlace = true;
        }
        if (settings_ == saved_ || settingsFolder_.empty() || settingsFile_.keepAsItIs) return;
        if (SaveDisplaySettings(*this, settingsFolder_, settingsFile_, settings_) != WriteResult::Ok)
            Report("the settings cannot be kept in " + settingsFolder_ + ": " + writeProblem);
    }

    // ---- Screenshots ----

    void TakeScreenshot(const Surface& frame, uint32_t now) {
        const ScreenshotResult shot = SaveScreenshot(frame, ScreenshotFolder(), std::time(nullptr));
        if (shot.outcome != ScreenshotOutcome::Saved)
            Report("no screenshot: " + shot.problem);
        else
            std::printf("vudizid: screenshot saved as %s\n", shot.path.c_str());
        std::fflush(stdout);
        note_.Show(shot.outcome, now);
    }

    // ---- Drawing into the window ----

    // Where the picture lies on the window's surface, and the window's size in points (which the
    // mouse moves in; on a high-density screen a point is more than one pixel).
    PointerWindow PointerState() const {
        PointerWindow p;
        SDL_GetWindowSize(window_, &p.windowWidth, &p.windowHeight);
        p.placed = placed_;
        p.surfaceWidth = surfaceWidth_;
        p.surfaceHeight = surfaceHeight_;
        if (p.placed.width <= 0) {  // nothing shown yet: where it will be
            SDL_GetWindowSizeInPixels(window_, &p.surfaceWidth, &p.surfaceHeight);
            p.placed = PlacePicture(scale_, p.surfaceWidth, p.surfaceHeight, kScreenWidth, kScreenHeight);
        }
        p.id = SDL_GetWindowID(window_);
        p.focused = Focused();
        p.holdsMouse = fullscreen_;
        return p;
    }

    // Shows a picture; only the band of rows that differs from the picture on screen is drawn, so
    // a still screen costs one comparison a frame.
    void Show(const Surface& frame) {
        if (frame.Empty()) return;
        int first = 0, last = frame.height - 1;
        if (!redraw_ && !ChangedRows(frame, shown_.pixels, first, last)) return;

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
        const ScreenRect r = PlacePicture(scale_, screen->w, screen->h, frame.width, frame.height);
        if (r.width <= 0 || r.height <= 0) return;
        placed_ = r;
        const bool whole = fresh || redraw_;
        const bool bars = fresh || clearBars_;
        if (whole) {
            first = 0;
            last = frame.height - 1;
        }

        ScreenScaler::Rows rows;
        if (direct_) {
            const bool lock = SDL_MUSTLOCK(screen);
            if (lock && SDL_LockSurface(screen) != 0) return;
            if (bars) ClearBars(screen, r);
            const int bpp = layout_.bytesPerPixel;
            auto* at = static_cast<uint8_t*>(screen->pixels) + static_cast<ptrdiff_t>(r.y) * screen->pitch +
                       static_cast<ptrdiff_t>(r.x) * bpp;
            rows = scaler_.Scale(frame, at, screen->pitch, r.width, r.height, layout_, first, last);
            if (lock) SDL_UnlockSurface(screen);
        } else {
            if (bars) {
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
        if (&frame != &shown_) shown_ = frame;
        redraw_ = clearBars_ = false;
    }

    bool Fail(StartupFailure& failure, const char* notice) {
        failure.notice = notice;
        failure.reason = SDL_GetError();
        return false;
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

    // Black around the picture; needed when the surface is new or the picture's place changed, as
    // the picture never covers it.
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
    ScaleMode scale_ = ScaleMode::Fit;
    bool closeRequested_ = false;
    SdlPointer pointer_;
    SdlKeys keys_;
    std::unique_ptr<SdlControllers> controllers_;

    std::string settingsFolder_;
    SettingsFile settingsFile_;  // every line of the file, the player's own kept as they stand
    DisplaySettings settings_;  // as now, updated while the window moves
    DisplaySettings saved_;     // as the file holds them
    int askedX_ = 0, askedY_ = 0;  // where the window was created
    bool placementLearned_ = false;
    int offsetX_ = 0, offsetY_ = 0;  // reported place less the place asked for

    Fonts fonts_;
    bool screenshotRequested_ = false;
    ScreenshotNote note_;
    ScreenNote soundNote_;  // the volume or mute just changed
    SoundControl sound_;
    std::unique_ptr<SdlAudio> audio_;  // made after the first picture
    Surface noted_;  // the frame with the note over it

    // What is on screen, so an unchanged frame is not drawn again.
    Surface shown_;
    bool redraw_ = true;
    bool clearBars_ = false;
    ScreenRect placed_;
    SDL_Surface* surface_ = nullptr;  // compared only, never used: SDL owns and replaces it
    int surfaceWidth_ = 0;
    int surfaceHeight_ = 0;
    Uint32 surfaceFormat_ = 0;
    bool direct_ = false;
    PixelLayout layout_;
    ScreenScaler scaler_;
};

}  // namespace

std::unique_ptr<Platform> CreateSdlPlatform(const DisplayRequest& request, StartupFailure& failure) {
    auto p = std::make_unique<SdlPlatform>();
    if (!p->Open(request, failure)) return nullptr;
    return p;
}

void ShowStartupNotice(const std::string& text) {
    // Without any display standard error, where main() has written the text, is all there is.
    if (QuitSignal() == 0) ShowMessageBox(SDL_MESSAGEBOX_ERROR, text, nullptr);
}

}  // namespace vz
