// Cursor pictures, the verb cycle and the pointer clamps that keep the picture on screen.
#include "world/cursor.h"

#include <algorithm>

#include "platform/sbf.h"

namespace vz {

namespace {

const char* const kCursorFiles[8] = {
    "images/cursor/cursor0.sbf",  // 0 walk
    "images/cursor/cursor1.sbf",  // 1 take
    "images/cursor/cursor2.sbf",  // 2 look
    "images/cursor/cursor3.sbf",  // 3 talk
    "images/cursor/rechts.sbf",   // 4 exit to the right
    "images/cursor/links.sbf",    // 5 exit to the left
    "images/cursor/oben.sbf",     // 6 exit up
    "images/cursor/unten.sbf",    // 7 exit down
};

}  // namespace

void InitCursor(Cursor& cursor, Files& files) {
    for (int i = 0; i < 8; ++i) cursor.images[i] = LoadPicture(files, kCursorFiles[i], 32, 32);
    cursor.shownImage = kWalk;
    cursor.verb = kWalk;
}

void NextVerb(Cursor& cursor) {
    if (cursor.shownImage > 3) return;
    cursor.shownImage = (cursor.shownImage + 1) % 4;
    cursor.verb = cursor.shownImage;
}

void StepVerb(Cursor& cursor) {
    cursor.verb = (cursor.verb + 1) % 4;
    if (cursor.shownImage <= 3) cursor.shownImage = cursor.verb;
}

void DrawCursor(const Cursor& cursor, Surface& target, InputState& input, int heldItem,
                const WorldObjects& objects) {
    if (!IsValidObject(heldItem)) {
        input.mouseX = std::clamp(input.mouseX, kMouseMinX, kMouseMaxX);
        input.mouseY = std::clamp(input.mouseY, kMouseMinY, kMouseMaxY);
        const int shown = std::clamp(cursor.shownImage, 0, 7);
        if (input.touched) return;
        DrawSprite(32, 32, input.mouseX - 16, input.mouseY - 16, cursor.images[shown], target);
        return;
    }
    const WorldObject& item = objects[heldItem];
    const int halfW = item.inventoryWidth / 2;
    const int halfH = item.inventoryHeight / 2;
    if (input.mouseX < halfW) input.mouseX = halfW;
    if (input.mouseX > kScreenWidth - halfW) input.mouseX = kScreenWidth - halfW;
    if (input.mouseY < halfH) input.mouseY = halfH;
    if (input.mouseY > kScreenHeight - halfH) input.mouseY = kScreenHeight - halfH;
    if (input.touched) return;
    DrawSprite(item.inventoryWidth, item.inventoryHeight, input.mouseX - halfW, input.mouseY - halfH,
               item.inventoryImage, target);
}

}  // namespace vz
