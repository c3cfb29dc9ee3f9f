// The inventory panel's geometry: cells, the area that answers the mouse, the grid and the buttons.
#include <gtest/gtest.h>

#include "support.h"
#include "world/inventory.h"

using namespace vz;

TEST(Inventory, CellsAndTheAnsweringArea) {
    EXPECT_EQ(InventoryCellUnderMouse(101, 101), 0);
    EXPECT_EQ(InventoryCellUnderMouse(199, 199), 0);
    EXPECT_EQ(InventoryCellUnderMouse(200, 101), 1);
    EXPECT_EQ(InventoryCellUnderMouse(899, 150), 7);
    EXPECT_EQ(InventoryCellUnderMouse(150, 250), 8);
    EXPECT_EQ(InventoryCellUnderMouse(899, 499), 31);
    EXPECT_TRUE(InGridArea(101, 101) && InGridArea(899, 150) && InGridArea(150, 499));
    EXPECT_FALSE(InGridArea(100, 150) || InGridArea(900, 150) || InGridArea(150, 100) || InGridArea(150, 500));
}

TEST(Inventory, NineItemsFillTheFirstRowAndStartTheSecond) {
    test::MemoryPlatform files;
    WorldObjects objects;
    InitWorldObjects(objects, files);
    Carried carried{};
    for (int i : {kChainsaw, kSugar, kCocktail, kSweetCocktail, kCoconut, kLiane, kBottle, kSpade, kRoot}) {
        AddToInventory(carried, i);
        objects[i].inventoryImage = Surface(objects[i].inventoryWidth, objects[i].inventoryHeight);
        ClearSurface(objects[i].inventoryImage, static_cast<uint16_t>(0x100 + i));
    }
    AddToInventory(carried, 99);  // no such object: nothing happens
    Surface screen(kScreenWidth, kScreenHeight);
    DrawInventoryGrid(carried, objects, screen);
    // the root (64 x 56) is ninth: centred on (150, 250)
    EXPECT_EQ(screen.At(150 - 32, 250 - 28), 0x100 + kRoot);
    EXPECT_EQ(screen.At(150 + 31, 250 + 27), 0x100 + kRoot);
    EXPECT_EQ(screen.At(150 - 33, 250) | screen.At(150 + 32, 250), 0);
    // the chainsaw (80 x 50) first, the spade (44 x 80) eighth
    EXPECT_EQ(screen.At(110, 125), 0x100 + kChainsaw);
    EXPECT_EQ(screen.At(109, 125), 0);
    EXPECT_EQ(screen.At(850 - 22, 150 - 40), 0x100 + kSpade);

    EXPECT_EQ(CarriedItemInCell(carried, 0), kChainsaw);
    EXPECT_EQ(CarriedItemInCell(carried, 8), kRoot);
    EXPECT_EQ(CarriedItemInCell(carried, 9), -1) << "a cell beyond the last item holds nothing";
}

TEST(Inventory, ButtonsAnswerOnTheirInclusiveRectangles) {
    InventoryPanel panel;
    panel.saveImage = Surface(180, 50);
    ClearSurface(panel.saveImage, 0x1111);
    Surface screen(kScreenWidth, kScreenHeight);
    auto click = [&](int x, int y) { return UpdateInventoryButtons(panel, x, y, screen, true); };
    EXPECT_EQ(click(200, 580), PanelButton::Save);
    EXPECT_EQ(click(379, 629), PanelButton::Save);
    EXPECT_EQ(click(600, 580), PanelButton::Back);
    EXPECT_EQ(click(779, 629), PanelButton::Back);
    for (auto [x, y] : {std::pair{380, 600}, {199, 600}, {200, 579}, {200, 630}, {780, 600}, {599, 600}})
        EXPECT_EQ(click(x, y), PanelButton::None) << x << ", " << y;

    // hovering without a click only lights the button up
    ClearSurface(screen, 0);
    EXPECT_EQ(UpdateInventoryButtons(panel, 250, 600, screen, false), PanelButton::None);
    EXPECT_EQ(screen.At(200, 580), 0x1111);
    EXPECT_EQ(screen.At(379, 629), 0x1111);
}
