// The Play frame both benchmarks compose: the same code in the native build and in WebAssembly.
#include "play_frame.h"

#include "logic/interaction.h"
#include "world/location.h"

namespace vz::bench {

namespace {

// Something in the scene to point at, so that its label is drawn; false where there is nothing.
bool LabelPoint(const World& w, int& x, int& y) {
    for (int slot : w.location.objectSlots) {
        if (slot < 0) break;
        const WorldObject& o = w.objects[slot];
        if (o.inScene && o.y + o.height / 2 > 40) {
            x = o.x + o.width / 2;
            y = o.y + o.height / 2;
            return true;
        }
    }
    if (w.location.personIndex >= 0) {
        const Person& p = w.persons[w.location.personIndex];
        x = p.x + p.width / 2;
        y = p.y + p.height / 2;
        return true;
    }
    return false;
}

}  // namespace

PlayFrameSetup PreparePlayFrames(StartedGame& started, int scene) {
    World& w = started.game->world;
    w.locationIndex = scene;
    LoadLocation(w.location, started.platform, scene);
    if (w.location.personIndex >= 0) w.persons[w.location.personIndex].present = 1;
    PlayFrameSetup setup;
    LabelPoint(w, setup.mouseX, setup.mouseY);
    w.state = GameState::Play;
    return setup;
}

void ComposePlayFrame(Game& game, const PlayFrameSetup& setup) {
    World& w = game.world;
    w.state = GameState::Play;
    w.input.mouseX = setup.mouseX;
    w.input.mouseY = setup.mouseY;
    w.input.leftClick = w.input.rightClick = false;
    w.hero.x = 400;
    w.hero.y = 300;
    w.hero.targetX = 700;
    w.hero.targetY = 300;
    PlayFrame(w, game.story);
}

}  // namespace vz::bench
