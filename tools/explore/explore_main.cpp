// vudizid-explore: proves that the story can be finished from every state a player can reach.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "explorer.h"

namespace {

void PrintFindings(const char* heading, const std::vector<vz::explore::Finding>& findings, const vz::Game& game,
                   size_t limit) {
    if (findings.empty()) return;
    std::printf("%s: %zu\n", heading, findings.size());
    for (size_t i = 0; i < findings.size() && i < limit; ++i) {
        std::printf("  %s, after %zu actions:\n", findings[i].what.c_str(), findings[i].path.size());
        for (const vz::explore::Action& a : findings[i].path)
            std::printf("    %s\n", vz::explore::Describe(a, game).c_str());
    }
    if (findings.size() > limit) std::printf("  ... and %zu more (--all shows every one)\n", findings.size() - limit);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vz::explore;
    size_t limit = 10;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--all") == 0) {
            limit = SIZE_MAX;
        } else if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: vudizid-explore [--all]\n"
                        "Plays every action in every story state a new game can reach and exits 1 when a state\n"
                        "cannot reach the ending, an item is lost, a save does not bring a state back, or the\n"
                        "hint of a state does not take a shortest way to the ending.\n"
                        "--all lists every finding instead of the first ten of each kind.\n");
            return 0;
        } else {
            std::fprintf(stderr, "usage: vudizid-explore [--all]\n");
            return 2;
        }
    }
    const auto started = std::chrono::steady_clock::now();
    ExplorePlatform platform;
    auto title = std::make_unique<vz::Game>(StartedGame(platform));
    const Report r = Explore(*title, platform);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    const bool sound =
        r.endingReached && r.deadEnds.empty() && r.losses.empty() && r.faults.empty() && r.badHints.empty();
    std::printf("%zu reachable story states, %zu actions tried, %s", r.storyStates, r.actions,
                r.deadEnds.empty() ? "no dead end" : "DEAD ENDS FOUND");
    if (r.hintStates == r.storyStates && r.badHints.empty())
        std::printf("; hints lead to the ending from all %zu states, in at most %d actions\n", r.hintStates,
                    r.hintMost);
    else
        std::printf("; HINTS LEAD TO THE ENDING FROM ONLY %zu STATES\n", r.hintStates);
    std::printf("(%zu of the states also with a conversation open; %lld frames played in %.1f s)\n", r.menuStates,
                static_cast<long long>(r.frames), seconds);
    if (!r.endingReached) std::printf("the ending was never reached\n");
    PrintFindings("dead ends", r.deadEnds, *title, limit);
    PrintFindings("lost items", r.losses, *title, limit);
    PrintFindings("faults", r.faults, *title, limit);
    PrintFindings("wrong hints", r.badHints, *title, limit);
    return sound ? 0 : 1;
}
