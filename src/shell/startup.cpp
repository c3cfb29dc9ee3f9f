// Start-up: every picture that belongs to no location, the world's records and a new game's story.
#include <initializer_list>

#include "platform/sbf.h"
#include "shell/game.h"

namespace vz {

namespace {

// How many of the pictures start-up reads were found and read.
int StartUpPicturesFound(const Game& game) {
    const World& w = game.world;
    const Hero& h = w.hero;
    int found = 0;
    auto count = [&](const Surface& s) { found += s.filled && !s.Empty() ? 1 : 0; };
    auto countAll = [&](const auto& surfaces) {
        for (const Surface& s : surfaces) count(s);
    };
    const TitleMenu& t = game.title;
    for (const Surface* s : {&t.background, &t.startNormal, &t.startHighlighted, &t.quitNormal, &t.quitHighlighted,
                             &t.loadNormal, &t.loadHighlighted, &w.panel.panelImage, &w.panel.saveImage,
                             &w.panel.backImage, &game.story.choicePanel, &game.closingPicture, &game.icon,
                             &h.bendLeftImage, &h.bendRightImage, &h.endingImage})
        count(*s);
    countAll(w.cursor.images);
    countAll(w.fonts.atlas);
    countAll(h.frontFrames);
    countAll(h.rightFrames);
    countAll(h.backFrames);
    countAll(h.leftFrames);
    countAll(h.talkLeftFrames);
    countAll(h.talkRightFrames);
    for (const WorldObject& o : w.objects) {
        count(o.image);
        count(o.inventoryImage);
    }
    for (const Person& p : w.persons) {
        count(p.standImage);
        countAll(p.talkImages);
    }
    return found;
}

}  // namespace

void StartUpTitle(Game& game, Files& files) {
    World& w = game.world;
    w.state = GameState::TitleMenu;
    w.locationIndex = 0;
    game.quitRequested = false;
    ClearSurface(w.backBuffer, 0x00FF);

    InitTitleMenu(game.title, files);
    InitCursor(w.cursor, files);
    InitTouchControls(w.touch, files);
    w.input.mouseX = 400;
    w.input.mouseY = 300;
    w.fonts.atlas[0] = LoadPicture(files, "images/text.sbf", 288, 80);
    w.fonts.atlas[1] = LoadPicture(files, "images/text1.sbf", 288, 80);
    game.icon = LoadPicture(files, "images/icon.sbf", 32, 32);
}

void StartUpWorld(Game& game, Files& files) {
    World& w = game.world;
    InitInventoryPanel(w.panel, w.carried, files);
    game.story.choicePanel = LoadPicture(files, "images/reden.sbf", 1024, 168);
    game.closingPicture = LoadPicture(files, "images/last.sbf", 1024, 768);
    LoadHeroPictures(w.hero, files);
    ResetHero(w.hero);

    InitWorldObjects(w.objects, files);
    InitPersons(w.persons, files);
    InitStory(game.story);
    game.worldStarted = true;
}

void StartUp(Game& game, Files& files) {
    StartUpTitle(game, files);
    StartUpWorld(game, files);
}

const std::vector<std::string>& WorldPictures() {
    static const std::vector<std::string> paths = {
        "images/inventar_en.sbf", "images/save_button.sbf", "images/button_back.sbf", "images/reden.sbf",
        "images/last.sbf",        "images/quarro/",         "images/objects/",        "images/persons/",
    };
    return paths;
}

std::string PictureFolderProblem(const Game& game, const std::string& folder) {
    // One missing picture is simply not seen; none at all means this is not the game's folder.
    if (StartUpPicturesFound(game) > 0) return "";
    return "The folder " + folder +
           " holds none of the game's pictures (they are damaged, unreadable or another game's); the game cannot "
           "start.";
}

}  // namespace vz
