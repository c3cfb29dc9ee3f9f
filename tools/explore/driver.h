// Playing one action the way a player does: pointer moves and button presses fed frame by frame
// through the game's own input rules and state blocks, the hero put straight onto his walk target.
#pragma once

#include <vector>

#include "explorer.h"

namespace vz::explore {

// Where an action left the game once everything it set going has played out.
enum class Rest { Play, Menu, Panel, Ending, Stuck };

class Driver {
public:
    Driver(ExplorePlatform& platform, Game& game) : platform_(platform), game_(game) {}

    // One frame with the given input; afterwards the hero stands on his walk target.
    void Frame(const RawInput& input = {});
    void MoveTo(int x, int y);
    // A left (or right) press in a frame whose input rules will take it as a click.
    void Press(bool right = false);
    // A key pressed in one frame and let go by the next (keys act as they go down).
    void Key(const RawInput& key);
    // Right clicks until the cursor carries `verb`.
    bool SetVerb(int verb);
    // Runs the game on, ending answers and lines with a click as a player does, until it waits
    // for the player again.
    Rest Settle();

    // The inventory panel from the scene, with `item` then put on the cursor.
    bool PickUp(int item);
    void OpenPanel();
    void LeavePanel();

    int64_t frames = 0;

private:
    ExplorePlatform& platform_;
    Game& game_;
};

// The centre of the panel cell that shows a carried item.
Point CellOf(const World& world, int item);

// The visible objects of the location in slot order.
std::vector<int> VisibleObjects(const World& world);
// The location's person when it is there to be clicked, else -1.
int VisiblePerson(const World& world);
std::vector<int> CarriedItems(const World& world);

}  // namespace vz::explore
