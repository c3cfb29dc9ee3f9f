// The inventory panel's pictures, buttons and grid arithmetic.
#include "world/inventory.h"

#include "platform/sbf.h"

namespace vz {

void InitInventoryPanel(InventoryPanel& panel, Carried& carried, Files& files) {
    panel.panelImage = LoadPicture(files, "images/inventar_en.sbf", kScreenWidth, kScreenHeight);
    panel.saveImage = LoadPicture(files, "images/save_button.sbf", 180, 50);
    panel.backImage = LoadPicture(files, "images/button_back.sbf", 180, 50);
    panel.buttonWidth = 180;
    panel.buttonHeight = 50;
    panel.saveX = 200;
    panel.saveY = 580;
    panel.backX = 600;
    panel.backY = 580;
    carried.fill(0);
}

void AddToInventory(Carried& carried, int object) {
    if (IsValidObject(object)) carried[object] = 1;
}

namespace {

bool OverButton(const InventoryPanel& panel, int bx, int by, int mouseX, int mouseY) {
    return bx <= mouseX && mouseX <= bx + panel.buttonWidth - 1 && by <= mouseY &&
           mouseY <= by + panel.buttonHeight - 1;
}

}  // namespace

PanelButton InventoryButtonAt(const InventoryPanel& panel, int mouseX, int mouseY) {
    if (OverButton(panel, panel.saveX, panel.saveY, mouseX, mouseY)) return PanelButton::Save;
    if (OverButton(panel, panel.backX, panel.backY, mouseX, mouseY)) return PanelButton::Back;
    return PanelButton::None;
}

PanelButton UpdateInventoryButtons(const InventoryPanel& panel, int mouseX, int mouseY, Surface& target,
                                   bool click) {
    PanelButton clicked = PanelButton::None;
    if (OverButton(panel, panel.saveX, panel.saveY, mouseX, mouseY)) {
        DrawSprite(panel.buttonWidth, panel.buttonHeight, panel.saveX, panel.saveY, panel.saveImage, target);
        if (click) clicked = PanelButton::Save;
    }
    if (OverButton(panel, panel.backX, panel.backY, mouseX, mouseY)) {
        DrawSprite(panel.buttonWidth, panel.buttonHeight, panel.backX, panel.backY, panel.backImage, target);
        if (click) clicked = PanelButton::Back;
    }
    return clicked;
}

int InventoryCellUnderMouse(int mouseX, int mouseY) { return (mouseX - 100) / 100 + 8 * ((mouseY - 100) / 100); }

bool InGridArea(int mouseX, int mouseY) { return 101 <= mouseX && mouseX <= 899 && 101 <= mouseY && mouseY <= 499; }

Point InventoryCellCentre(int k) { return {150 + 100 * (k % 8), 150 + 100 * (k / 8)}; }

void DrawInventoryGrid(const Carried& carried, const WorldObjects& objects, Surface& target) {
    int k = 0;
    for (int i = 0; i < kObjectCount; ++i) {
        if (!carried[i]) continue;
        const WorldObject& o = objects[i];
        const Point c = InventoryCellCentre(k);
        DrawSprite(o.inventoryWidth, o.inventoryHeight, c.x - o.inventoryWidth / 2, c.y - o.inventoryHeight / 2,
                   o.inventoryImage, target);
        ++k;
    }
}

int CarriedItemInCell(const Carried& carried, int cell) {
    int k = 0;
    for (int i = 0; i < kObjectCount; ++i) {
        if (!carried[i]) continue;
        if (k == cell) return i;
        ++k;
    }
    return -1;
}

}  // namespace vz
