// The Play frame, the inventory panel's frame and walking over to take something.
#include "logic/interaction.h"

#include "logic/cues.h"
#include "logic/dialogue.h"
#include "logic/hints.h"
#include "logic/rules.h"
#include "logic/scenes.h"

namespace vz {

namespace {

constexpr int kInventoryBand = 20;  // the mouse above this row opens the inventory, as does its button
constexpr Point kPanelTextCentre{512, 520};

// A left click first ends any response on show; one that ended a response does nothing else,
// except that a walk click still sends the hero.
void HandleLeftClick(World& world, Story& story, bool walkAllowed) {
    if (!world.input.leftClick) return;
    if (story.messageTimer > 0) world.input.leftClick = false;
    story.personMessage = -1;
    ClearResponse(story);
    if (walkAllowed && world.cursor.shownImage == kWalk)
        SetWalkTargetFromClick(world.hero, world.input.mouseX, world.input.mouseY, world.location.walkMask);
}

void HandleRightClick(World& world, Story& story) {
    if (!world.input.rightClick || story.messageTimer != 0) return;
    if (story.heldItem == -1) {
        const int verb = world.cursor.verb;
        if (world.input.touched) {
            StepVerb(world.cursor);
        } else {
            NextVerb(world.cursor);
        }
        if (world.cursor.verb != verb) world.sound.Add(Cue::Verb);
    } else {
        story.heldItem = -1;
    }
}

// Responses of kinds 4, 5 and 7, which belong to no single object, and the hint.
void DrawSceneResponse(World& world, Story& story) {
    ShowHint(world, story, kHintSceneY);
    const char* text = nullptr;
    Point at{0, 0};
    if (story.messageKind == kRuleMessage && story.messageSubject >= 0 && story.messageSubject < kCombinationCount) {
        const CombinationRule& r = story.combinations[story.messageSubject];
        text = r.message;
        if (IsValidObject(r.secondItem)) at = {world.objects[r.secondItem].textX, world.objects[r.secondItem].textY};
    } else if (story.messageKind == kUseMessage && IsValidObject(story.messageSubject)) {
        text = world.objects[story.messageSubject].useText;
        at = {story.textX, story.textY};
    } else if (story.messageKind == kMessageRuleText && story.messageSubject >= 0 &&
               story.messageSubject < kMessageRuleCount) {
        const MessageRule& r = story.messageRules[story.messageSubject];
        text = r.message;
        if (IsValidObject(r.secondItem)) at = {world.objects[r.secondItem].textX, world.objects[r.secondItem].textY};
    }
    if (text == nullptr) return;
    DrawBitmapText(TextLeftInsideScreen(at.x, false, text), at.y, false, 0, world.backBuffer, text, world.fonts);
    NoteText(world, text, TextKind::Answer);
    CountDown(story);
}

const char* ObjectResponseText(const WorldObject& o, int kind) {
    switch (kind) {
        case kLookMessage: return o.lookText;
        case kTalkMessage: return o.talkText;
        case kTakeMessage: return o.takeText;
        default: return nullptr;
    }
}

void SceneObjects(World& world, Story& story) {
    for (int k = 0; k < 4; ++k) {
        const int i = world.location.objectSlots[k];
        if (i == -1) break;
        if (!IsValidObject(i) || !world.objects[i].inScene) continue;
        WorldObject& o = world.objects[i];
        if (story.messageSubject == i) {
            if (const char* text = ObjectResponseText(o, story.messageKind)) {
                DrawBitmapText(TextLeftInsideScreen(o.textX, true, text), o.textY, true, 0, world.backBuffer, text,
                               world.fonts);
                NoteText(world, text, TextKind::Answer);
                CountDown(story);
            }
        }
        if (story.messageTimer == 0 && ObjectUnderMouse(o, world.input.mouseX, world.input.mouseY)) {
            DrawObjectLabel(o, world.backBuffer, world.fonts);
            NoteText(world, o.name, TextKind::Label);
            if (world.input.leftClick) VerbOnObject(world, story, i);
        }
    }
}

void ScenePerson(World& world, Story& story) {
    const int p = world.location.personIndex;
    if (p < 0 || p >= kPersonCount || !world.persons[p].present) return;
    Person& person = world.persons[p];
    if (story.personMessage == p && (story.messageKind == kLookMessage || story.messageKind == kTalkMessage)) {
        const char* text = story.messageKind == kLookMessage ? person.lookText : person.takeText;
        DrawBitmapText(TextLeftInsideScreen(person.textX, true, text), person.textY, true, 0, world.backBuffer, text,
                       world.fonts);
        NoteText(world, text, TextKind::Answer);
        TickText(story);
        if (story.messageTimer <= 0) {
            story.messageTimer = 0;
            story.personMessage = -1;
            story.messageKind = kNoMessage;
        }
    }
    if (story.messageTimer == 0 && PersonUnderMouse(person, world.input.mouseX, world.input.mouseY)) {
        DrawPersonLabel(person, world.backBuffer, world.fonts);
        NoteText(world, person.name, TextKind::Label);
        if (world.input.leftClick) VerbOnPerson(world, story, p);
    }
}

// While the hotspot key is held: the name of everything in the scene at its label position, and
// every exit's arrow. It only draws. Names wait while an answer is on show, since an answer
// stands where its subject's name would.
void DrawHotspots(World& world, const Story& story) {
    if (!world.input.hotspotsHeld) return;
    if (story.messageTimer == 0) {
        for (int k = 0; k < 4; ++k) {
            const int i = world.location.objectSlots[k];
            if (i == -1) break;
            if (IsValidObject(i) && world.objects[i].inScene) {
                DrawObjectLabel(world.objects[i], world.backBuffer, world.fonts);
                NoteText(world, world.objects[i].name, TextKind::Label);
            }
        }
        const int p = world.location.personIndex;
        if (p >= 0 && p < kPersonCount && world.persons[p].present) {
            DrawPersonLabel(world.persons[p], world.backBuffer, world.fonts);
            NoteText(world, world.persons[p].name, TextKind::Label);
        }
    }
    DrawExitArrows(world.location, world.cursor, world.backBuffer);
}

// A text about an object (or, for a person, about him) that stays 100 frames.
void Answer(Story& story, int kind, int object) {
    story.messageKind = kind;
    story.messageSubject = object;
    story.messageTimer = kResponseFrames;
}

void PersonAnswer(Story& story, int kind, int person) {
    story.messageKind = kind;
    story.personMessage = person;
    story.messageTimer = kResponseFrames;
}

// Sends the hero to an object; the scene's action follows when he stands there.
void WalkOverTo(World& world, Story& story, int object) {
    const WorldObject& o = world.objects[object];
    story.pendingObject = object;
    story.pendingScript = o.sceneScript;
    world.hero.targetX = o.walkX;
    world.hero.targetY = o.walkY;
    story.messageTimer = kTakeFrames;
    world.state = GameState::WalkToObject;
}

// Coming onto the panel's buttons and pressing them; either one closes the panel.
void PanelButtonSounds(World& world, PanelButton pressed) {
    const PanelButton under = InventoryButtonAt(world.panel, world.input.mouseX, world.input.mouseY);
    const ScreenButton button = under == PanelButton::Save   ? ScreenButton::PanelSave
                                : under == PanelButton::Back ? ScreenButton::PanelBack
                                                             : ScreenButton::None;
    PointerOnButton(world, button, pressed != PanelButton::None);
    if (pressed != PanelButton::None) world.sound.Add(Cue::PanelClose);
}

void DrawPanelText(World& world, const char* text, TextKind kind = TextKind::Answer) {
    DrawBitmapTextCentred(kPanelTextCentre.x, kPanelTextCentre.y, false, 0, world.backBuffer, text, world.fonts);
    NoteText(world, text, kind);
}

}  // namespace

void VerbOnObject(World& world, Story& story, int object) {
    WorldObject& o = world.objects[object];
    switch (world.cursor.shownImage) {
        case kLook:
            if (object == kShip && o.sceneScript >= 0) {
                story.messageKind = kLookMessage;
                story.messageSubject = kShip;
                WalkOverTo(world, story, kShip);
                world.input.leftClick = false;
            } else {
                Answer(story, kLookMessage, object);
            }
            break;
        case kTalk:
            Answer(story, kTalkMessage, object);
            break;
        case kTake:
            if (story.heldItem != -1) {
                UseOnSceneObject(world, story, object);
            } else if (o.takeable) {
                WalkOverTo(world, story, object);
            } else {
                Answer(story, kTakeMessage, object);
            }
            break;
        default:
            break;
    }
}

void VerbOnPerson(World& world, Story& story, int person) {
    switch (world.cursor.shownImage) {
        case kLook:
            PersonAnswer(story, kLookMessage, person);
            break;
        case kTake:
            if (story.heldItem == -1) {
                PersonAnswer(story, kTalkMessage, person);
            } else {
                GiveToPerson(world, story, person);
            }
            break;
        case kTalk:
            StartConversation(world, story, person);
            break;
        default:
            break;
    }
}

FrameEnd PlayFrame(World& world, Story& story) {
    HandleLeftClick(world, story, true);
    HandleRightClick(world, story);
    if (world.input.hintPressed) AskHint(world, story, -1);
    DrawScene(world.location, world.objects, world.persons, world.backBuffer);
    WalkHero(world);
    DrawSceneResponse(world, story);
    SceneObjects(world, story);
    ScenePerson(world, story);
    if (CheckExits(world.location, world.cursor, world.hero, world.input.mouseX, world.input.mouseY,
                   world.input.leftClick, world.locationIndex))
        world.state = GameState::ChangeLocation;
    DrawHotspots(world, story);
    if (story.messageTimer == 0)
        DrawCursor(world.cursor, world.backBuffer, world.input, story.heldItem, world.objects);
    // The top band opens the inventory, and so does its key (also with an item held, which keeps
    // the pointer out of the band).
    if ((world.input.mouseY < kInventoryBand || world.input.inventoryPressed) && world.state == GameState::Play) {
        world.state = GameState::InventoryScreen;
        ClearResponse(story);
        world.sound.Add(Cue::PanelOpen);
        // The key opens it wherever the pointer is, also over an exit: the panel has no exits, and
        // its verbs must not stay an exit's arrow.
        if (world.input.inventoryPressed) world.cursor.shownImage = world.cursor.verb;
    }
    return FrameEnd::Flip;
}

FrameEnd InventoryFrame(World& world, Story& story) {
    HandleLeftClick(world, story, false);
    HandleRightClick(world, story);
    if (world.input.hintPressed) AskHint(world, story, -1);
    // Its key closes the inventory as the back button does, never with an answer left pending.
    if (world.input.inventoryPressed) {
        world.state = GameState::Play;
        ClearResponse(story);
        world.sound.Add(Cue::PanelClose);
    }
    CopyFullScreen(world.panel.panelImage, world.backBuffer);
    const PanelButton pressed = UpdateInventoryButtons(world.panel, world.input.mouseX, world.input.mouseY,
                                                       world.backBuffer, world.input.leftClick);
    switch (pressed) {
        case PanelButton::Save: world.state = GameState::SaveGame; break;
        case PanelButton::Back: world.state = GameState::Play; break;
        case PanelButton::None:
            if (world.input.inventoryPressed) {  // its button closes it too
                world.state = GameState::Play;
                world.sound.Add(Cue::PanelClose);
            }
            break;
    }
    PanelButtonSounds(world, pressed);
    if (story.messageKind == kRuleMessage && story.messageSubject >= 0 && story.messageSubject < kCombinationCount) {
        DrawPanelText(world, story.combinations[story.messageSubject].message);
        CountDown(story);
    } else if (story.messageKind == kUseMessage && IsValidObject(story.messageSubject)) {
        DrawPanelText(world, world.objects[story.messageSubject].useText);
        CountDown(story);
    }
    ShowHint(world, story, kHintPanelY);

    const int cell = InventoryCellUnderMouse(world.input.mouseX, world.input.mouseY);
    DrawInventoryGrid(world.carried, world.objects, world.backBuffer);
    const int item = InGridArea(world.input.mouseX, world.input.mouseY) ? CarriedItemInCell(world.carried, cell) : -1;
    if (item >= 0 && story.messageTimer == 0) {
        const bool click = world.input.leftClick;
        if (click) {
            if (world.cursor.shownImage == kLook) Answer(story, kLookMessage, item);
            if (world.cursor.shownImage == kTalk) Answer(story, kTalkMessage, item);
            if (story.heldItem != -1) UseOnCarriedItem(world, story, item);
        }
        if (story.messageKind == kNoMessage) {
            DrawPanelText(world, world.objects[item].name, TextKind::Label);
            if (click && world.cursor.shownImage == kTake && story.heldItem == -1) story.heldItem = item;
        }
    }

    if ((story.messageKind == kLookMessage || story.messageKind == kTalkMessage) &&
        IsValidObject(story.messageSubject)) {
        const WorldObject& o = world.objects[story.messageSubject];
        DrawPanelText(world, story.messageKind == kLookMessage ? o.lookText : o.talkText);
        CountDown(story);
    }
    if (story.messageTimer == 0)
        DrawCursor(world.cursor, world.backBuffer, world.input, story.heldItem, world.objects);
    return FrameEnd::Flip;
}

FrameEnd WalkToObjectFrame(World& world, Story& story) {
    if (WalkOn(world)) return FrameEnd::Flip;
    const int object = story.pendingObject;
    if (!IsValidObject(object)) {
        world.state = GameState::Play;
        return FrameEnd::Flip;
    }
    WorldObject& o = world.objects[object];
    world.hero.facing = o.facing;
    if (story.pendingScript == kChainsawInShip || story.pendingScript == kGetLeaves) {
        story.messageTimer = kResponseFrames;
        world.state = GameState::FindItem;
        return FrameEnd::Flip;
    }
    if (story.messageTimer == kTakeFrames) world.sound.Add(Cue::Take);  // he starts to bend
    story.messageTimer -= 1;
    DrawHeroPose(world.hero, o.facing == kLeft ? world.hero.bendLeftImage : world.hero.bendRightImage,
                 world.backBuffer);
    if (story.messageTimer <= 0) {
        story.messageTimer = 0;
        AddToInventory(world.carried, object);
        world.sound.Add(Cue::Find);
        o.inScene = 0;
        world.state = GameState::Play;
    }
    return FrameEnd::Flip;
}

}  // namespace vz
