// The title screen: start, load and quit.
#pragma once

#include <vector>

#include "logic/stops.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/surface.h"
#include "world/world.h"

namespace vz {

struct TitleMenu {
    Surface background;
    Surface startNormal, startHighlighted;
    Surface quitNormal, quitHighlighted;
    Surface loadNormal, loadHighlighted;
};

enum class TitleChoice { None, Start, Load, Quit };

void InitTitleMenu(TitleMenu& menu, Files& files);
void DrawTitleBackground(const TitleMenu& menu, Surface& target);
// The button under the mouse (None when it is on none).
TitleChoice TitleButtonAt(int mouseX, int mouseY);
// Draws the three buttons, the one under the mouse highlighted, and tells which one was clicked.
TitleChoice UpdateTitleMenu(const TitleMenu& menu, Surface& target, int mouseX, int mouseY, bool click);
// The three buttons' middles and hit areas, for the keyboard's Tab.
std::vector<PointerStop> TitleStops();

}  // namespace vz
