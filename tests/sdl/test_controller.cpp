// Game controllers through SDL's own controller layer, driven by SDL's virtual joystick: no window needed.
#include "platform/sdl/sdl_controller.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

#include "platform/input.h"

namespace vz {
namespace {

class Controllers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(controllers.Start()) << SDL_GetError();
        Plug();
        ASSERT_EQ(controllers.Count(), 1);
    }
    void TearDown() override {
        if (device >= 0) SDL_JoystickDetachVirtual(device);
    }

    // A virtual joystick with every button and axis of a standard controller, as one plugged in.
    void Plug() {
        device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                           SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(device, 0) << SDL_GetError();
        joystick = SDL_JoystickOpen(device);
        ASSERT_NE(joystick, nullptr);
        Events();
    }
    void Unplug() {
        SDL_JoystickClose(joystick);
        SDL_JoystickDetachVirtual(device);
        device = -1;
        joystick = nullptr;
        Events();
    }
    void Events() {
        SDL_Event e;
        while (SDL_PollEvent(&e)) controllers.HandleEvent(e);
    }
    void Button(SDL_GameControllerButton b, bool down) {
        SDL_JoystickSetVirtualButton(joystick, b, down ? 1 : 0);
        Events();
    }
    void Stick(int x, int y) {
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x));
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(y));
        Events();
    }
    // One frame as the real window runs it: events, stick motion, then one read into the game.
    RawInput Frame() {
        controllers.NewFrame();
        Events();
        RawInput r;
        controllers.StickMotion(r.dx, r.dy);
        controllers.AddTo(r);
        PollInput(input, r);
        return r;
    }

    SdlControllers controllers;
    int device = -1;
    SDL_Joystick* joystick = nullptr;
    InputState input{400, 300};
};

TEST_F(Controllers, ButtonsActAsTheMouseButtonsTheHotspotKeyAndTab) {
    // A tapped between two frames still clicks, once.
    controllers.NewFrame();
    Button(SDL_CONTROLLER_BUTTON_A, true);
    Button(SDL_CONTROLLER_BUTTON_A, false);
    RawInput r;
    controllers.AddTo(r);
    EXPECT_TRUE(r.left);
    PollInput(input, r);
    EXPECT_TRUE(input.leftClick);
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(Frame().left) << i;

    Button(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_TRUE(Frame().right);
    EXPECT_TRUE(input.rightClick);
    Button(SDL_CONTROLLER_BUTTON_B, false);
    Button(SDL_CONTROLLER_BUTTON_Y, true);
    EXPECT_TRUE(Frame().hotspots);
    EXPECT_TRUE(Frame().hotspots);  // for as long as it is held
    Button(SDL_CONTROLLER_BUTTON_Y, false);
    EXPECT_FALSE(Frame().hotspots);

    // The shoulders step to the next and the previous thing, once a press, even a quick one.
    Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    RawInput held = Frame();
    EXPECT_TRUE(held.tab && !held.backTab && !held.hotspots);
    EXPECT_EQ(input.tabStep, 1);
    Frame();
    EXPECT_EQ(input.tabStep, 0);  // held on, it does not step again
    Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
    Frame();
    controllers.NewFrame();
    Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, false);
    RawInput tapped;
    controllers.AddTo(tapped);
    PollInput(input, tapped);
    EXPECT_EQ(input.tabStep, -1);
    EXPECT_FALSE(Frame().backTab);
}

TEST_F(Controllers, QuittingNeedsBackAndStartTogether) {
    for (SDL_GameControllerButton b : {SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_START,
                                       SDL_CONTROLLER_BUTTON_GUIDE, SDL_CONTROLLER_BUTTON_X}) {
        Button(b, true);
        EXPECT_FALSE(Frame().escape) << b;
        Button(b, false);
    }
    Button(SDL_CONTROLLER_BUTTON_BACK, true);
    Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_TRUE(Frame().escape);
}

TEST_F(Controllers, TheStickMovesThePointerAndXTakesItToTheTopEdge) {
    Stick(5000, -5000);  // resting a little off centre
    for (int i = 0; i < 50; ++i) Frame();
    EXPECT_EQ(std::pair(input.mouseX, input.mouseY), std::pair(400, 300));

    Stick(32767, 0);
    int frames = 0;
    while (input.mouseX < kMouseMaxX && frames < 100) {
        Frame();
        ++frames;
    }
    EXPECT_LE(frames, 25);  // 600 pixels in well under a second
    EXPECT_EQ(input.mouseY, 300);
    Stick(0, 0);
    const int x = input.mouseX;
    Frame();
    EXPECT_EQ(input.mouseX, x);  // let go, it stops

    Button(SDL_CONTROLLER_BUTTON_X, true);
    Frame();
    EXPECT_EQ(input.mouseY, kMouseMinY);  // where the inventory opens
    Button(SDL_CONTROLLER_BUTTON_X, false);
    Frame();
    EXPECT_EQ(input.mouseY, kMouseMinY);
}

TEST_F(Controllers, UnpluggedAndPluggedInAgainWhilePlaying) {
    Button(SDL_CONTROLLER_BUTTON_Y, true);
    Stick(32767, 32767);
    EXPECT_TRUE(Frame().hotspots);
    Unplug();
    EXPECT_EQ(controllers.Count(), 0);
    const RawInput r = Frame();  // nothing stays held, nothing moves on
    EXPECT_FALSE(r.hotspots || r.left || r.dx || r.dy);
    Plug();
    EXPECT_EQ(controllers.Count(), 1);
    Button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(Frame().left);
}

TEST_F(Controllers, PluggedInOrOutWhileTheGameWaitedForThePlayer) {
    controllers.Sleep();
    const int second = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                 SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(second, 0) << SDL_GetError();
    Events();  // what SDL says meanwhile is not heard
    EXPECT_EQ(controllers.Count(), 1);
    controllers.Wake();
    EXPECT_EQ(controllers.Count(), 2);
    controllers.Sleep();
    SDL_JoystickClose(joystick);
    joystick = nullptr;
    SDL_JoystickDetachVirtual(device);
    device = -1;
    Events();
    controllers.Wake();
    EXPECT_EQ(controllers.Count(), 1);
    SDL_JoystickDetachVirtual(0);
    Events();
    EXPECT_EQ(controllers.Count(), 0);
}

}  // namespace
}  // namespace vz

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Only the controller layer is needed; no window, no display.
    if (SDL_Init(SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "SDL cannot start: %s\n", SDL_GetError());
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    SDL_Quit();
    return result;
}
