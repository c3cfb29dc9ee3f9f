// vudizid-touch-window SHOTS: the game in a real window played by fingers pushed into SDL's event queue.
// Run in the working folder of the game's pictures, with a display (tests/window_touch_test.sh).
// Each step is checked in the game's state; the window's own pictures of the touch controls are
// written to SHOTS as BMP files. Exit code 0 when every step held.
#include <SDL.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "platform/sdl/sdl_platform.h"
#include "shell/game.h"
#include "world/touch_controls.h"

namespace {

using namespace vz;

int g_failures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    std::fflush(stdout);
    if (!ok) ++g_failures;
}

class Player {
public:
    Player(Game& game, Platform& platform) : game_(game), platform_(platform) {}

    void Frames(int n) {
        for (int i = 0; i < n && !game_.quitRequested; ++i) RunFrame(game_, platform_, true);
    }
    // Frames until `done` holds (or two seconds went by); whether it held.
    bool Until(const std::function<bool()>& done) {
        for (int i = 0; i < 50 && !done() && !game_.quitRequested; ++i) RunFrame(game_, platform_, true);
        return done();
    }
    bool Focused() const { return Window() && (SDL_GetWindowFlags(Window()) & SDL_WINDOW_INPUT_FOCUS) != 0; }
    SDL_Window* Window() const {
        for (Uint32 id = 1; id < 64; ++id)
            if (SDL_Window* w = SDL_GetWindowFromID(id)) return w;
        return nullptr;
    }
    // A finger on game pixel (x, y), as a touch screen over the window reports it: in fractions
    // of the window, which shows the picture fitted.
    void Finger(Uint32 type, int x, int y) {
        SDL_Window* w = Window();
        int ww = 0, wh = 0;
        SDL_GetWindowSize(w, &ww, &wh);
        const ScreenRect r = PlacePicture(ScaleMode::Fit, ww, wh, kScreenWidth, kScreenHeight);
        SDL_Event e{};
        e.type = type;
        e.tfinger.touchId = 1;
        e.tfinger.fingerId = 1;
        e.tfinger.x = (r.x + (x + 0.5f) * r.width / kScreenWidth) / ww;
        e.tfinger.y = (r.y + (y + 0.5f) * r.height / kScreenHeight) / wh;
        e.tfinger.windowID = SDL_GetWindowID(w);
        SDL_PushEvent(&e);
    }
    void Tap(int x, int y) {
        Finger(SDL_FINGERDOWN, x, y);
        Finger(SDL_FINGERUP, x, y);
        Frames(7);
    }
    void Tap(TouchButton b) {
        const ScreenRect c = TouchButtonCell(b);
        Tap(c.x + c.width / 2, c.y + c.height / 2);
    }
    void TapEntry(int row) {
        const ScreenRect c = MenuEntryCell(row);
        Tap(c.x + c.width / 2, c.y + c.height / 2);
    }
    // What the window shows, as SDL holds it.
    void Shot(const std::string& path) {
        Frames(2);
        SDL_Surface* s = SDL_GetWindowSurface(Window());
        Check(s && SDL_SaveBMP(s, path.c_str()) == 0, "the window's picture written to " + path);
    }

private:
    Game& game_;
    Platform& platform_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vudizid-touch-window SHOTS_FOLDER\n");
        return 2;
    }
    const std::string shots = argv[1];
    Files files;
    auto game = std::make_unique<Game>();
    StartUp(*game, files);
    DisplayRequest request;
    request.fullscreen = false;
    StartupFailure failure;
    std::unique_ptr<Platform> platform = CreateSdlPlatform(request, failure);
    if (!platform) {
        std::fprintf(stderr, "no window: %s (%s)\n", failure.notice.c_str(), failure.reason.c_str());
        return 1;
    }
    platform->SetFonts(game->world.fonts);
    World& w = game->world;
    Player p(*game, *platform);
    Check(p.Until([&] { return p.Focused(); }), "the window has the focus");

    p.Tap(512, 430);
    Check(p.Until([&] { return w.state == GameState::Play && w.touch.shown; }), "a tap on Start: the game, the controls");
    p.Tap(TouchButton::Verb);
    Check(w.cursor.verb == kTake, "the verb button: Take");
    p.Tap(TouchButton::Names);
    Check(w.input.hotspotsHeld, "the names button holds the hotspot key");
    p.Shot(shots + "/desktop-names.bmp");
    p.Tap(TouchButton::Names);
    p.Tap(TouchButton::Menu);
    Check(w.touch.menuOpen, "the menu");
    const int sound = platform->HasSound() ? 1 : 0;
    Check(w.touch.menuEntries == 2 + sound, "the menu has full screen and quit, and sound when there is sound");
    p.Shot(shots + "/desktop-menu.bmp");
    p.TapEntry(sound);
    Check(p.Until([&] { return (SDL_GetWindowFlags(p.Window()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0; }),
          "the menu's full screen entry: full screen");
    p.Frames(10);  // the window manager has made it so
    p.Tap(TouchButton::Inventory);
    Check(w.state == GameState::InventoryScreen, "in full screen the inventory button opens the inventory");
    p.Shot(shots + "/desktop-fullscreen-inventory.bmp");
    p.Tap(TouchButton::Inventory);
    p.Tap(TouchButton::Menu);
    p.TapEntry(sound);
    Check(p.Until([&] { return (SDL_GetWindowFlags(p.Window()) & SDL_WINDOW_FULLSCREEN_DESKTOP) == 0; }),
          "and again: a window");
    p.Frames(10);
    Check(p.Until([&] { return p.Focused(); }), "the window has the focus again");

    // The mouse moved: the controls go, the pointer is drawn again.
    SDL_WarpMouseInWindow(p.Window(), 300, 300);
    Check(p.Until([&] { return !w.touch.shown && !w.input.touched; }), "the mouse moved: no controls");
    p.Frames(10);  // the X server's own report of the move, after SDL's
    p.Tap(600, 500);
    Check(p.Until([&] { return w.touch.shown; }), "a finger again: the controls");
    p.Tap(TouchButton::Menu);
    p.TapEntry(1 + sound);
    Check(game->quitRequested, "the menu's quit ends the game");
    return g_failures == 0 ? 0 : 1;
}
