// What the hero carries, and the panel that shows it: a grid of 100-pixel cells and two buttons.
#pragma once

#include <array>
#include <cstdint>

#include "platform/files.h"
#include "platform/surface.h"
#include "world/hero.h"
#include "world/objects.h"

namespace vz {

using Carried = std::array<uint8_t, kObjectCount>;

struct InventoryPanel {
    Surface panelImage;
    Surface saveImage;
    Surface backImage;
    int32_t buttonWidth = 180;
    int32_t buttonHeight = 50;
    int32_t saveX = 200, saveY = 580;
    int32_t backX = 600, backY = 580;
};

enum class PanelButton { None, Save, Back };

void InitInventoryPanel(InventoryPanel& panel, Carried& carried, Files& files);
void AddToInventory(Carried& carried, int object);
// The button under the mouse, if any.
PanelButton InventoryButtonAt(const InventoryPanel& panel, int mouseX, int mouseY);
// Draws the highlighted button under the mouse; returns the button clicked, if any.
PanelButton UpdateInventoryButtons(const InventoryPanel& panel, int mouseX, int mouseY, Surface& target,
                                   bool click);
int InventoryCellUnderMouse(int mouseX, int mouseY);
// The grid answers the mouse only here.
bool InGridArea(int mouseX, int mouseY);
// Where the k-th carried item's picture is centred.
Point InventoryCellCentre(int k);
void DrawInventoryGrid(const Carried& carried, const WorldObjects& objects, Surface& target);
// The object shown in grid cell `cell`, or -1 when that cell is empty.
int CarriedItemInCell(const Carried& carried, int cell);

}  // namespace vz
