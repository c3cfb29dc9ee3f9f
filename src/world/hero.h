// Quarro: his pictures, walking one 5-pixel step a frame (x first, then y) and his other poses.
#pragma once

#include <array>
#include <cstdint>

#include "platform/files.h"
#include "platform/sbf.h"
#include "platform/surface.h"

namespace vz {

enum Facing : int { kFront = 0, kRight = 1, kBack = 2, kLeft = 3 };

inline constexpr int kHeroFootX = 59;   // his feet relative to his picture's top-left
inline constexpr int kHeroFootY = 300;
inline constexpr int kHeroStartX = 450;
inline constexpr int kHeroStartY = 300;

struct Hero {
    std::array<Surface, 4> frontFrames;
    std::array<Surface, 5> rightFrames;
    std::array<Surface, 4> backFrames;
    std::array<Surface, 5> leftFrames;
    std::array<Surface, 3> talkLeftFrames;
    std::array<Surface, 3> talkRightFrames;
    Surface bendLeftImage;
    Surface bendRightImage;
    Surface endingImage;
    int32_t x = kHeroStartX, y = kHeroStartY;
    int32_t targetX = kHeroStartX, targetY = kHeroStartY;
    int32_t facing = kFront;
    int32_t animFrame = 0;
    int32_t animDelay = 0;
};

// Loads every picture of the hero, in the start-up order.
void LoadHeroPictures(Hero& hero, Files& files);
// Puts him back where a new game finds him.
void ResetHero(Hero& hero);

struct Point {
    int x;
    int y;
};

// Moves a click on blocked ground to a free point nearby, or to the hero's own feet.
void AdjustWalkTarget(const Hero& hero, Point& p, const WalkMask& mask);
void SetWalkTargetFromClick(Hero& hero, int mouseX, int mouseY, const WalkMask& mask);
// One step toward the target, then the picture of where he is now.
void StepAndDrawHero(Hero& hero, const WalkMask& mask, Surface& target);
// Only the step, for callers that draw nothing (the tests of the masks).
void StepHero(Hero& hero, const WalkMask& mask);
// His standing picture for the facing he has.
void DrawHeroStanding(const Hero& hero, Surface& target);
void DrawHeroPose(const Hero& hero, const Surface& picture, Surface& target);
bool HeroArrived(const Hero& hero);
// True when his last step brought in a walking picture in which a foot comes down on the ground:
// the strides' wide pictures sideways (1 and 4), the pictures with both soles flat going up or
// down (0 and 2). The other pictures lift, swing or pass a foot.
bool FootComesDown(const Hero& hero);

// A cell outside the grid counts as blocked.
bool CellBlocked(const WalkMask& mask, int row, int col);

}  // namespace vz
