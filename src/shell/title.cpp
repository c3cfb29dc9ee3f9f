// The title menu's pictures and its three buttons' hit areas.
#include "shell/title.h"

#include "platform/sbf.h"

namespace vz {

namespace {

constexpr int kButtonX = 362;
constexpr int kButtonW = 300;
constexpr int kButtonH = 60;

// The hit area leaves out the drawn button's first column and first row.
bool Over(int top, int mouseX, int mouseY) {
    return kButtonX + 1 <= mouseX && mouseX <= kButtonX + kButtonW - 1 && top + 1 <= mouseY &&
           mouseY <= top + kButtonH - 1;
}

constexpr int kStartTop = 400, kLoadTop = 500, kQuitTop = 600;

bool Button(Surface& target, int top, const Surface& normal, const Surface& highlighted, int mouseX, int mouseY,
            bool click) {
    const bool over = Over(top, mouseX, mouseY);
    DrawSprite(kButtonW, kButtonH, kButtonX, top, over ? highlighted : normal, target);
    return over && click;
}

}  // namespace

void InitTitleMenu(TitleMenu& m, Files& files) {
    m.background = LoadPicture(files, "images/startscreen2.sbf", 1024, 768);
    m.startNormal = LoadPicture(files, "images/button_start_0.sbf", 300, 60);
    m.startHighlighted = LoadPicture(files, "images/button_start_1.sbf", 300, 60);
    m.quitNormal = LoadPicture(files, "images/button_quit_0.sbf", 300, 60);
    m.quitHighlighted = LoadPicture(files, "images/button_quit_1.sbf", 300, 60);
    m.loadNormal = LoadPicture(files, "images/button_load_0.sbf", 300, 60);
    m.loadHighlighted = LoadPicture(files, "images/button_load_1.sbf", 300, 60);
}

void DrawTitleBackground(const TitleMenu& menu, Surface& target) { CopyFullScreen(menu.background, target); }

TitleChoice TitleButtonAt(int mouseX, int mouseY) {
    if (Over(kStartTop, mouseX, mouseY)) return TitleChoice::Start;
    if (Over(kLoadTop, mouseX, mouseY)) return TitleChoice::Load;
    if (Over(kQuitTop, mouseX, mouseY)) return TitleChoice::Quit;
    return TitleChoice::None;
}

TitleChoice UpdateTitleMenu(const TitleMenu& m, Surface& target, int mouseX, int mouseY, bool click) {
    TitleChoice choice = TitleChoice::None;
    if (Button(target, kStartTop, m.startNormal, m.startHighlighted, mouseX, mouseY, click))
        choice = TitleChoice::Start;
    if (Button(target, kLoadTop, m.loadNormal, m.loadHighlighted, mouseX, mouseY, click)) choice = TitleChoice::Load;
    if (Button(target, kQuitTop, m.quitNormal, m.quitHighlighted, mouseX, mouseY, click)) choice = TitleChoice::Quit;
    return choice;
}

std::vector<PointerStop> TitleStops() {
    std::vector<PointerStop> stops;
    for (int top : {400, 500, 600})
        stops.push_back({{kButtonX + kButtonW / 2, top + kButtonH / 2}, kButtonX + 1, top + 1, kButtonX + kButtonW,
                         top + kButtonH});
    return stops;
}

}  // namespace vz
