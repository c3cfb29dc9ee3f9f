// The closing picture, the credits and the hero's raft crossing the sea.
#pragma once

#include "shell/game.h"

namespace vz {

struct CreditLine {
    int first, last;  // counter values it shows for
    int y;
    const char* text;
};

inline constexpr int kCreditLineCount = 7;
// The raft went into the water as the ending began (the splash); its motor starts a moment later.
inline constexpr int kEngineStarts = 10;
extern const CreditLine kCreditLines[kCreditLineCount];

// One Ending frame (after the poll): the counter moves on and the program ends at 380.
void EndingFrame(Game& game);

}  // namespace vz
