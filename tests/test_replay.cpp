// Replays that play the real game headless from tests/replay/*.txt and check its state lines.
// A script line "#= key=value ..." holds the checks of the next "state" line (keys name the JSON
// fields: hero.x, carried[3], available[1][2]; "gone" means the program must have ended before
// it). Story flags that a step does not name must keep their value from the previous state line.
// The sound's lists (cues: the last frame's, heard: every cue since the previous state line) are
// checked as sets of names: "cues=sfx_take,sfx_find" (exactly these, in any order; "cues=" none),
// "heard~sfx_take" (holds all of these), "cues!~sfx_step_sand" (holds none of these).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Flat = std::map<std::string, std::string>;  // a number, a name, or a list of names joined by ","

const fs::path kBuild = VZ_BUILD_DIR;
const fs::path kScripts = fs::path(VZ_SOURCE_DIR) / "tests" / "replay";

// A small reader for the tool's JSON lines: objects, arrays, integers, booleans (as 1 and 0) and
// plain names, flattened into "hero.x" / "carried[3]" keys; a list of names stays one key.
class JsonFlattener {
public:
    explicit JsonFlattener(const std::string& text) : s_(text) {}
    bool Read(Flat& out) {
        Value(out, "");
        Skip();
        return ok_ && at_ == s_.size();
    }

private:
    void Skip() {
        while (at_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[at_]))) ++at_;
    }
    bool Eat(char c) {
        Skip();
        if (at_ < s_.size() && s_[at_] == c) return ++at_, true;
        return false;
    }
    void Value(Flat& out, const std::string& key) {
        Skip();
        if (!ok_ || at_ >= s_.size()) return void(ok_ = false);
        if (Eat('{')) {
            if (Eat('}')) return;
            do {
                if (!Eat('"')) return void(ok_ = false);
                const size_t end = s_.find('"', at_);
                if (end == std::string::npos) return void(ok_ = false);
                const std::string name = s_.substr(at_, end - at_);
                at_ = end + 1;
                if (!Eat(':')) return void(ok_ = false);
                Value(out, key.empty() ? name : key + "." + name);
            } while (ok_ && Eat(','));
            if (!Eat('}')) ok_ = false;
        } else if (Eat('[')) {
            if (Eat(']')) return void(out[key] = "");
            Skip();
            if (at_ < s_.size() && s_[at_] == '"') {
                std::string names;
                do names += (names.empty() ? "" : ",") + Name();
                while (ok_ && Eat(','));
                out[key] = names;
                if (!Eat(']')) ok_ = false;
                return;
            }
            int i = 0;
            do Value(out, key + "[" + std::to_string(i++) + "]");
            while (ok_ && Eat(','));
            if (!Eat(']')) ok_ = false;
        } else if (s_[at_] == '"') {
            out[key] = Name();
        } else if (s_.compare(at_, 4, "true") == 0 || s_.compare(at_, 5, "false") == 0) {
            out[key] = s_[at_] == 't' ? "1" : "0";
            at_ += s_[at_] == 't' ? 4 : 5;
        } else {
            size_t used = 0;
            try {
                out[key] = std::to_string(std::stoll(s_.substr(at_, 24), &used));
            } catch (...) {
                ok_ = false;
            }
            at_ += used;
        }
    }
    // A string without escapes, as the tool writes every name.
    std::string Name() {
        if (!Eat('"')) return ok_ = false, "";
        const size_t end = s_.find('"', at_);
        if (end == std::string::npos) return ok_ = false, "";
        std::string name = s_.substr(at_, end - at_);
        at_ = end + 1;
        return name;
    }
    const std::string& s_;
    size_t at_ = 0;
    bool ok_ = true;
};

std::set<std::string> Names(const std::string& list) {
    std::set<std::string> names;
    std::istringstream in(list);
    for (std::string name; std::getline(in, name, ',');)
        if (!name.empty()) names.insert(name);
    return names;
}

// One check of a field: equal to (as a set of names, which for a number is the number), holding
// all of, or holding none of the names given.
struct FieldCheck {
    enum How { Equal, Holds, HoldsNone } how = Equal;
    std::string value;

    bool Passes(const std::string& actual) const {
        const std::set<std::string> want = Names(value), have = Names(actual);
        switch (how) {
            case Equal: return want == have;
            case Holds: return std::includes(have.begin(), have.end(), want.begin(), want.end());
            case HoldsNone:
                for (const std::string& n : want)
                    if (have.count(n)) return false;
                return true;
        }
        return false;
    }
    std::string Describe() const { return (how == Equal ? "= " : how == Holds ? "~ " : "!~ ") + value; }
};

// The checks of one "state" line of a script.
struct Check {
    int line = 0;
    bool gone = false;
    std::map<std::string, FieldCheck> expected;
};

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<Check> ChecksOf(const std::string& script) {
    std::vector<Check> checks;
    Check pending;
    std::istringstream in(script);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream words(line);
        std::string w;
        words >> w;
        if (w == "#=") {
            while (words >> w) {
                const size_t at = w.find_first_of("=~!");
                if (w == "gone") {
                    pending.gone = true;
                    continue;
                }
                FieldCheck check;
                size_t value = at + 1;
                if (at != std::string::npos && w.compare(at, 2, "!~") == 0) {
                    check.how = FieldCheck::HoldsNone;
                    value = at + 2;
                } else if (at != std::string::npos && w[at] == '~') {
                    check.how = FieldCheck::Holds;
                } else if (at == std::string::npos || w[at] != '=') {
                    ADD_FAILURE() << "bad check '" << w << "' on line " << number;
                    continue;
                }
                check.value = w.substr(value);
                if (check.value == "true") check.value = "1";
                if (check.value == "false") check.value = "0";
                pending.expected[w.substr(0, at)] = check;
            }
        } else if (w == "state") {
            pending.line = number;
            checks.push_back(pending);
            pending = Check{};
        }
    }
    return checks;
}

// Story flags: every change of one of them must be named by the step's checks.
bool IsStoryFlag(const std::string& key) {
    static const std::set<std::string> roots = {"carried", "inScene", "takeable", "sceneScript",
                                                "present", "available", "raftComboItem", "noRaftMessageItem"};
    return roots.count(key.substr(0, key.find_first_of("[."))) != 0;
}

struct ReplayRun {
    int exitCode = -1;
    std::vector<Flat> states;
    std::string errors;
};

// A scratch working directory whose images/ holds links to the built pictures (no saved game).
class Scratch {
public:
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "vz-replay-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) dir = pattern;
        FreshImages();
    }
    ~Scratch() {
        std::error_code ec;
        if (!dir.empty()) fs::remove_all(dir, ec);
    }
    void FreshImages() {
        fs::remove_all(dir / "images");
        fs::create_directory(dir / "images");
        for (const auto& e : fs::directory_iterator(kBuild / "images"))
            if (e.path().filename() != "outro.sbf")
                fs::create_symlink(fs::absolute(e.path()), dir / "images" / e.path().filename());
    }
    // Runs the tool on `script` as it stands (a path in the scratch folder, or any path), bounded in
    // time: the exit code (124 when it had to be stopped) and what it wrote to standard error.
    std::pair<int, std::string> Run(const std::string& script) const {
        const std::string command = "cd '" + dir.string() + "' && timeout 20 '" +
                                    (kBuild / "vudizid-replay").string() + "' '" + script +
                                    "' >/dev/null 2>errors.txt";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(dir / "errors.txt")};
    }
    // Runs the tool on the script text; its shots go to build/shots.
    ReplayRun Replay(const std::string& script) const {
        ReplayRun run;
        std::ofstream(dir / "script.txt", std::ios::binary) << script;
        fs::create_directories(kBuild / "shots");
        const std::string command = "cd '" + dir.string() + "' && '" + (kBuild / "vudizid-replay").string() +
                                    "' --shots '" + (kBuild / "shots").string() + "' script.txt 2>errors.txt";
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) return run;
        std::string out;
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        const int status = pclose(pipe);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) {
            Flat f;
            EXPECT_TRUE(JsonFlattener(line).Read(f)) << "not a state line: " << line;
            run.states.push_back(f);
        }
        run.errors = ReadText(dir / "errors.txt");
        return run;
    }
    fs::path dir;
};

// Checks every state line of a run against the script's checks; `previous` is the state the run
// starts from for the story-flag comparison (empty: the first line is not compared).
void CheckRun(const ReplayRun& run, const std::string& script, const std::string& name, Flat previous = {}) {
    EXPECT_EQ(run.exitCode, 0) << name << ": " << run.errors;
    EXPECT_EQ(run.errors, "") << name;
    const std::vector<Check> checks = ChecksOf(script);
    size_t printed = 0;
    for (const Check& c : checks) printed += c.gone ? 0 : 1;
    ASSERT_EQ(run.states.size(), printed) << name << ": state lines printed (the program ends after the "
                                          << "last one expected)";
    for (size_t i = 0; i < run.states.size(); ++i) {
        const Flat& now = run.states[i];
        const Check& c = checks[i];
        EXPECT_FALSE(c.gone) << name << " line " << c.line << ": the program should have ended";
        for (const auto& [key, check] : c.expected) {
            auto it = now.find(key);
            ASSERT_NE(it, now.end()) << name << " line " << c.line << ": no field " << key;
            EXPECT_TRUE(check.Passes(it->second))
                << name << " line " << c.line << ": " << key << " is \"" << it->second << "\", wanted "
                << check.Describe();
        }
        if (!previous.empty()) {
            for (const auto& [key, value] : now)
                if (IsStoryFlag(key) && previous.at(key) != value && c.expected.count(key) == 0)
                    ADD_FAILURE() << name << " line " << c.line << ": " << key << " changed from " << previous.at(key)
                                  << " to " << value << " unasked";
        }
        previous = now;
    }
}

std::vector<std::string> ShotNames(const std::string& script) {
    std::vector<std::string> names;
    std::istringstream in(script);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("shot ", 0) == 0) names.push_back(line.substr(5));
    return names;
}

void ExpectShots(const std::string& script) {
    for (const std::string& n : ShotNames(script)) {
        const fs::path p = kBuild / "shots" / (n + ".png");
        EXPECT_TRUE(fs::exists(p) && fs::file_size(p) > 1000) << p;
    }
}

Flat StartUpState() {
    Scratch scratch;
    ReplayRun run = scratch.Replay("state\n");
    return run.states.empty() ? Flat{} : run.states[0];
}

// What is not a script, or not a sound one, gets a message naming the script (and the line where
// there is one) and exit code 2, without waiting and without reading without end.
TEST(Replay, ScriptsThatCannotBePlayedAreRefusedClearly) {
    Scratch scratch;
    const fs::path& d = scratch.dir;
    fs::create_directory(d / "folder");
    ASSERT_EQ(mkfifo((d / "fifo").c_str(), 0644), 0);
    std::ofstream(d / "huge.txt", std::ios::binary) << "wait 1\n#" << std::string(2u << 20, 'x') << "\n";
    std::ofstream(d / "wide.txt", std::ios::binary) << "wait 1\n\n#" << std::string(5000, 'x') << "\nwait 1\n";
    std::ofstream(d / "far.txt", std::ios::binary) << "wait 1\r\nwait 99999999999999999999\n";
    std::ofstream(d / "off.txt", std::ios::binary) << "# edge\nmove 1 100001\n";
    std::ofstream(d / "bad.txt", std::ios::binary) << "wait 1\rwait 2\rwait x\r";  // old Mac line ends
    const std::pair<const char*, const char*> cases[] = {
        {"folder", "folder: a folder, not a file"},
        {"fifo", "fifo: not a regular file"},
        {"/dev/zero", "/dev/zero: not a regular file"},
        {"huge.txt", "huge.txt: larger than"},
        {"missing.txt", "missing.txt: no such file"},
        {"wide.txt", "wide.txt:3: line longer than 1000 characters"},
        {"far.txt", "far.txt:2: wait N: 99999999999999999999 is out of range (0..10000000)"},
        {"off.txt", "off.txt:2: move X Y: 100001 is out of range"},
        {"bad.txt", "bad.txt:3: wait N: 'x' is not a number"},
    };
    for (const auto& [script, message] : cases) {
        const auto [code, errors] = scratch.Run(script);
        EXPECT_EQ(code, 2) << script << ": " << errors;
        EXPECT_NE(errors.find(message), std::string::npos) << script << ": " << errors;
    }
    // The same script with old Mac line ends plays as with any other.
    const ReplayRun mac = scratch.Replay("wait 1\rclick 512 430\r\rstate");
    EXPECT_EQ(mac.exitCode, 0) << mac.errors;
    ASSERT_EQ(mac.states.size(), 1u);
    EXPECT_EQ(mac.states[0].at("state"), "4");  // the start button was pressed
}

TEST(Replay, WalksThroughAllSevenScenesByTheirExits) {
    const std::string script = ReadText(kScripts / "scenes_walk.txt");
    for (const std::string& n : ShotNames(script)) fs::remove(kBuild / "shots" / (n + ".png"));
    Scratch scratch;
    const ReplayRun run = scratch.Replay(script);
    CheckRun(run, script, "scenes_walk", StartUpState());
    std::set<std::string> seen;
    for (const Flat& s : run.states) seen.insert(s.at("location"));
    EXPECT_EQ(seen.size(), 7u);
    ExpectShots(script);
}

TEST(Replay, FootfallsKeepStepWithTheWalkAndFailedCombinationsAreHeard) {
    const std::string script = ReadText(kScripts / "sounds.txt");
    Scratch scratch;
    CheckRun(scratch.Replay(script), script, "sounds", StartUpState());
}

TEST(Replay, KeysAlonePlayAndTheStateLineShowsTheHintOnScreen) {
    const std::string script = ReadText(kScripts / "keys_and_hints.txt");
    Scratch scratch;
    CheckRun(scratch.Replay(script), script, "keys_and_hints", StartUpState());
    ExpectShots(script);
}

TEST(Replay, TitleButtonsLightUpAndQuitEndsTheGame) {
    const std::string script = ReadText(kScripts / "title_buttons.txt");
    Scratch scratch;
    CheckRun(scratch.Replay(script), script, "title_buttons");
    ExpectShots(script);
}

TEST(Replay, PlaysTheStoryToTheEndAndAgainFromTheSavedGame) {
    const std::string first = ReadText(kScripts / "story_first_half.txt");
    const std::string second = ReadText(kScripts / "story_second_half.txt");
    const std::string load = ReadText(kScripts / "story_load.txt");
    ASSERT_FALSE(first.empty() || second.empty() || load.empty());
    for (const std::string& n : ShotNames(first + second)) fs::remove(kBuild / "shots" / (n + ".png"));
    Scratch scratch;

    // The first run saves in the middle and plays on to the end.
    const ReplayRun whole = scratch.Replay(first + second);
    CheckRun(whole, first + second, "whole story", StartUpState());
    ExpectShots(first + second);
    const fs::path saved = scratch.dir / "images" / "outro.sbf";
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_EQ(fs::file_size(saved), 420u);
    const size_t savedAt = ChecksOf(first).size() - 1;
    ASSERT_LT(savedAt, whole.states.size());
    const Flat atSave = whole.states[savedAt];
    std::set<std::string> seen;
    for (const Flat& s : whole.states) seen.insert(s.at("location"));
    EXPECT_EQ(seen.size(), 7u) << "every scene is visited on the way";

    // The second run loads that save from the title screen, in the same folder with fresh pictures.
    const std::string savedBytes = ReadText(saved);
    scratch.FreshImages();
    std::ofstream(saved, std::ios::binary) << savedBytes;
    const ReplayRun loaded = scratch.Replay(load + second);
    ASSERT_FALSE(loaded.states.empty());
    const Flat& afterLoad = loaded.states[0];
    for (const auto& [key, value] : atSave) {
        const bool restored = IsStoryFlag(key) || key == "location" || key == "hero.x" || key == "hero.y" ||
                              key == "hero.facing" || key == "hero.targetX" || key == "hero.targetY";
        // The hero stands where he was saved; flags outside the saved game still hold their
        // start-up values at this point of the story, so every flag must match.
        if (restored) {
            EXPECT_EQ(afterLoad.at(key), value) << "after loading: " << key;
        }
    }
    CheckRun(loaded, load + second, "loaded story", atSave);
}

}  // namespace
