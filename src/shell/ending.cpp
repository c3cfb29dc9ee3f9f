// The credits, timed by the ending's own frame counter.
#include "shell/ending.h"

namespace vz {

const CreditLine kCreditLines[kCreditLineCount] = {
    {1, 69, 110, "That's it "},                    // the trailing blank shifts it half a letter
    {70, 169, 110, "Idea and realisation"},         // who made it
    {70, 169, 130, "the Vudizid Ozazi team"},       //
    {170, 209, 110, "2026"},                        // the year
    {210, 279, 110, "Special Thanks to Pellwick"},  // thanks
    {210, 279, 130, "for testing the game"},        //
    {280, 380, 110, "Thanks for playing"},          // the last words
};
static_assert(sizeof(kCreditLines) / sizeof(kCreditLines[0]) == kCreditLineCount);

void EndingFrame(Game& game) {
    World& w = game.world;
    CopyFullScreen(game.closingPicture, w.backBuffer);
    if (game.creditsCounter < kEndingFrames) game.creditsCounter += 1;
    if (game.creditsCounter == kEngineStarts) w.sound.Add(Cue::Engine);
    if (game.creditsCounter == kEndingFrames) game.quitRequested = true;
    for (const CreditLine& line : kCreditLines) {
        if (line.first <= game.creditsCounter && game.creditsCounter <= line.last)
            DrawBitmapTextCentred(412, line.y, true, 0, w.backBuffer, line.text, w.fonts);
    }
    DrawSprite(300, 300, 300 + 2 * game.creditsCounter, 400, w.hero.endingImage, w.backBuffer);
}

}  // namespace vz
