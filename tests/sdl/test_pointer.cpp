// The real window's pointer, fingers and keys, fed through SDL's own event queue: no window needed.
#include "platform/sdl/sdl_pointer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "platform/sdl/sdl_keys.h"

namespace vz {
namespace {

class SdlQueue : public ::testing::Test {
protected:
    // SDL keeps its touch devices with its video; the dummy driver has no screen to need.
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

    // A window of w x h points showing the picture fitted, with the focus.
    static PointerWindow Window(int w, int h, bool fullScreen = false) {
        PointerWindow p;
        p.windowWidth = p.surfaceWidth = w;
        p.windowHeight = p.surfaceHeight = h;
        p.placed = PlacePicture(ScaleMode::Fit, w, h, kScreenWidth, kScreenHeight);
        p.focused = true;
        p.holdsMouse = fullScreen;
        return p;
    }
    // Everything pushed so far, through SDL's queue, to the pointer and the keys.
    void Pump() {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            if (e.type == SDL_KEYDOWN) keys.KeyDown(e.key);
            pointer.HandleEvent(e, window);
        }
    }
    // One frame: its events, the tick, one read into the game.
    RawInput Frame(uint32_t tick = 0) {
        Pump();
        pointer.Tick(tick ? tick : SDL_GetTicks());
        RawInput r;
        pointer.Read(r, false, false);
        keys.Read(r, noKeysHeld.data());
        PollInput(input, r);
        pointer.NewFrame();
        keys.NewFrame();
        return r;
    }
    void Motion(int x, int y, int xrel, int yrel, Uint32 which = 0) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.which = which;
        e.motion.x = x;
        e.motion.y = y;
        e.motion.xrel = xrel;
        e.motion.yrel = yrel;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    void Finger(Uint32 type, SDL_FingerID id, float x, float y) {
        SDL_Event e{};
        e.type = type;
        e.tfinger.touchId = 1;
        e.tfinger.fingerId = id;
        e.tfinger.x = x;
        e.tfinger.y = y;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    void Key(Uint32 type, SDL_Scancode code, Uint16 mod = KMOD_NONE) {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.scancode = code;
        e.key.keysym.mod = mod;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    std::pair<int, int> Pointer() const { return {input.mouseX, input.mouseY}; }

    PointerWindow window = Window(1280, 1024);
    SdlPointer pointer;
    SdlKeys keys;
    InputState input{400, 300};
    std::array<Uint8, SDL_NUM_SCANCODES> noKeysHeld{};
};

TEST_F(SdlQueue, InAWindowTheGamesPointerIsWhereTheMouseIsAndStaysOnTheEdgeItLeftBy) {
    // 1280 x 1024: the picture 1280 x 960 below a bar of 32. Points map as the picture shows them.
    Motion(640, 32 + 480, 5, 5);
    Frame();
    EXPECT_EQ(Pointer(), std::pair(512, 384));
    Motion(1279, 991, 3, 3);
    Frame();
    EXPECT_EQ(Pointer(), std::pair(kMouseMaxX, kMouseMaxY));
    // Up in steps of 40 until the pointer leaves over the top: the last motion inside was at
    // y 92, and the window says only that the pointer left (as Wayland's do).
    for (int y = 452; y > 80; y -= 40) Motion(700, y, 0, -40);
    Frame();
    EXPECT_GT(input.mouseY, 20);  // not yet the band that opens the inventory
    pointer.LeftAlongLastMotion(window);
    Frame();
    EXPECT_EQ(Pointer(), std::pair(560, kMouseMinY));
    // Where the system says where its pointer crossed (a motion beyond the window, as X11's
    // crossing or a drag with the button held reports it), there: right of the window.
    Motion(1500, 500, 40, 0);
    Frame();
    EXPECT_EQ(Pointer(), std::pair(kMouseMaxX, 374));
    // A pointer resting moves nothing, so the game's own clamps (an item held) hold.
    input.mouseX = 600;
    EXPECT_FALSE(Frame().placed);
    EXPECT_EQ(input.mouseX, 600);
}

TEST_F(SdlQueue, InFullScreenTheMouseMovesThePointerByItsMotion) {
    window = Window(1280, 960, true);
    Motion(10, 10, 100, -50);
    Frame();
    EXPECT_EQ(Pointer(), std::pair(480, 260));  // a point is 0.8 game pixels
    Motion(40, 40, 0, 0);  // in full screen the game holds the mouse: where it is says nothing
    EXPECT_FALSE(Frame().placed);
    EXPECT_EQ(Pointer(), std::pair(480, 260));
}

TEST_F(SdlQueue, FingersTapLongPressAndTapInTwosAndSdlsMouseMadeOfThemIsIgnored) {
    window = Window(1024, 768);
    Finger(SDL_FINGERDOWN, 1, 0.25f, 0.5f);
    Finger(SDL_FINGERUP, 1, 0.25f, 0.5f);
    RawInput r = Frame();
    EXPECT_TRUE(r.touch && input.touched);
    EXPECT_EQ(Pointer(), std::pair(256, 384));
    EXPECT_TRUE(Frame().left);  // in the frame after the pointer came there
    EXPECT_TRUE(input.leftClick);
    for (int i = 0; i < 5; ++i) Frame();

    // SDL's mouse copy of a finger, and the system's pointer put where the finger was: no mouse.
    Motion(600, 600, 344, 216, SDL_TOUCH_MOUSEID);
    Motion(256, 384, 0, 0);
    EXPECT_TRUE(Frame().touch);
    EXPECT_EQ(Pointer(), std::pair(256, 384));

    // Held half a second: one right click while it still rests.
    Finger(SDL_FINGERDOWN, 2, 0.5f, 0.5f);
    const uint32_t down = SDL_GetTicks();
    EXPECT_FALSE(Frame(down + 100).right);
    EXPECT_TRUE(Frame(down + TouchGestures::kLongPressMs + 10).right);
    EXPECT_TRUE(input.rightClick);
    Finger(SDL_FINGERUP, 2, 0.5f, 0.5f);
    r = Frame(down + 900);
    EXPECT_FALSE(r.left || r.right);

    // Two fingers tapped together: a right click, the pointer left where the first came down.
    for (int i = 0; i < 5; ++i) Frame(down + 1000);
    Finger(SDL_FINGERDOWN, 3, 0.75f, 0.25f);
    Finger(SDL_FINGERDOWN, 4, 0.80f, 0.30f);
    Finger(SDL_FINGERUP, 4, 0.80f, 0.30f);
    Finger(SDL_FINGERUP, 3, 0.75f, 0.25f);
    r = Frame();
    EXPECT_TRUE(r.right);
    EXPECT_FALSE(r.left);
    EXPECT_EQ(Pointer(), std::pair(768, 192));

    // A real mouse elsewhere: the touch is over, and the pointer is the mouse's.
    Motion(100, 100, 5, 5);
    r = Frame();
    EXPECT_FALSE(r.touch || input.touched);
    EXPECT_EQ(Pointer(), std::pair(100, 100));
}

TEST_F(SdlQueue, KeysPressedAndLetGoBetweenTwoFramesAreKept) {
    // Escape tapped between two frames (xdotool key sends both at once) still ends the game.
    Key(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE);
    Key(SDL_KEYUP, SDL_SCANCODE_ESCAPE);
    RawInput r = Frame();
    EXPECT_TRUE(r.escape && input.escapeDown);
    EXPECT_FALSE(Frame().escape);
    // Space and Enter likewise; Enter with Alt is the full-screen key, not the game's Enter.
    Key(SDL_KEYDOWN, SDL_SCANCODE_SPACE);
    Key(SDL_KEYUP, SDL_SCANCODE_SPACE);
    Key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_LALT);
    Key(SDL_KEYUP, SDL_SCANCODE_RETURN, KMOD_LALT);
    r = Frame();
    EXPECT_TRUE(r.hotspots);
    EXPECT_FALSE(r.enter);
    Key(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER);
    Key(SDL_KEYUP, SDL_SCANCODE_KP_ENTER);
    EXPECT_TRUE(Frame().enter);
    EXPECT_TRUE(input.leftClick);
    // Losing the focus forgets a press not yet read.
    Key(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE);
    Pump();
    keys.Forget();
    EXPECT_FALSE(Frame().escape);
}

}  // namespace
}  // namespace vz
