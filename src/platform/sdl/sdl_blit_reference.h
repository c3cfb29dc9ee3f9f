// SDL's own colour-keyed blit of our pictures: the yardstick the benchmark holds DrawSprite against.
#pragma once

#include <memory>

#include "platform/surface.h"

namespace vz {

class SdlKeyedBlit {
public:
    // Wraps both pictures without copying them; the source is keyed on the game's key colour.
    SdlKeyedBlit(const Surface& source, Surface& destination);
    ~SdlKeyedBlit();
    SdlKeyedBlit(const SdlKeyedBlit&) = delete;
    SdlKeyedBlit& operator=(const SdlKeyedBlit&) = delete;

    // Copies the whole source to (x, y) with SDL_BlitSurface. False when SDL refuses.
    bool Blit(int x, int y);

private:
    struct Surfaces;
    std::unique_ptr<Surfaces> surfaces_;
};

}  // namespace vz
