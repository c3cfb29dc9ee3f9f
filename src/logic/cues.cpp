// The rules of what sounds when. The logic only asks; the platform plays what a frame asked for.
#include "logic/cues.h"

namespace vz {

namespace {

// Every scene but the jungle has sand (or the village's beaten earth) underfoot.
Cue FootstepCue(int location) { return location == kJungleScene ? Cue::StepJungle : Cue::StepSand; }

// The states that show the scene of the current location, where its sleepers can be heard.
bool SceneOnShow(GameState state) {
    switch (state) {
        case GameState::TitleMenu:
        case GameState::InventoryScreen:
        case GameState::SaveGame:
        case GameState::Ending:
            return false;
        default:
            return true;
    }
}

// The sleeping monkey in the jungle and Jim asleep by his holes.
bool SleeperInScene(const World& world) {
    for (int i : world.location.objectSlots) {
        if ((i == kSleepingMonkey || i == kSleepingJim) && world.objects[i].inScene) return true;
    }
    return false;
}

void Snoring(World& world) {
    int32_t& frames = world.cueMemory.sleeperFrames;
    if (!SceneOnShow(world.state) || !SleeperInScene(world)) {
        frames = 0;
        return;
    }
    frames += 1;
    if (frames % kSnorePeriod == kFirstSnore) world.sound.Add(Cue::Snore);
}

}  // namespace

Music MusicFor(GameState state, int location) {
    if (state == GameState::TitleMenu) return Music::Title;
    if (state == GameState::Ending) return Music::Ending;
    switch (location) {
        case kVillageScene: return Music::Village;
        case kJungleScene: return Music::Jungle;
        case kHolesScene: return Music::Holes;
        default: return Music::Beach;  // the ship, the bar, the palm beach and the bare strip
    }
}

Ambience AmbienceFor(GameState state, int location) {
    if (state == GameState::Ending) return Ambience::Raft;
    if (state == GameState::TitleMenu) return Ambience::Surf;  // the title shows the island's shore
    switch (location) {
        case kVillageScene: return Ambience::Fire;
        case kJungleScene: return Ambience::Jungle;
        default: return Ambience::Surf;  // the holes too: the sea lies open behind the field
    }
}

void BeginSoundFrame(World& world) {
    world.sound.ClearCues();
    world.cueMemory.buttonBefore = world.cueMemory.buttonNow;
    world.cueMemory.buttonNow = static_cast<int32_t>(ScreenButton::None);
}

void EndSoundFrame(World& world) {
    world.sound.music = MusicFor(world.state, world.locationIndex);
    world.sound.ambience = AmbienceFor(world.state, world.locationIndex);
    Snoring(world);
}

void WalkHero(World& world) {
    Hero& hero = world.hero;
    const int x = hero.x, y = hero.y;
    StepAndDrawHero(hero, world.location.walkMask, world.backBuffer);
    const bool stepped = hero.x != x || hero.y != y;
    if (stepped && FootComesDown(hero)) world.sound.Add(FootstepCue(world.locationIndex));
}

void PointerOnButton(World& world, ScreenButton button, bool pressed) {
    const auto now = static_cast<int32_t>(button);
    world.cueMemory.buttonNow = now;
    if (button != ScreenButton::None && now != world.cueMemory.buttonBefore) world.sound.Add(Cue::ButtonHover);
    if (pressed) world.sound.Add(Cue::ButtonPress);
}

void CueCombination(World& world, const CombinationRule& rule) {
    world.sound.Add(Cue::CombineOk);
    if (rule.firstItem == kSpade || rule.secondItem == kSpade) world.sound.Add(Cue::Spade);  // digging out the root
    if (rule.result == kCoconut) world.sound.Add(Cue::Monkey);      // the leashed monkey fetches it
    if (rule.result == kMotorRaft) world.sound.Add(Cue::Engine);    // the engine starts on the raft
}

}  // namespace vz
