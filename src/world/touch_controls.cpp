// The touch controls' pictures, cells, hit test and drawing over a frame.
#include "world/touch_controls.h"

#include <algorithm>

#include "platform/sbf.h"

namespace vz {

namespace {

constexpr int kFaceSize = kTouchCell - 2 * kTouchInset;
constexpr int kEntryFaceWidth = kTouchEntryWidth - 2 * kTouchInset;
constexpr uint16_t kMissingFace = 0x5A86;  // the buttons' wood, for a picture that could not be read

struct TouchPictureRow {
    const char* file;
    int width;
    int height;
};

const TouchPictureRow kTouchPictures[kTouchPictureCount] = {
    {"images/touch/walk.sbf", kFaceSize, kFaceSize},               // verb Walk
    {"images/touch/take.sbf", kFaceSize, kFaceSize},               // verb Take
    {"images/touch/look.sbf", kFaceSize, kFaceSize},               // verb Look
    {"images/touch/talk.sbf", kFaceSize, kFaceSize},               // verb Talk
    {"images/touch/item.sbf", kFaceSize, kFaceSize},               // under a held item
    {"images/touch/inventory.sbf", kFaceSize, kFaceSize},          // inventory
    {"images/touch/inventory_on.sbf", kFaceSize, kFaceSize},       // inventory, open
    {"images/touch/names.sbf", kFaceSize, kFaceSize},              // names
    {"images/touch/names_on.sbf", kFaceSize, kFaceSize},           // names, held
    {"images/touch/hint.sbf", kFaceSize, kFaceSize},               // hint
    {"images/touch/menu.sbf", kFaceSize, kFaceSize},               // menu
    {"images/touch/menu_on.sbf", kFaceSize, kFaceSize},            // menu, open
    {"images/touch/sound.sbf", kEntryFaceWidth, kFaceSize},        // menu entry: sound on or off
    {"images/touch/fullscreen.sbf", kEntryFaceWidth, kFaceSize},   // menu entry: full screen
    {"images/touch/quit.sbf", kEntryFaceWidth, kFaceSize},         // menu entry: quit
};

bool Inside(const ScreenRect& r, int x, int y) {
    return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}

ScreenRect Face(const ScreenRect& cell) {
    return {cell.x + kTouchInset, cell.y + kTouchInset, cell.width - 2 * kTouchInset, cell.height - 2 * kTouchInset};
}

// Keeps what lies under a rectangle of the frame (wholly inside it, as every cell is).
void Cover(TouchControls& touch, const Surface& target, const ScreenRect& r) {
    touch.coveredRects.push_back(r);
    for (int y = r.y; y < r.y + r.height; ++y) {
        const auto row = target.pixels.begin() + static_cast<ptrdiff_t>(y) * target.width + r.x;
        touch.covered.insert(touch.covered.end(), row, row + r.width);
    }
}

void DrawFace(const Surface& picture, const ScreenRect& face, Surface& target) {
    if (picture.filled && !picture.Empty()) {
        DrawSprite(picture.width, picture.height, face.x, face.y, picture, target);
        return;
    }
    // Without its picture a control is still there to be seen and hit.
    for (int y = face.y; y < face.y + face.height; ++y)
        std::fill_n(target.pixels.begin() + static_cast<ptrdiff_t>(y) * target.width + face.x, face.width,
                    kMissingFace);
}

TouchPicture ButtonFace(TouchButton button, const TouchControls& touch, const TouchLayout& layout, int verb,
                        bool holding) {
    switch (button) {
        case TouchButton::Menu: return touch.menuOpen ? kMenuOnFace : kMenuFace;
        case TouchButton::Inventory: return layout.inventoryOpen ? kInventoryOnFace : kInventoryFace;
        case TouchButton::Names: return touch.namesOn ? kNamesOnFace : kNamesFace;
        case TouchButton::Hint: return kHintFace;
        case TouchButton::Verb:
        case TouchButton::Count: break;
    }
    if (holding) return kItemFace;
    return static_cast<TouchPicture>(kWalkFace + std::clamp(verb, 0, 3));
}

}  // namespace

void InitTouchControls(TouchControls& touch, Files& files) {
    for (int i = 0; i < kTouchPictureCount; ++i) {
        const TouchPictureRow& row = kTouchPictures[i];
        touch.pictures[i] = LoadPicture(files, row.file, row.width, row.height);
    }
    touch.shown = touch.menuOpen = touch.namesOn = false;
}

ScreenRect TouchButtonCell(TouchButton button) {
    const int slot = static_cast<int>(button);
    return {kScreenWidth - kTouchCell * (slot + 1), 0, kTouchCell, kTouchCell};
}

ScreenRect MenuEntryCell(int row) {
    return {kScreenWidth - kTouchEntryWidth, kTouchCell * (row + 1), kTouchEntryWidth, kTouchCell};
}

TouchHit TouchControlAt(const TouchControls& touch, const TouchLayout& layout, int x, int y) {
    for (int b = 0; b < kTouchButtonCount; ++b)
        if (layout.buttons[b] && Inside(TouchButtonCell(static_cast<TouchButton>(b)), x, y))
            return {TouchHit::Button, b};
    if (touch.menuOpen)
        for (int row = 0; row < layout.entryCount; ++row)
            if (Inside(MenuEntryCell(row), x, y)) return {TouchHit::Entry, static_cast<int>(layout.entries[row])};
    return {};
}

void DrawTouchControls(TouchControls& touch, const TouchLayout& layout, int verb, int heldItem,
                       const WorldObjects& objects, Surface& target) {
    UncoverTouchControls(touch, target);
    touch.menuEntries = layout.entryCount;
    if (target.width != kScreenWidth || target.height != kScreenHeight) return;
    const bool holding = IsValidObject(heldItem);
    for (int b = 0; b < kTouchButtonCount; ++b) {
        if (!layout.buttons[b]) continue;
        const TouchButton button = static_cast<TouchButton>(b);
        const ScreenRect face = Face(TouchButtonCell(button));
        Cover(touch, target, face);
        DrawFace(touch.pictures[ButtonFace(button, touch, layout, verb, holding)], face, target);
        if (button == TouchButton::Verb && holding) {
            const WorldObject& item = objects[heldItem];
            DrawSprite(item.inventoryWidth, item.inventoryHeight, face.x + (face.width - item.inventoryWidth) / 2,
                       face.y + (face.height - item.inventoryHeight) / 2, item.inventoryImage, target);
        }
    }
    if (!touch.menuOpen || !layout.buttons[static_cast<int>(TouchButton::Menu)]) return;
    for (int row = 0; row < layout.entryCount; ++row) {
        const ScreenRect face = Face(MenuEntryCell(row));
        Cover(touch, target, face);
        DrawFace(touch.pictures[kSoundEntry + static_cast<int>(layout.entries[row])], face, target);
    }
}

void UncoverTouchControls(TouchControls& touch, Surface& target) {
    size_t at = 0;
    if (target.width == kScreenWidth && target.height == kScreenHeight) {
        for (const ScreenRect& r : touch.coveredRects) {
            for (int y = r.y; y < r.y + r.height; ++y) {
                std::copy_n(touch.covered.begin() + static_cast<ptrdiff_t>(at), r.width,
                            target.pixels.begin() + static_cast<ptrdiff_t>(y) * target.width + r.x);
                at += static_cast<size_t>(r.width);
            }
        }
    }
    touch.coveredRects.clear();
    touch.covered.clear();
}

}  // namespace vz
