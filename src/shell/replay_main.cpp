// vudizid-replay [--shots DIR] SCRIPT: plays the game headless from a script, unpaced.
#include <cstdio>
#include <iostream>
#include <memory>

#include "platform/headless/headless_platform.h"
#include "platform/signals.h"
#include "shell/game.h"
#include "shell/replay.h"

namespace {

int Replay(int argc, char** argv) {
    using namespace vz;
    std::string shots = ".";
    std::string scriptPath;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--shots" && i + 1 < argc) {
            shots = argv[++i];
        } else if (scriptPath.empty() && !a.empty() && a[0] != '-') {
            scriptPath = a;
        } else {
            std::fprintf(stderr, "usage: vudizid-replay [--shots DIR] SCRIPT\n");
            return 2;
        }
    }
    if (scriptPath.empty()) {
        std::fprintf(stderr, "usage: vudizid-replay [--shots DIR] SCRIPT\n");
        return 2;
    }
    // Read as the game reads its files: only a regular file, without waiting on a FIFO or a device.
    Files files;
    std::vector<uint8_t> bytes;
    if (!files.ReadWholeFile(scriptPath, bytes, kMaxReplayScriptBytes)) {
        std::fprintf(stderr, "vudizid-replay: cannot read the script %s: %s\n", scriptPath.c_str(),
                     WhyUnreadable(scriptPath, kMaxReplayScriptBytes).c_str());
        return 2;
    }
    std::vector<ReplayCommand> commands;
    ParseError error;
    if (!ParseReplayScript(std::string(bytes.begin(), bytes.end()), commands, error)) {
        if (error.line > 0)
            std::fprintf(stderr, "%s:%d: %s\n", scriptPath.c_str(), error.line, error.message.c_str());
        else
            std::fprintf(stderr, "%s: %s\n", scriptPath.c_str(), error.message.c_str());
        return 2;
    }

    HeadlessPlatform platform;
    platform.echoReports = true;  // a picture or a save that cannot be read is named, as the game does
    if (!platform.DirectoryExists("images")) {
        std::fprintf(stderr, "vudizid-replay: the folder \"images\" is missing from the working directory\n");
        return 1;
    }
    auto game = std::make_unique<Game>();
    StartUp(*game, platform);
    size_t noticesSeen = 0;
    for (const ReplayCommand& c : commands) {
        if (c.kind == CommandKind::Shot) {
            const std::string path = shots + "/" + c.name + ".png";
            if (!WritePng(platform.LastFrame(), path))
                std::fprintf(stderr, "vudizid-replay: line %d: cannot write %s\n", c.line, path.c_str());
            continue;
        }
        if (c.kind == CommandKind::State) {
            std::cout << StateJson(*game, platform.SoundFrames()) << std::endl;
            platform.ForgetSounds();
            continue;
        }
        const std::vector<RawInput> frames = FramesFor(c, game->world.input.mouseX, game->world.input.mouseY);
        for (const RawInput& f : frames) {
            platform.SetFrameInput(f);
            RunFrame(*game, platform, false);
            for (; noticesSeen < platform.notices.size(); ++noticesSeen)
                std::fprintf(stderr, "notice: %s\n", platform.notices[noticesSeen].c_str());
            if (game->quitRequested) return 0;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // As in the game: a quit signal ends the replay at the end of a frame, never inside a save.
    vz::InstallQuitSignals();
    const int code = Replay(argc, argv);
    vz::EndByQuitSignal();
    return code;
}
