// The two finds and the three hand-overs: their texts, their effects and the clicks that end them.
#include <gtest/gtest.h>

#include <tuple>

#include "logic/scenes.h"
#include "support.h"

namespace vz::test {
namespace {

struct ScenesTest : ::testing::Test, Session {
    ScenesTest() : Session({"images/quarro/quarro1-ln0.sbf"}) {}
    // Hands `item` to the person at (x, y) of `scene`; returns once the hero has walked over.
    void HandOver(int scene, int item, int x, int y) {
        EnterScene(*game, platform, scene);
        SetVerb(*game, kTake);
        Hold(item);
        MoveTo(*game, platform, x, y);
        Frame(*game, platform, LeftButton());
        ASSERT_EQ(w.state, GameState::GiveToPerson);
        for (int n = 1; !HeroArrived(w.hero) && n < 1000; ++n)  // clicks on the way do nothing
            Frame(*game, platform, n % 6 == 0 ? LeftButton() : RawInput{});
        ASSERT_EQ(w.state, GameState::GiveToPerson);
    }
};

TEST_F(ScenesTest, LookingIntoTheShipFindsTheChainsawOnce) {
    SetVerb(*game, kLook);
    Click(180, 370);
    ASSERT_GE(UntilState(GameState::FindItem), 0);
    EXPECT_TRUE(Shows(420, 340, "There is a chainsaw in it.#I'll take it with me.", true));
    EXPECT_EQ(w.carried[kChainsaw], 0);  // given when the text ends
    EXPECT_EQ(UntilState(GameState::Play), 99);
    EXPECT_EQ(w.carried[kChainsaw], 1);
    EXPECT_EQ(w.objects[kShip].sceneScript, -1);
    Click(180, 370);  // a second look only describes the ship
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_TRUE(Shows(420, 340, "a broken-down ship", true));
}

TEST_F(ScenesTest, AClickCutsTheLeavesSceneShortWithItsEffects) {
    EnterScene(*game, platform, kVillageScene);
    SetVerb(*game, kTake);
    Click(490, 450);  // the leaf plant
    ASSERT_GE(UntilState(GameState::FindItem), 0);
    EXPECT_TRUE(Shows(550, 425, "I'll get some leaves.", true));
    Quiet();
    Frame(*game, platform, LeftButton());
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_EQ(w.carried[kLeaves], 1);
    EXPECT_EQ(w.objects[kLeafPlant].takeable, 0);
    Quiet();
    Click(490, 450);
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_TRUE(Shows(550, 425, "I have already some", true));
}

TEST_F(ScenesTest, TheCoconutEarnsTheRaftAsSoonAsTheHeroArrives) {
    HandOver(kVillageScene, kCoconut, 850, 450);
    EXPECT_EQ(w.objects[kRaft].takeable, 0);
    Frame(*game, platform);
    EXPECT_TRUE(Shows(500, 200, "Thanks - You can have the raft"));
    EXPECT_EQ(w.objects[kRaft].takeable, 1);
    EXPECT_EQ(s.raftComboItem(), kRaft);
    EXPECT_EQ(s.noRaftMessageItem(), kNoObject);
    EXPECT_EQ(s.trees[kNative].choices[1].available + s.trees[kNative].choices[2].available, 0);
    EXPECT_EQ(w.carried[kCoconut], 0);
    EXPECT_EQ(s.heldItem, -1);
    Quiet();
    Frame(*game, platform, LeftButton());  // ends the scene
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_EQ(w.objects[kRaft].takeable, 1);
}

TEST_F(ScenesTest, TheSweetCocktailPutsJimToSleepAndLeavesTheSpade) {
    HandOver(kHolesScene, kSweetCocktail, 260, 350);
    EXPECT_EQ(UntilState(GameState::Play), 100);
    EXPECT_EQ(w.persons[kJim].present, 0);
    EXPECT_EQ(w.objects[kSpade].inScene, 1);
    EXPECT_EQ(w.objects[kSleepingJim].inScene, 1);
    EXPECT_EQ(w.carried[kSweetCocktail], 0);
    SetVerb(*game, kTalk);
    Click(260, 350);  // where Jim stood: no one to talk to
    EXPECT_EQ(w.state, GameState::Play);
    SetVerb(*game, kLook);
    Click(100, 480);
    EXPECT_TRUE(Shows(70, 400, "He sleeps now", true));
}

TEST_F(ScenesTest, KaisOwnCocktailOnlyEarnsARemarkAndOtherItemsTheirUseText) {
    HandOver(kHolesScene, kCocktail, 260, 350);
    Frame(*game, platform);
    EXPECT_TRUE(Shows(170, 210, "He will sure notice that the drink is from Kai.", true));
    ASSERT_GE(UntilState(GameState::Play), 0);
    EXPECT_EQ(s.heldItem, -1);
    EXPECT_EQ(w.carried[kCocktail], 1);
    EXPECT_EQ(w.persons[kJim].present, 1);
    Hold(kBottle);
    Click(260, 350);
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_EQ(s.heldItem, kBottle);
    EXPECT_TRUE(Shows(180, 230, "That doesn't work"));  // at Jim's text position
}

// The click that ends a hand-over's answer ends it and nothing else. Its frame is cut short, so no
// picture without the hero is shown, and though Take is the verb and the pointer rests on Jim, the
// click reaches nobody; the button held on stays quiet until the cooldown lets it click again.
TEST_F(ScenesTest, TheClickThatEndsAHandOversAnswerEndsItAndNothingElse) {
    HandOver(kHolesScene, kCocktail, 260, 350);
    Quiet();  // the clicks on the way have cooled down
    ASSERT_TRUE(Shows(170, 210, "He will sure notice that the drink is from Kai.", true));
    ASSERT_EQ(w.cursor.verb, kTake);
    const int presents = platform.PresentCount();
    const int x = w.hero.x, y = w.hero.y;
    Frame(*game, platform, LeftButton());
    EXPECT_EQ(w.state, GameState::Play);
    EXPECT_EQ(platform.PresentCount(), presents);
    EXPECT_EQ(s.messageKind, kNoMessage);
    EXPECT_EQ(s.messageTimer, 0);
    for (int n = 1; n < kClickCooldownFrames; ++n) {
        Frame(*game, platform, LeftButton());
        EXPECT_EQ(s.personMessage, -1) << "frame " << n;
        EXPECT_EQ(s.messageKind, kNoMessage) << "frame " << n;
    }
    EXPECT_EQ(w.hero.targetX, x);
    EXPECT_EQ(w.hero.targetY, y);
    EXPECT_GT(platform.PresentCount(), presents);
    EXPECT_FALSE(Shows(180, 230, "I won't touch him", true));
    Frame(*game, platform, LeftButton());  // the cooldown is over: a click again, Take on Jim answers
    EXPECT_EQ(s.personMessage, kJim);
}

// Looking into the ship while already standing at its walk point: the look's click is used up, so
// the find scene that starts in the same frame shows its text instead of ending at once.
TEST_F(ScenesTest, LookingIntoTheShipFromItsWalkPointStillShowsTheFind) {
    const WorldObject& ship = w.objects[kShip];
    EnterScene(*game, platform, kShipScene, ship.walkX, ship.walkY);
    SetVerb(*game, kLook);
    MoveTo(*game, platform, 180, 370);
    Frame(*game, platform, LeftButton());
    EXPECT_EQ(w.state, GameState::FindItem);
    EXPECT_EQ(w.carried[kChainsaw], 0);
    EXPECT_TRUE(Shows(420, 340, "There is a chainsaw in it.#I'll take it with me.", true));
    EXPECT_EQ(UntilState(GameState::Play), 99);
    EXPECT_EQ(w.carried[kChainsaw], 1);
}

// Both finds show him bent down for their first 14 frames, then standing until the text ends.
TEST_F(ScenesTest, TheBendInTheFindScenesLastsExactly14Frames) {
    // Nine in ten of the bending picture's pixels where he stands (the scene's text may cover some).
    auto bent = [&] {
        const Surface& frame = platform.LastFrame();
        const Surface& bend = w.hero.bendLeftImage;
        int same = 0, drawn = 0;
        for (int y = 0; y < bend.height; ++y)
            for (int x = 0; x < bend.width; ++x) {
                if (bend.At(x, y) == kColorKey) continue;
                ++drawn;
                same += frame.At(w.hero.x + x, w.hero.y + y) == bend.At(x, y) ? 1 : 0;
            }
        return same * 10 >= drawn * 9;
    };
    ASSERT_TRUE(w.hero.bendLeftImage.filled);
    const std::tuple<int, int, int, int> finds[] = {{kShipScene, kLook, 180, 370}, {kVillageScene, kTake, 490, 450}};
    for (const auto& [scene, verb, x, y] : finds) {
        EnterScene(*game, platform, scene);
        SetVerb(*game, verb);
        Click(x, y);
        ASSERT_GE(UntilState(GameState::FindItem), 0);
        int frames = 0, bentFrames = 0;
        for (; w.state == GameState::FindItem && frames < 200; ++frames) {
            if (bent()) {
                EXPECT_EQ(bentFrames, frames) << "scene " << scene << ": bent only at the start";
                ++bentFrames;
            }
            Frame(*game, platform);
        }
        EXPECT_EQ(bentFrames, 14) << "scene " << scene;
        EXPECT_EQ(frames, 99) << "scene " << scene << ": the 100th frame ends the scene";
        Quiet();
    }
}

// Once asked "What favour?", the question is gone from her menu; the coconut takes it away with
// the raft question, so only the greeting and the goodbye are left.
TEST_F(ScenesTest, TheCoconutTakesTheFavourQuestionOffHerMenuOnceItWasAsked) {
    s.trees[kNative].choices[1].available = 0;  // as "I'm stranded..." leaves it
    s.trees[kNative].choices[2].available = 1;
    HandOver(kVillageScene, kCoconut, 850, 450);
    ASSERT_GE(UntilState(GameState::Play), 0);
    EXPECT_EQ(s.trees[kNative].choices[2].available, 0);
    Quiet();
    SetVerb(*game, kTalk);
    Click(850, 450);
    ASSERT_GE(UntilState(GameState::Dialogue), 0);
    Frame(*game, platform);
    EXPECT_TRUE(Shows(20, 610, "Hi Baby!"));
    EXPECT_TRUE(Shows(20, 640, "Goodbye"));
    EXPECT_FALSE(Shows(20, 640, "What favour?"));
    EXPECT_FALSE(Shows(20, 670, "What favour?"));
}

}  // namespace
}  // namespace vz::test
