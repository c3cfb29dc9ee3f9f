// Start-up: every picture that belongs to no location, the world's records and a new game's story.
#include "platform/sbf.h"
#include "shell/game.h"

namespace vz {

void StartUp(Game& game, Platform& platform) {
    World& w = game.world;
    w.state = GameState::TitleMenu;
    w.locationIndex = 0;
    game.quitRequested = false;
    ClearSurface(w.backBuffer, 0x00FF);

    InitTitleMenu(game.title, platform);
    InitInventoryPanel(w.panel, w.carried, platform);
    InitCursor(w.cursor, platform);
    w.input.mouseX = 400;
    w.input.mouseY = 300;

    game.story.choicePanel = LoadPicture(platform, "images/reden.sbf", 1024, 168);
    w.fonts.atlas[0] = LoadPicture(platform, "images/text.sbf", 288, 80);
    w.fonts.atlas[1] = LoadPicture(platform, "images/text1.sbf", 288, 80);
    platform.SetFonts(w.fonts);
    game.closingPicture = LoadPicture(platform, "images/last.sbf", 1024, 768);
    LoadHeroPictures(w.hero, platform);
    ResetHero(w.hero);

    InitWorldObjects(w.objects, platform);
    InitPersons(w.persons, platform);
    InitStory(game.story);

    game.icon = LoadPicture(platform, "images/icon.sbf", 32, 32);
    platform.SetIcon(game.icon);
}

}  // namespace vz
