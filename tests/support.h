// Shared helpers of the tests: files kept in memory (with faults on demand) and small pictures.
#pragma once

#include <filesystem>
#include <functional>
#include <fstream>
#include <initializer_list>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/headless/headless_platform.h"
#include "platform/sbf.h"
#include "shell/game.h"

namespace vz::test {

// An SBF file's bytes: header (unused word, first dimension, second dimension) and pixels.
inline std::vector<uint8_t> SbfBytes(int32_t first, int32_t second, const std::vector<uint16_t>& pixels,
                                     uint32_t unused = 0) {
    std::vector<uint8_t> b;
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    put32(unused);
    put32(static_cast<uint32_t>(first));
    put32(static_cast<uint32_t>(second));
    for (uint16_t p : pixels) {
        b.push_back(static_cast<uint8_t>(p & 0xFF));
        b.push_back(static_cast<uint8_t>(p >> 8));
    }
    return b;
}

// A 1024 x 768 mask picture: walkable (white) everywhere but where `blocked` says.
template <typename Blocked>
std::vector<uint8_t> MaskPicture(Blocked blocked) {
    std::vector<uint16_t> px(1024 * 768, 0xFFFF);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x)
            if (blocked(x, y)) px[static_cast<size_t>(y) * 1024 + x] = 0x0000;
    return SbfBytes(1024, 768, px);
}

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vz-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
        dir_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    // Writes a file into the folder; tells its path.
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        WriteAt(Path(name), bytes);
        return Path(name);
    }
    static void WriteAt(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    // Lets anyone make and rename files in the folder, as an ordinary user's test needs.
    void OpenToEveryone() const { ::chmod(dir_.c_str(), 0777); }

private:
    std::filesystem::path dir_;
};

// Runs `body` in a child process as an ordinary user, for whom the system enforces permissions:
// when the tests run as root (as CI does), the child becomes the nobody account. True when `body`
// returned true; a body that waits for ever ends by an alarm after 20 s, and counts as false.
inline bool AsOrdinaryUser(const std::function<bool()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(20);
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            _exit(3);
        _exit(body() ? 0 : 1);
    }
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Makes a file or folder out of an ordinary user's reach: owned by root and closed to others when
// the tests run as root, else closed to its own owner too.
inline void OutOfReach(const std::string& path, mode_t rootMode = 0600) {
    ::chmod(path.c_str(), ::geteuid() == 0 ? rootMode : 0);
}

// A headless platform whose files live in memory; writes can be made to fail.
class MemoryPlatform : public HeadlessPlatform {
public:
    std::map<std::string, std::vector<uint8_t>> files;
    bool failCreate = false;  // the folder cannot be written
    bool failWrite = false;   // the disk fills up half-way through
    // Files that are there but cannot be read (someone else's), each with the system's reason.
    std::map<std::string, std::string> unreadable;
    bool failMoveAside = false;  // the folder lets nothing be renamed

    bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) override {
        auto it = files.find(path);
        if (it == files.end() || it->second.size() > maxBytes || unreadable.count(path)) return false;
        bytes = it->second;
        return true;
    }
    bool ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head, const PlaceBody& place,
                     size_t& bodyBytes) override {
        return ReadInPlaceFromWholeFile(path, maxBytes, head, place, bodyBytes);
    }
    WriteResult ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes) override {
        if (failCreate) {
            writeProblem = "Read-only file system";
            return WriteResult::CannotCreate;
        }
        if (failWrite) {  // the old file stays as it was
            writeProblem = "No space left on device";
            return WriteResult::WriteFailed;
        }
        files[path] = bytes;
        unreadable.erase(path);
        return WriteResult::Ok;
    }
    bool DirectoryExists(const std::string&) override { return true; }
    bool FileExists(const std::string& path) override { return files.count(path) != 0 || unreadable.count(path) != 0; }
    FileCheck CheckFile(const std::string& path) override {
        if (auto it = unreadable.find(path); it != unreadable.end()) return {FileCheck::Unreadable, it->second};
        return {files.count(path) ? FileCheck::Readable : FileCheck::Missing, ""};
    }
    std::string MoveAside(const std::string& path, const std::string& suffix) override {
        if (failMoveAside) {
            writeProblem = "Permission denied";
            return {};
        }
        std::string aside = path + suffix;
        for (int n = 2; files.count(aside) || unreadable.count(aside); ++n) aside = path + suffix + "-" + std::to_string(n);
        if (auto it = unreadable.find(path); it != unreadable.end()) {
            unreadable[aside] = it->second;
            unreadable.erase(it);
        }
        if (auto it = files.find(path); it != files.end()) {
            files[aside] = it->second;
            files.erase(it);
        }
        return aside;
    }
};

// A started game without pictures (every picture is simply not seen).
inline std::unique_ptr<Game> StartedGame(Platform& platform) {
    auto game = std::make_unique<Game>();
    StartUp(*game, platform);
    return game;
}

// Runs one frame with the given input.
inline void Frame(Game& game, HeadlessPlatform& platform, RawInput input = {}) {
    platform.SetFrameInput(input);
    RunFrame(game, platform, false);
}

// Moves the pointer to (x, y) in one frame.
inline void MoveTo(Game& game, HeadlessPlatform& platform, int x, int y) {
    RawInput r;
    r.dx = x - game.world.input.mouseX;
    r.dy = y - game.world.input.mouseY;
    Frame(game, platform, r);
}

// A left click where the pointer is, then enough quiet frames for the cooldown.
inline void ClickHere(Game& game, HeadlessPlatform& platform) {
    RawInput r;
    r.left = true;
    Frame(game, platform, r);
    for (int i = 0; i < 5; ++i) Frame(game, platform);
}

// ---- Driving the story: real pictures, scenes, verbs and what a frame shows ----

// Copies pictures of the real game (built into images/ below the working directory) into memory;
// tells how many of them were found.
inline int UseRealPictures(MemoryPlatform& platform, std::initializer_list<const char*> paths) {
    Files disk;
    int found = 0;
    for (const char* path : paths) {
        std::vector<uint8_t> bytes;
        if (disk.ReadWholeFile(path, bytes, kMaxPictureFileBytes)) {
            platform.files[path] = bytes;
            ++found;
        }
    }
    return found;
}

inline RawInput LeftButton() {
    RawInput r;
    r.left = true;
    return r;
}

// Moves to (x, y) and clicks there, followed by the quiet frames of the cooldown.
inline void ClickAt(Game& game, HeadlessPlatform& platform, int x, int y) {
    MoveTo(game, platform, x, y);
    ClickHere(game, platform);
}

// Presses the title's Start button: the ship scene in Play.
inline void StartNewGame(Game& game, HeadlessPlatform& platform) { ClickAt(game, platform, 512, 430); }

// Puts the hero into scene `index`, standing at (x, y), as if he had walked in.
inline void EnterScene(Game& game, Files& files, int index, int x = 450, int y = 300) {
    game.world.locationIndex = index;
    LoadLocation(game.world.location, files, index);
    game.world.hero.x = game.world.hero.targetX = x;
    game.world.hero.y = game.world.hero.targetY = y;
}

inline void SetVerb(Game& game, int verb) { game.world.cursor.verb = game.world.cursor.shownImage = verb; }

// Runs quiet frames until `done` holds; the number of frames run, or -1 when it never held.
template <typename Done>
int RunUntil(Game& game, HeadlessPlatform& platform, Done done, int maxFrames = 1000) {
    for (int n = 0; n < maxFrames; ++n) {
        if (done()) return n;
        Frame(game, platform);
    }
    return done() ? maxFrames : -1;
}

// True when `text` drawn at (x, y) is already on the frame: drawing it again changes no pixel.
inline bool TextShown(const Surface& frame, const Fonts& fonts, int x, int y, const char* text,
                      bool multiLine = false, bool centred = false) {
    if (!fonts.atlas[0].filled) throw std::runtime_error("no font: run the tests in the build folder");
    Surface again = frame;
    if (centred)
        DrawBitmapTextCentred(x, y, multiLine, 0, again, text, fonts);
    else
        DrawBitmapText(x, y, multiLine, 0, again, text, fonts);
    return again.pixels == frame.pixels;
}

// A new game in the ship scene, on files in memory with the real fonts and any other real pictures.
struct Session {
    MemoryPlatform platform;
    int pictures;
    std::unique_ptr<Game> game;
    World& w;
    Story& s;

    explicit Session(std::initializer_list<const char*> more = {})
        : pictures(UseRealPictures(platform, {"images/text.sbf", "images/text1.sbf"}) +
                   UseRealPictures(platform, more)),
          game(StartedGame(platform)),
          w(game->world),
          s(game->story) {
        StartNewGame(*game, platform);
    }
    void Click(int x, int y) { ClickAt(*game, platform, x, y); }
    void Quiet(int frames = kClickCooldownFrames) {
        for (int i = 0; i < frames; ++i) Frame(*game, platform);
    }
    void Hold(int item) {
        w.carried[item] = 1;
        s.heldItem = item;
    }
    template <typename Done>
    int Until(Done done, int maxFrames = 1000) { return RunUntil(*game, platform, done, maxFrames); }
    int UntilState(GameState state) { return Until([&] { return w.state == state; }); }
    bool Shows(int x, int y, const char* text, bool multiLine = false, bool centred = false) {
        return TextShown(platform.LastFrame(), w.fonts, x, y, text, multiLine, centred);
    }
};

}  // namespace vz::test
