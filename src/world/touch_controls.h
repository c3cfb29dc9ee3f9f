// The touch controls: buttons in the top right corner of the frame while the last input was a finger.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/files.h"
#include "platform/screen_scale.h"
#include "platform/surface.h"
#include "world/objects.h"

namespace vz {

// A touch screen has no right button, no hover and no top edge to push against; these stand in.
// They sit in a row from the top right corner leftwards, one 100-pixel cell each (some 45 CSS
// pixels on a phone held sideways, more everywhere else), over the sky of every scene, clear of
// the exits, the inventory's grid and the choice panel. A new control takes the next cell.
enum class TouchButton : int {
    Menu,       // opens the menu below it
    Verb,       // shows the verb (or the item held) and steps to the next, as the right button does
    Inventory,  // opens the inventory, and closes it again
    Names,      // holds the hotspot key: names everything and shows every exit, until tapped again
    Hint,       // a hint, as the H key gives one
    Count
};
inline constexpr int kTouchButtonCount = static_cast<int>(TouchButton::Count);

// The menu's entries, in a column below its button; only those the machine has are shown.
enum class MenuEntry : int { Sound, FullScreen, Quit, Count };
inline constexpr int kMenuEntryCount = static_cast<int>(MenuEntry::Count);

inline constexpr int kTouchCell = 100;         // a button's cell, which a finger hits
inline constexpr int kTouchEntryWidth = 300;   // a menu entry's cell
inline constexpr int kTouchInset = 4;          // the picture inside its cell

// Every picture of the controls.
enum TouchPicture : int {
    kWalkFace, kTakeFace, kLookFace, kTalkFace,  // the verb button, by verb
    kItemFace,                                   // the verb button under a held item
    kInventoryFace, kInventoryOnFace,
    kNamesFace, kNamesOnFace,
    kHintFace,
    kMenuFace, kMenuOnFace,
    kSoundEntry, kFullScreenEntry, kQuitEntry,
    kTouchPictureCount
};

struct TouchControls {
    std::array<Surface, kTouchPictureCount> pictures;
    bool shown = false;     // the last input was a finger
    bool menuOpen = false;
    bool namesOn = false;   // the names button holds the hotspot key
    int64_t actedInFrame = -1;  // a tap acts once, whatever the number of reads in its frame
    int menuEntries = 0;        // how many entries the menu had when last shown
    // What the controls covered in the frame they were drawn into, to put back after showing it.
    std::vector<ScreenRect> coveredRects;
    std::vector<uint16_t> covered;
};

// Which controls a frame shows, and how each looks.
struct TouchLayout {
    std::array<bool, kTouchButtonCount> buttons{};
    std::array<MenuEntry, kMenuEntryCount> entries{};
    int entryCount = 0;
    bool inventoryOpen = false;  // the panel is on screen: its button is lit
};

struct TouchHit {
    enum Kind { None, Button, Entry } kind = None;
    int index = 0;  // a TouchButton or a MenuEntry
};

void InitTouchControls(TouchControls& touch, Files& files);
ScreenRect TouchButtonCell(TouchButton button);
ScreenRect MenuEntryCell(int row);
// The control under (x, y) among those shown, the open menu's entries included.
TouchHit TouchControlAt(const TouchControls& touch, const TouchLayout& layout, int x, int y);
// Draws the controls over the frame, keeping what they cover; the verb button shows `verb`, or
// the held item's inventory picture.
void DrawTouchControls(TouchControls& touch, const TouchLayout& layout, int verb, int heldItem,
                       const WorldObjects& objects, Surface& target);
// Puts back what the controls covered, so the next frame starts from the game's own picture.
void UncoverTouchControls(TouchControls& touch, Surface& target);

}  // namespace vz
