// vudizid-soak: the real game played headless with seeded random input, checking what must always hold.
// Usage: vudizid-soak [--seed N] [--runs N] [--frames N] [--images DIR] [--damage none|truncate|random|missing|huge]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "platform/headless/headless_platform.h"
#include "shell/game.h"
#include "shell/savegame.h"

namespace {

using namespace vz;

enum class Damage { None, Truncate, Random, Missing, Huge };

// Serves the pictures from memory (damaged on request) and keeps the saved game in memory too,
// so a long run neither wears the disk nor depends on it.
class SoakPlatform : public HeadlessPlatform {
public:
    SoakPlatform(std::string imagesDir, Damage damage, uint64_t seed)
        : imagesDir_(std::move(imagesDir)), damage_(damage), rng_(seed) {}

    bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) override {
        if (path == "images/outro.sbf") {
            if (!hasSave_) return false;
            bytes = save_;
            return true;
        }
        auto it = cache_.find(path);
        if (it == cache_.end()) {
            std::vector<uint8_t> real;
            std::string file = imagesDir_ + path.substr(std::strlen("images"));
            if (!Files::ReadWholeFile(file, real, maxBytes)) return false;
            it = cache_.emplace(path, Damaged(std::move(real))).first;
        }
        if (damage_ == Damage::Missing) return false;
        bytes = it->second;
        return true;
    }
    bool ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head, const PlaceBody& place,
                     size_t& bodyBytes) override {
        return ReadInPlaceFromWholeFile(path, maxBytes, head, place, bodyBytes);
    }
    WriteResult ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes) override {
        if (path != "images/outro.sbf") return WriteResult::CannotCreate;
        save_ = bytes;
        hasSave_ = true;
        return WriteResult::Ok;
    }
    bool FileExists(const std::string& path) override { return path == "images/outro.sbf" ? hasSave_ : true; }
    const std::vector<uint8_t>* SavedGame() const { return hasSave_ ? &save_ : nullptr; }
    void PutSavedGame(const std::vector<uint8_t>* bytes) {
        hasSave_ = bytes != nullptr;
        if (bytes) save_ = *bytes;
    }

private:
    std::vector<uint8_t> Damaged(std::vector<uint8_t> b) {
        switch (damage_) {
            case Damage::Truncate:
                b.resize(b.size() / 2);
                break;
            case Damage::Random:
                for (auto& v : b) v = static_cast<uint8_t>(rng_());
                break;
            case Damage::Huge:
                if (b.size() >= 12) {
                    const uint8_t huge[8] = {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F};
                    std::memcpy(&b[4], huge, 8);
                }
                break;
            default:
                break;
        }
        return b;
    }

    std::string imagesDir_;
    Damage damage_;
    std::mt19937_64 rng_;
    std::map<std::string, std::vector<uint8_t>> cache_;
    std::vector<uint8_t> save_;
    bool hasSave_ = false;
};

bool WalkThenAct(GameState s) {
    return s == GameState::WalkToObject || s == GameState::WalkToPerson || s == GameState::GiveToPerson ||
           s == GameState::UseOnObject || s == GameState::FindItem;
}

// The first broken rule, or nullptr.
const char* BrokenInvariant(const Game& g, int framesInState) {
    const World& w = g.world;
    if (!IsValidGameState(static_cast<int32_t>(w.state))) return "unknown game state";
    if (w.input.mouseX < 17 || w.input.mouseX > 1008 || w.input.mouseY < 17 || w.input.mouseY > 752)
        return "pointer outside its clamps";
    if (w.hero.x < 1 || w.hero.x > 910 || w.hero.y < 1 || w.hero.y > 468) return "hero outside the ground";
    if (w.hero.facing < 0 || w.hero.facing > 3) return "hero facing out of range";
    if (g.story.messageTimer < 0 || g.story.messageTimer > 100) return "message timer out of range";
    if (g.story.heldItem != -1 && (!IsValidObject(g.story.heldItem) || !w.carried[g.story.heldItem]))
        return "held item is not carried";
    if (WalkThenAct(w.state) && framesInState > 600) return "walk-then-act state did not end within 600 frames";
    return nullptr;
}

RawInput RandomInput(std::mt19937_64& rng, const Game& g) {
    RawInput r;
    std::uniform_int_distribution<int> pct(0, 99);
    const int roll = pct(rng);
    if (roll < 30) {  // jump anywhere, the top band and the edges included
        r.dx = std::uniform_int_distribution<int>(-40, 1100)(rng) - g.world.input.mouseX;
        r.dy = std::uniform_int_distribution<int>(-40, 800)(rng) - g.world.input.mouseY;
    } else if (roll < 60) {
        r.dx = std::uniform_int_distribution<int>(-30, 30)(rng);
        r.dy = std::uniform_int_distribution<int>(-30, 30)(rng);
    }
    const int button = pct(rng);
    r.left = button < 12;
    r.right = button >= 12 && button < 17;
    r.enter = button == 17;
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    uint64_t seed = 1;
    int runs = 1;
    int frames = 2000;
    std::string images = "images";
    Damage damage = Damage::None;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string k = argv[i], v = argv[i + 1];
        if (k == "--seed") seed = std::strtoull(v.c_str(), nullptr, 10);
        else if (k == "--runs") runs = std::atoi(v.c_str());
        else if (k == "--frames") frames = std::atoi(v.c_str());
        else if (k == "--images") images = v;
        else if (k == "--damage") {
            damage = v == "truncate" ? Damage::Truncate : v == "random" ? Damage::Random : v == "missing" ? Damage::Missing
                     : v == "huge"   ? Damage::Huge : Damage::None;
        } else {
            std::fprintf(stderr, "unknown option %s\n", k.c_str());
            return 2;
        }
    }

    int64_t total = 0;
    std::vector<uint8_t> lastSave;
    bool haveSave = false;
    for (int run = 0; run < runs; ++run) {
        const uint64_t runSeed = seed + static_cast<uint64_t>(run);
        std::mt19937_64 rng(runSeed);
        SoakPlatform platform(images, damage, runSeed);
        platform.keepFrames = false;
        platform.PutSavedGame(haveSave ? &lastSave : nullptr);
        auto game = std::make_unique<Game>();
        StartUp(*game, platform);
        // Leave the title by Start on even runs and by Load on odd ones, which load the game the
        // run before left behind.
        const int buttonY = run % 2 == 0 ? 430 : 530;
        RawInput to;
        to.dx = 500 - game->world.input.mouseX;
        to.dy = buttonY - game->world.input.mouseY;
        platform.SetFrameInput(to);
        RunFrame(*game, platform, false);
        RawInput press;
        press.left = true;
        platform.SetFrameInput(press);
        RunFrame(*game, platform, false);

        GameState last = game->world.state;
        int inState = 0;
        for (int f = 0; f < frames && !game->quitRequested; ++f) {
            platform.SetFrameInput(RandomInput(rng, *game));
            RunFrame(*game, platform, false);
            ++total;
            inState = game->world.state == last ? inState + 1 : 1;
            last = game->world.state;
            if (const char* broken = BrokenInvariant(*game, inState)) {
                std::fprintf(stderr, "soak: %s (seed %llu, frame %d; repeat with --seed %llu --runs 1 --frames %d)\n",
                             broken, static_cast<unsigned long long>(runSeed), f,
                             static_cast<unsigned long long>(runSeed), frames);
                return 1;
            }
        }
        if (!game->quitRequested && game->world.state != GameState::TitleMenu)
            SaveGameToFile(game->world, game->story, platform);
        if (const std::vector<uint8_t>* saved = platform.SavedGame()) {
            lastSave = *saved;
            haveSave = true;
        }
    }
    std::printf("soak: %lld frames in %d runs without a broken invariant\n", static_cast<long long>(total), runs);
    return 0;
}
