// The game record, start-up and the main loop's frame with its state machine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <vector>

#include "logic/stops.h"
#include "logic/story.h"
#include "platform/platform.h"
#include "shell/title.h"
#include "world/world.h"

namespace vz {

inline constexpr uint32_t kFrameMilliseconds = 40;
inline constexpr int kEndingFrames = 380;

struct Game {
    World world;
    Story story;
    TitleMenu title;
    Surface closingPicture;
    Surface icon;
    int32_t creditsCounter = 0;
    bool quitRequested = false;
    uint32_t frameStart = 0;
    int64_t frames = 0;  // main-loop passes so far
    bool worldStarted = false;  // StartUpWorld has run
    // A note over the picture for a moment (the text pace key's), and the frames it has left.
    const char* note = nullptr;
    int32_t noteFrames = 0;
};

inline constexpr int kNoteFrames = 50;  // 2 s

// Everything start-up builds before the first frame, in its fixed order. It needs only the files:
// the window may open after it (and then shows the game's icon). It is StartUpTitle, then
// StartUpWorld.
void StartUp(Game& game, Files& files);
// What the title screen needs: the title menu, the cursor, the pointer, the fonts and the icon.
void StartUpTitle(Game& game, Files& files);
// The rest, which only play needs: the inventory panel, the choice panel, the closing picture, the
// hero, the objects, the persons and a new game's story. A page that fetches its pictures in parts
// runs it when the player leaves the title and the pictures have arrived.
void StartUpWorld(Game& game, Files& files);
// The pictures StartUpWorld reads: files, and folders (ending in '/') for everything below them.
const std::vector<std::string>& WorldPictures();

// What keeps a started game from being played, for the player's notice: its folder of pictures
// (named `folder` in the notice) gave not one of the pictures start-up reads. Empty when the game
// can go on.
std::string PictureFolderProblem(const Game& game, const std::string& folder);

// One pass of the main loop. With pace set, the frame lasts at least 40 ms (sleeping, not spinning).
void RunFrame(Game& game, Platform& platform, bool pace);

// Runs frames until the game quits.
void RunMainLoop(Game& game, Platform& platform);

// The keys that act on the whole game as a poll reads them (src/shell/keyboard.cpp): Tab and Shift+Tab
// put the pointer onto the next or previous thing on screen that answers a click, T chooses the next
// text pace, keeps it and shows its note.
void HandleGameKeys(Game& game, Platform& platform);
// The stops Tab steps between on the screen the game shows now (none while it plays on by itself).
std::vector<PointerStop> StopsOnScreen(const Game& game);
// The note of a text pace.
const char* TextPaceNote(TextPace pace);

}  // namespace vz
