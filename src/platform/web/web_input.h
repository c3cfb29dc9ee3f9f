// The page's mouse and key events between two frames, turned into the game's input for one frame.
#pragma once

#include "platform/arrows.h"
#include "platform/input.h"

namespace vz {

// The page's keys the game reads: Backspace is the keyboard's right button.
enum class WebKey { Enter, Escape, Tab, BackTab, Backspace, Hint, Inventory, TextPace, Left, Right, Up, Down };

// The browser reports where the pointer is over the canvas, not how far the mouse moved, and its
// events arrive between frames. The game's pointer follows the hidden system pointer, so each
// frame's motion is the way from where the game's pointer is to where the system pointer is.
class WebInput {
public:
    // The pointer at (x, y) in the canvas's own shown size (CSS pixels), which shows the whole
    // 1024 x 768 frame at shownWidth x shownHeight.
    void PointerAt(double x, double y, double shownWidth, double shownHeight);
    // Mouse buttons by the page's numbering: 0 left, 2 right; the others are not the game's.
    void Button(int button, bool down);
    void Key(WebKey key, bool down);
    // The canvas lost the keyboard or the page was left: nothing stays held, and what was pressed
    // meanwhile is forgotten. The pointer stays where it was.
    void Release();

    // Starts a frame, given where the game's pointer is now. A button or key that went down since
    // the previous frame counts as held for this frame even when it is already up again, so a
    // quick click between two frames is not lost. Held arrow keys add their motion.
    void BeginFrame(int gameX, int gameY);
    // The frame's input; the motion goes to the frame's first read only, as a mouse reports it once.
    RawInput Read();

    // Where the system pointer is, in game pixels (-1 before the pointer was over the canvas).
    int PointerX() const { return pointerX_; }
    int PointerY() const { return pointerY_; }

private:
    struct Held {
        bool down = false;
        bool pressed = false;  // went down since the last frame began
        void Set(bool d) {
            if (d && !down) pressed = true;
            down = d;
        }
        bool Take() {
            const bool held = down || pressed;
            pressed = false;
            return held;
        }
    };

    Held left_, right_, enter_, escape_;
    Held tab_, backTab_, backspace_, hint_, inventory_, textPace_;
    Held arrowLeft_, arrowRight_, arrowUp_, arrowDown_;
    ArrowPointer arrows_;
    int pointerX_ = -1;
    int pointerY_ = -1;
    bool pointerMoved_ = false;  // since the last frame began
    RawInput frame_;
    bool motionTaken_ = false;
};

}  // namespace vz
