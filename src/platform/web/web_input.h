// The page's mouse, key and touch events between two frames, turned into the game's input for one frame.
#pragma once

#include <cstdint>

#include "platform/arrows.h"
#include "platform/input.h"
#include "platform/touch.h"

namespace vz {

enum class TouchPhase { Down, Move, Up, Cancel };
// The arrow keys, which move the pointer rather than press anything.
enum class WebArrow { Left, Right, Up, Down };

// The browser reports where the pointer is over the page, not how far the mouse moved, and its
// events arrive between frames. The game's pointer is put where the hidden system pointer is.
class WebInput {
public:
    // The pointer at (x, y) relative to the canvas, in CSS pixels, the canvas showing the whole
    // 1024 x 768 frame at shownWidth x shownHeight. Beside the canvas it stops at its edge.
    void PointerAt(double x, double y, double shownWidth, double shownHeight);
    // Mouse buttons by the page's numbering: 0 left, 2 right; the others are not the game's.
    void Button(int button, bool down);
    // A left click on game pixel (x, y), as the page's own buttons give one (a caption's choice):
    // the pointer goes there, and the click lands in the frame after, once the game has seen what
    // lies under the pointer.
    void ClickAt(int x, int y);
    // A key the game reads, by what it is to the game.
    void Key(RawPress press, bool down);
    void Arrow(WebArrow arrow, bool down);
    // A finger, measured as PointerAt measures the pointer; ms on the page's clock.
    void Touch(TouchPhase phase, int64_t finger, double x, double y, double shownWidth, double shownHeight,
               uint32_t ms);
    // The canvas lost the keyboard or the page was left: nothing stays held, and what was pressed
    // meanwhile is forgotten, fingers too. The pointer stays where it was.
    void Release();

    // Starts a frame at ms on the page's clock. A button or key that went down since the previous
    // frame counts as held for this frame even when it is already up again, so a quick click
    // between two frames is not lost. Held arrow keys add their motion.
    void BeginFrame(uint32_t ms);
    // The frame's input; the pointer's new place and the arrows' motion go to the frame's first
    // read only.
    RawInput Read();

    // Where the system pointer is, in game pixels (-1 before the pointer was over the canvas).
    int PointerX() const { return pointerX_; }
    int PointerY() const { return pointerY_; }

private:
    RawInput held_;  // what is down now, by the same fields
    PressLatches latches_;
    TouchGestures touch_;
    int pointerX_ = -1;
    int pointerY_ = -1;
    bool pointerMoved_ = false;
    bool clickAsked_ = false;  // a ClickAt whose pointer the next frame places
    bool clickDue_ = false;    // its click, for the frame after
    bool arrowHeld_[4] = {};  // by WebArrow
    PressLatch arrowLatches_[4];
    ArrowPointer arrows_;
    RawInput frame_;
    bool placeTaken_ = false;
};

}  // namespace vz
