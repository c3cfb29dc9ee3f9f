// SDL's keyed blit on our own pixel memory, so both blits work on exactly the same pictures.
#include "platform/sdl/sdl_blit_reference.h"

#include <SDL.h>

namespace vz {

struct SdlKeyedBlit::Surfaces {
    SDL_Surface* source = nullptr;
    SDL_Surface* destination = nullptr;
};

namespace {

SDL_Surface* Wrap(const Surface& s) {
    return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint16_t*>(s.pixels.data()), s.width, s.height, 16,
                                              s.width * 2, SDL_PIXELFORMAT_RGB565);
}

}  // namespace

SdlKeyedBlit::SdlKeyedBlit(const Surface& source, Surface& destination) : surfaces_(new Surfaces) {
    surfaces_->source = Wrap(source);
    surfaces_->destination = Wrap(destination);
    if (surfaces_->source) SDL_SetColorKey(surfaces_->source, SDL_TRUE, kColorKey);
}

SdlKeyedBlit::~SdlKeyedBlit() {
    SDL_FreeSurface(surfaces_->source);
    SDL_FreeSurface(surfaces_->destination);
}

bool SdlKeyedBlit::Blit(int x, int y) {
    if (!surfaces_->source || !surfaces_->destination) return false;
    SDL_Rect to{x, y, surfaces_->source->w, surfaces_->source->h};
    return SDL_BlitSurface(surfaces_->source, nullptr, surfaces_->destination, &to) == 0;
}

}  // namespace vz
