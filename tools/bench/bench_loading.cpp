// Loading benchmarks: start-up to the first frame, all pictures against plain reads, the whole story.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "bench.h"
#include "shell/replay.h"
#include "world/location.h"

namespace vz::bench {

namespace {

namespace fs = std::filesystem;

// A headless platform that notes every file the game reads.
class RecordingPlatform : public HeadlessPlatform {
public:
    bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) override {
        paths.insert(path);
        return HeadlessPlatform::ReadWholeFile(path, bytes, maxBytes);
    }
    bool ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head, const PlaceBody& place,
                     size_t& bodyBytes) override {
        paths.insert(path);
        return HeadlessPlatform::ReadInPlace(path, maxBytes, head, place, bodyBytes);
    }
    std::set<std::string> paths;
};

// Every picture the game reads: start-up's, and each scene's background and walk mask.
void LoadEverything(Game& game, Platform& platform) {
    StartUp(game, platform);
    for (int scene = 0; scene < kLocationCount; ++scene) LoadLocation(game.world.location, platform, scene);
}

const std::vector<std::string>& PictureFiles() {
    static const std::vector<std::string> files = [] {
        RecordingPlatform recorder;
        auto game = std::make_unique<Game>();
        LoadEverything(*game, recorder);
        return std::vector<std::string>(recorder.paths.begin(), recorder.paths.end());
    }();
    return files;
}

void StartUpToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto platform = std::make_unique<HeadlessPlatform>();
        platform->keepFrames = false;
        auto game = std::make_unique<Game>();
        state.ResumeTiming();
        StartUp(*game, *platform);
        RunFrame(*game, *platform, false);
        state.PauseTiming();
        if (platform->PresentCount() != 1 || !game->title.background.filled)
            state.SkipWithError("no title picture shown: are the pictures built?");
        game.reset();
        platform.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(StartUpToFirstFrame)->Unit(benchmark::kMillisecond);

// The same from a cold start: vudizid-replay as a new process, from exec to its end after the
// first frame, with libraries loaded and every page of the pictures fetched anew.
void StartUpNewProcess(benchmark::State& state) {
    const fs::path script = fs::temp_directory_path() / ("vz-bench-first-frame-" + std::to_string(::getpid()));
    std::ofstream(script) << "wait 1\n";
    const std::string program = (fs::current_path() / "vudizid-replay").string();
    const std::string scriptPath = script.string();
    char* args[] = {const_cast<char*>(program.c_str()), const_cast<char*>(scriptPath.c_str()), nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, args, environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("vudizid-replay did not start and end cleanly");
            break;
        }
    }
    fs::remove(script);
}
BENCHMARK(StartUpNewProcess)->Unit(benchmark::kMillisecond);

void LoadAllPictures(benchmark::State& state) {
    HeadlessPlatform platform;
    for (auto _ : state) {
        state.PauseTiming();
        auto game = std::make_unique<Game>();
        state.ResumeTiming();
        LoadEverything(*game, platform);
        state.PauseTiming();
        game.reset();
        state.ResumeTiming();
    }
    state.counters["files"] = static_cast<double>(PictureFiles().size());
}
BENCHMARK(LoadAllPictures)->Unit(benchmark::kMillisecond);

// The yardstick: the same files, each read with one plain read into fresh memory of its own, all
// kept until the last is read, as the game keeps its pictures.
void PlainReadAll(benchmark::State& state) {
    const std::vector<std::string>& files = PictureFiles();
    size_t total = 0;
    for (auto _ : state) {
        total = 0;
        std::vector<std::unique_ptr<uint8_t[]>> kept;
        kept.reserve(files.size());
        for (const std::string& path : files) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            struct stat st {};
            if (fd < 0 || ::fstat(fd, &st) != 0) {
                state.SkipWithError(("cannot read " + path).c_str());
                if (fd >= 0) ::close(fd);
                break;
            }
            kept.emplace_back(new uint8_t[static_cast<size_t>(st.st_size)]);
            const ssize_t n = ::read(fd, kept.back().get(), static_cast<size_t>(st.st_size));
            ::close(fd);
            total += n > 0 ? static_cast<size_t>(n) : 0;
            benchmark::DoNotOptimize(kept.back().get());
        }
        state.PauseTiming();
        kept.clear();
        state.ResumeTiming();
    }
    state.counters["files"] = static_cast<double>(files.size());
    state.counters["MB"] = static_cast<double>(total) / 1e6;
}
BENCHMARK(PlainReadAll)->Unit(benchmark::kMillisecond);

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A working folder beside the build whose images/ links to the built pictures, so the story's
// saved game lands there and not among the pictures.
class ScratchFolder {
public:
    ScratchFolder() {
        const fs::path build = fs::current_path();
        dir_ = fs::temp_directory_path() / ("vz-bench-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "images");
        for (const auto& e : fs::directory_iterator(build / "images"))
            if (e.path().filename() != "outro.sbf") fs::create_symlink(fs::absolute(e.path()), dir_ / "images" / e.path().filename());
        fs::current_path(dir_);
        back_ = build;
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::current_path(back_, ec);
        fs::remove_all(dir_, ec);
    }

private:
    fs::path dir_, back_;
};

// The whole story from the title screen to the program's own end, through the real input path and
// unpaced, as the replay test plays it.
void StoryReplay(benchmark::State& state) {
    const fs::path folder = ReplayScriptFolder();
    std::vector<ReplayCommand> commands;
    ParseError error;
    if (!ParseReplayScript(ReadText(folder / "story_first_half.txt") + ReadText(folder / "story_second_half.txt"),
                           commands, error)) {
        state.SkipWithError(("cannot read the story's replay scripts in " + folder.string()).c_str());
        return;
    }
    ScratchFolder scratch;
    int64_t frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove("images/outro.sbf");
        auto platform = std::make_unique<HeadlessPlatform>();  // keeping every frame, as vudizid-replay does
        auto game = std::make_unique<Game>();
        StartUp(*game, *platform);
        state.ResumeTiming();
        for (const ReplayCommand& c : commands) {
            if (c.kind == CommandKind::Shot || c.kind == CommandKind::State) continue;
            for (const RawInput& f : FramesFor(c, game->world.input.mouseX, game->world.input.mouseY)) {
                platform->SetFrameInput(f);
                RunFrame(*game, *platform, false);
                if (game->quitRequested) break;
            }
            if (game->quitRequested) break;
        }
        state.PauseTiming();
        frames += game->frames;
        if (!game->quitRequested || game->creditsCounter < kEndingFrames)
            state.SkipWithError("the story did not play to its end");
        game.reset();
        platform.reset();
        state.ResumeTiming();
    }
    state.counters["frames"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kAvgIterations);
}
BENCHMARK(StoryReplay)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace vz::bench
