// vudizid-bench [--brief] [google benchmark flags]: every goal beside its yardstick, then one table.
// Run from the build folder (it reads images/). --brief runs each benchmark only a moment, to
// show that all of them still work; its figures mean little.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench.h"
#include "world/location.h"

namespace vz::bench {

StartedGame& SharedGame() {
    static StartedGame game;
    return game;
}

std::string ReplayScriptFolder() { return std::string(VZ_SOURCE_DIR) + "/tests/replay"; }

namespace {

// Keeps each benchmark's real time per iteration (the median where runs were repeated) and counters.
class Collector : public benchmark::ConsoleReporter {
public:
    struct Figure {
        double seconds = 0;
        std::map<std::string, double> counters;
    };
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.error_occurred) {
                failed = true;
                continue;
            }
            const bool aggregate = r.run_type == Run::RT_Aggregate;
            if (aggregate && r.aggregate_name != "median") continue;
            const std::string name = r.run_name.function_name + (r.run_name.args.empty() ? "" : "/" + r.run_name.args);
            if (!aggregate && figures.count(name) && repeated) continue;
            Figure f;
            f.seconds = r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
            for (const auto& [key, counter] : r.counters) f.counters[key] = counter.value;
            figures[name] = f;
            if (aggregate) repeated = true;
        }
    }
    std::map<std::string, Figure> figures;
    bool failed = false;
    bool repeated = false;
};

struct Row {
    std::string what, measured, reference, ratio, goal;
    bool met;
};

void PrintTable(const std::vector<Row>& rows) {
    std::printf("\n| # | Measured | Figure | Yardstick | Ratio | Goal | Met |\n|---|---|---|---|---|---|---|\n");
    int n = 0;
    for (const Row& r : rows)
        std::printf("| %d | %s | %s | %s | %s | %s | %s |\n", ++n, r.what.c_str(), r.measured.c_str(),
                    r.reference.c_str(), r.ratio.c_str(), r.goal.c_str(), r.met ? "yes" : "**no**");
}

std::string Format(const char* format, double value) {
    if (std::isnan(value)) return "not run";
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::vector<Row> Rows(const std::map<std::string, Collector::Figure>& f) {
    std::vector<Row> rows;
    // A benchmark that failed has no figure; its row then says so and is not met.
    auto seconds = [&](const std::string& name) {
        auto it = f.find(name);
        return it == f.end() ? std::nan("") : it->second.seconds;
    };
    const double copy = seconds("ScreenCopy");
    double worst = 0;
    for (int scene = 0; scene < kLocationCount; ++scene) {
        const double t = seconds("ComposePlayFrame/" + std::to_string(scene));
        const double ratio = t / copy;
        worst = std::max(worst, ratio);
        rows.push_back({"Play frame, scene " + std::to_string(scene), Format("%.1f us", t * 1e6),
                        Format("screen copy %.1f us", copy * 1e6), Format("%.2f", ratio), "<= 2.0", ratio <= 2.0});
    }
    const char* sprites[] = {"hero frame 116x300", "leaf plant 182x140"};
    for (int i = 0; i < 2; ++i) {
        const double ours = seconds("DrawSpriteKeyed/" + std::to_string(i));
        const double sdl = seconds("SdlBlitKeyed/" + std::to_string(i));
        const double ratio = ours / sdl;
        rows.push_back({std::string("Keyed DrawSprite, ") + sprites[i], Format("%.2f us", ours * 1e6),
                        Format("SDL_BlitSurface %.2f us", sdl * 1e6), Format("%.2f", ratio), "<= 1.0", ratio <= 1.0});
    }
    const double glyph = seconds("DrawTextLine") / 60;
    rows.push_back({"DrawBitmapText, 60 characters", Format("%.1f ns per glyph", glyph * 1e9), "", "", "< 2000 ns",
                    glyph < 2e-6});
    const double startUp = seconds("StartUpToFirstFrame");
    rows.push_back({"Start-up to the first presented frame, in a running program", Format("%.1f ms", startUp * 1e3),
                    "", "", "< 100 ms", startUp < 0.1});
    const double cold = seconds("StartUpNewProcess");
    rows.push_back({"The same in a new process (vudizid-replay, exec to exit)", Format("%.1f ms", cold * 1e3), "", "",
                    "< 100 ms", cold < 0.1});
    const double load = seconds("LoadAllPictures");
    const double plain = seconds("PlainReadAll");
    const auto it = f.find("PlainReadAll");
    const double files = it == f.end() ? 0 : it->second.counters.at("files");
    const double megabytes = it == f.end() ? 0 : it->second.counters.at("MB");
    rows.push_back({Format("Loading all pictures (%.0f files, ", files) + Format("%.1f MB)", megabytes),
                    Format("%.2f ms", load * 1e3), Format("plain reads %.2f ms", plain * 1e3),
                    Format("%.2f", load / plain), "<= 1.5", load / plain <= 1.5});
    const auto story = f.find("StoryReplay");
    const double frames = story == f.end() ? 0 : story->second.counters.at("frames");
    const double fps = story == f.end() || story->second.seconds <= 0 ? 0 : frames / story->second.seconds;
    rows.push_back({Format("Whole-story replay, unpaced (%.0f frames)", frames), Format("%.0f frames/s", fps), "", "",
                    ">= 3000", fps >= 3000});
    const auto map = f.find("FirstHint");
    const double states = map == f.end() ? 0 : map->second.counters.at("states");
    const double first = seconds("FirstHint");
    rows.push_back({Format("A game's first hint: the story's map worked out (%.0f states)", states),
                    Format("%.0f ms", first * 1e3), "", "", "< 500 ms", first < 0.5});
    const double later = seconds("LaterHint");
    rows.push_back({"Any hint after it", Format("%.1f us", later * 1e6), "", "", "< 1000 us", later < 1e-3});
    return rows;
}

}  // namespace

}  // namespace vz::bench

int main(int argc, char** argv) {
    if (!vz::Files().DirectoryExists("images")) {
        std::fprintf(stderr, "vudizid-bench: run it from the build folder; the folder \"images\" is missing here\n");
        return 2;
    }
    // Memory freed by one repetition serves the next, as in a game that has been running a while;
    // otherwise each figure would depend on when the allocator happens to hand pages back to the
    // system and fetch them again.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    std::vector<char*> args(argv, argv + argc);
    bool brief = false;
    std::string minTime = "--benchmark_min_time=0.001";
    for (auto it = args.begin() + 1; it != args.end();) {
        if (std::strcmp(*it, "--brief") == 0) {
            brief = true;
            it = args.erase(it);
        } else {
            ++it;
        }
    }
    if (brief) args.insert(args.begin() + 1, minTime.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;
    vz::bench::Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    vz::bench::PrintTable(vz::bench::Rows(collector.figures));
    if (collector.failed) {
        std::fprintf(stderr, "vudizid-bench: a benchmark failed (see above)\n");
        return 1;
    }
    return 0;
}
