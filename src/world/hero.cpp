// The hero's walk: no path search, one axis at a time, giving up where the mask blocks both.
#include "world/hero.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace vz {

namespace {

constexpr int kStep = 5;
constexpr int kCloseEnough = 10;  // a step is taken only while more than this remains
constexpr int kSnap = 20;         // an axis closer than this is finished

template <size_t N>
void LoadFrames(std::array<Surface, N>& frames, Files& files, const char* stem, int width) {
    for (size_t i = 0; i < N; ++i) {
        const std::string path = std::string("images/quarro/quarro1-") + stem + std::to_string(i) + ".sbf";
        frames[i] = LoadPicture(files, path, width, 300);
    }
}

constexpr int kStepsPerPicture = 4;

void Advance(Hero& h, int period) {
    if (h.animDelay == 0) {
        h.animFrame = (h.animFrame + 1) % period;
        h.animDelay = kStepsPerPicture;
    }
    h.animDelay -= 1;
}

void StopAnimation(Hero& h) {
    h.animFrame = 0;
    h.animDelay = 0;
}

enum class Step { None, Right, Left, Down, Up };

Step TakeStep(Hero& h, const WalkMask& mask) {
    const int r = (h.y + kHeroFootY) / 6;
    const int c = (h.x + kHeroFootX) / 8;
    if (h.targetX != h.x) {
        if (h.targetX - h.x > kCloseEnough && !CellBlocked(mask, r - 1, c + 1)) {
            Advance(h, 5);
            h.facing = kRight;
            h.x += kStep;
            return Step::Right;
        }
        if (h.x - h.targetX > kCloseEnough && !CellBlocked(mask, r - 1, c - 1)) {
            Advance(h, 5);
            h.facing = kLeft;
            h.x -= kStep;
            return Step::Left;
        }
        if (std::abs(h.x - h.targetX) < kSnap) {
            h.targetX = h.x;
            StopAnimation(h);
        }
    }
    if (h.targetY != h.y) {
        if (h.targetY - h.y > kCloseEnough && !CellBlocked(mask, r, c)) {
            Advance(h, 4);
            h.facing = kFront;
            h.y += kStep;
            return Step::Down;
        }
        if (h.y - h.targetY > kCloseEnough && !CellBlocked(mask, r - 2, c)) {
            Advance(h, 4);
            h.facing = kBack;
            h.y -= kStep;
            return Step::Up;
        }
        if (std::abs(h.y - h.targetY) < kSnap) {
            h.targetY = h.y;
            StopAnimation(h);
        }
    }
    if (std::abs(h.x - h.targetX) > kCloseEnough || std::abs(h.y - h.targetY) > kCloseEnough) {
        h.targetX = h.x;
        h.targetY = h.y;
        StopAnimation(h);
    }
    return Step::None;
}

}  // namespace

bool CellBlocked(const WalkMask& mask, int row, int col) {
    if (row < 0 || row >= kMaskCells || col < 0 || col >= kMaskCells) return true;
    return mask[static_cast<size_t>(row) * kMaskCells + col] != 0;
}

void LoadHeroPictures(Hero& h, Files& files) {
    LoadFrames(h.frontFrames, files, "v", 120);
    LoadFrames(h.rightFrames, files, "r", 116);
    LoadFrames(h.backFrames, files, "h", 120);
    LoadFrames(h.leftFrames, files, "l", 116);
    LoadFrames(h.talkLeftFrames, files, "lr", 116);
    LoadFrames(h.talkRightFrames, files, "rr", 116);
    h.bendLeftImage = LoadPicture(files, "images/quarro/quarro1-ln0.sbf", 116, 300);
    h.bendRightImage = LoadPicture(files, "images/quarro/quarro1-rn0.sbf", 116, 300);
    h.endingImage = LoadPicture(files, "images/quarro/quarro1-s0.sbf", 300, 300);
}

void ResetHero(Hero& h) {
    h.x = h.targetX = kHeroStartX;
    h.y = h.targetY = kHeroStartY;
    h.facing = kFront;
    h.animFrame = 0;
    h.animDelay = 0;
}

void AdjustWalkTarget(const Hero& hero, Point& p, const WalkMask& mask) {
    const int px = p.x;
    const int py = p.y;
    const int row = py / 6;
    const int col = px / 8;
    if (!CellBlocked(mask, row, col + 1)) return;

    Point best{hero.x + kHeroFootX, hero.y + kHeroFootY};
    int bestDistance = 10000;

    int n = px;
    while (n > -6 && CellBlocked(mask, row, n / 8 + 1)) n -= 5;
    if (n > 0) {
        int d = px - n;
        if (d < 31) {
            p = {n, py};
            return;
        }
        best = {n, py};
        bestDistance = d;
    }
    int m = px;
    while (m < 960 && CellBlocked(mask, row, m / 8 + 1)) m += 5;
    if (m < 954) {
        int d = m - px;
        if (d < 31) {
            p = {m, py};
            return;
        }
        if (d < bestDistance) {
            best = {m, py};
            bestDistance = d;
        }
    }
    int u = py;
    while (u > -6 && CellBlocked(mask, u / 6, col + 1)) u -= 5;
    if (u > 0) {
        int d = py - u;
        if (d < 26) {
            p = {px, u};
            return;
        }
        if (d < bestDistance) {
            best = {px, u};
            bestDistance = d;
        }
    }
    int v = py;
    while (v < 768 && CellBlocked(mask, v / 6, col + 1)) v += 5;
    if (v < 768) {
        int d = v - py;
        if (d < 26 || d < bestDistance) {
            p = {px, v};
            return;
        }
    }
    p = best;
}

void SetWalkTargetFromClick(Hero& hero, int mouseX, int mouseY, const WalkMask& mask) {
    Point p{mouseX, mouseY};
    AdjustWalkTarget(hero, p, mask);
    hero.targetX = std::clamp(p.x - kHeroFootX, 1, 910);
    hero.targetY = std::clamp(p.y - kHeroFootY, 1, 468);
}

void StepHero(Hero& hero, const WalkMask& mask) { TakeStep(hero, mask); }

void StepAndDrawHero(Hero& h, const WalkMask& mask, Surface& target) {
    switch (TakeStep(h, mask)) {
        case Step::Right:
            DrawSprite(116, 300, h.x, h.y, h.rightFrames[h.animFrame % 5], target);
            return;
        case Step::Left:
            DrawSprite(116, 300, h.x, h.y, h.leftFrames[h.animFrame % 5], target);
            return;
        case Step::Down:
            DrawSprite(120, 300, h.x, h.y, h.frontFrames[h.animFrame % 4], target);
            return;
        case Step::Up:
            DrawSprite(120, 300, h.x, h.y, h.backFrames[h.animFrame % 4], target);
            return;
        case Step::None:
            break;
    }
    DrawHeroStanding(h, target);
}

void DrawHeroStanding(const Hero& h, Surface& target) {
    switch (h.facing) {
        case kRight:
            DrawSprite(116, 300, h.x, h.y, h.rightFrames[0], target);
            break;
        case kBack:
            DrawSprite(120, 300, h.x, h.y, h.backFrames[0], target);
            break;
        case kLeft:
            DrawSprite(116, 300, h.x, h.y, h.leftFrames[0], target);
            break;
        default:
            DrawSprite(120, 300, h.x, h.y, h.frontFrames[0], target);
            break;
    }
}

void DrawHeroPose(const Hero& hero, const Surface& picture, Surface& target) {
    DrawSprite(116, 300, hero.x, hero.y, picture, target);
}

bool HeroArrived(const Hero& hero) { return hero.x == hero.targetX && hero.y == hero.targetY; }

bool FootComesDown(const Hero& hero) {
    // Advance leaves one step fewer than a picture's share right after it changed the picture;
    // a standing hero (animDelay 0) never qualifies.
    if (hero.animDelay != kStepsPerPicture - 1) return false;
    if (hero.facing == kLeft || hero.facing == kRight) return hero.animFrame == 1 || hero.animFrame == 4;
    return hero.animFrame % 4 == 0 || hero.animFrame % 4 == 2;
}

}  // namespace vz
