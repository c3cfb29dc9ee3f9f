// The replay script language and the game's state as JSON.
#include "shell/replay.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "platform/arrows.h"

namespace vz {

namespace {

constexpr int kMaxCoordinate = 100000;
constexpr int kMaxFrames = 10000000;

enum class Number { Ok, NotANumber, OutOfRange };

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

// Reads a whole word as an integer of lo..hi. A number too large even for 64 bits is out of
// range as well, not "not a number".
Number ToInt(const std::string& s, int lo, int hi, int& out) {
    long long v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (end != s.data() + s.size() || (ec != std::errc() && ec != std::errc::result_out_of_range))
        return Number::NotANumber;
    if (ec == std::errc::result_out_of_range || v < lo || v > hi) return Number::OutOfRange;
    out = static_cast<int>(v);
    return Number::Ok;
}

// Reads the number a command needs; false with the reason, naming `what` the command wants.
bool NumberArgument(const std::string& word, int lo, int hi, int& out, const std::string& what, std::string& why) {
    switch (ToInt(word, lo, hi, out)) {
        case Number::Ok: return true;
        case Number::NotANumber: why = what + ": '" + word + "' is not a number"; return false;
        case Number::OutOfRange:
            why = what + ": " + word + " is out of range (" + std::to_string(lo) + ".." + std::to_string(hi) + ")";
            return false;
    }
    return false;
}

bool ValidShotName(const std::string& name) {
    if (name.empty() || name.size() > 100) return false;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                        c == '_' || c == '.';
        if (!ok) return false;
    }
    return name != "." && name != "..";
}

bool KnownKey(const std::string& name) {
    std::istringstream keys(kReplayKeys);
    std::string k;
    while (keys >> k)
        if (k == name) return true;
    return false;
}

// What the game reads while the key is down; the arrows are motion, made frame by frame below.
RawInput KeyHeld(const std::string& name) {
    RawInput r;
    if (name == "tab") r.tab = true;
    if (name == "shift-tab") r.backTab = true;
    if (name == "enter") r.enter = true;
    if (name == "escape") r.escape = true;
    if (name == "space") r.hotspots = true;
    if (name == "backspace") r.right = true;  // the keyboard's right button
    if (name == "h") r.hint = true;
    if (name == "i") r.inventory = true;
    if (name == "t") r.textPace = true;
    return r;
}

// Parses one non-empty, non-comment line.
bool ParseLine(const std::vector<std::string>& w, ReplayCommand& c, std::string& why) {
    const std::string& verb = w[0];
    auto point = [&](size_t at, const std::string& what) {
        if (w.size() == at) return true;
        c.hasPoint = true;
        return NumberArgument(w[at], -kMaxCoordinate, kMaxCoordinate, c.x, what, why) &&
               NumberArgument(w[at + 1], -kMaxCoordinate, kMaxCoordinate, c.y, what, why);
    };
    if (verb == "move") {
        c.kind = CommandKind::Move;
        if (w.size() != 3) return why = "move needs X Y", false;
        if (!point(1, "move X Y")) return false;
    } else if (verb == "click" || verb == "rclick") {
        c.kind = verb == "click" ? CommandKind::Click : CommandKind::RightClick;
        if (w.size() != 1 && w.size() != 3) return why = verb + " takes X Y or nothing", false;
        if (!point(1, verb + " X Y")) return false;
    } else if (verb == "tap" || verb == "longpress") {
        c.kind = verb == "tap" ? CommandKind::Tap : CommandKind::LongPress;
        if (w.size() != 3) return why = verb + " needs X Y", false;
        if (!point(1, verb + " X Y")) return false;
    } else if (verb == "enter" || verb == "escape" || verb == "state") {
        c.kind = verb == "enter" ? CommandKind::Enter : verb == "escape" ? CommandKind::Escape : CommandKind::State;
        if (w.size() != 1) return why = verb + " takes nothing", false;
    } else if (verb == "hold") {
        c.kind = CommandKind::Hold;
        if (w.size() != 3) return why = "hold needs left|right|enter|hotspot N", false;
        if (w[1] == "left") c.hold = HoldWhat::Left;
        else if (w[1] == "right") c.hold = HoldWhat::Right;
        else if (w[1] == "enter") c.hold = HoldWhat::Enter;
        else if (w[1] == "hotspot") c.hold = HoldWhat::Hotspot;
        else return why = "hold needs left|right|enter|hotspot N", false;
        if (!NumberArgument(w[2], 0, kMaxFrames, c.count, "hold's frame count", why)) return false;
    } else if (verb == "key") {
        c.kind = CommandKind::Key;
        c.count = 1;
        if (w.size() != 2 && w.size() != 3) return why = "key needs NAME or NAME N", false;
        if (!KnownKey(w[1])) return why = "key: '" + w[1] + "' is not one of: " + kReplayKeys, false;
        c.name = w[1];
        if (w.size() == 3 && !NumberArgument(w[2], 1, kMaxFrames, c.count, "key's frame count", why)) return false;
    } else if (verb == "wait") {
        c.kind = CommandKind::Wait;
        if (w.size() != 2) return why = "wait needs N", false;
        if (!NumberArgument(w[1], 0, kMaxFrames, c.count, "wait N", why)) return false;
    } else if (verb == "shot") {
        c.kind = CommandKind::Shot;
        if (w.size() != 2 || !ValidShotName(w[1])) return why = "shot needs a plain NAME", false;
        c.name = w[1];
    } else {
        return why = "unknown command '" + verb + "'", false;
    }
    return true;
}

void Json(std::ostream& o, const char* key, int64_t v, bool comma = true) {
    o << '"' << key << "\":" << v << (comma ? "," : "");
}

// A game text inside a JSON string: its quotes and backslashes escaped, control bytes left out.
std::string JsonText(const char* text) {
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '"' || *p == '\\') out.push_back('\\');
        if (static_cast<unsigned char>(*p) >= 0x20) out.push_back(*p);
    }
    return out;
}

void JsonNames(std::ostream& o, const char* key, const std::vector<Cue>& cues) {
    o << '"' << key << "\":[";
    for (size_t i = 0; i < cues.size(); ++i) o << (i ? "," : "") << '"' << CueName(cues[i]) << '"';
    o << ']';
}

template <typename Array, typename Get>
void JsonArray(std::ostream& o, const char* key, const Array& a, Get get) {
    o << '"' << key << "\":[";
    for (size_t i = 0; i < a.size(); ++i) o << (i ? "," : "") << get(a[i], i);
    o << "],";
}

}  // namespace

bool ParseReplayScript(const std::string& text, std::vector<ReplayCommand>& commands, ParseError& error) {
    if (text.size() > kMaxReplayScriptBytes) {
        error = {0, "the script is larger than " + std::to_string(kMaxReplayScriptBytes) + " bytes"};
        return false;
    }
    int number = 0;
    // Lines end in "\n", "\r\n" or a lone "\r" (old Mac files).
    for (size_t at = 0; at < text.size();) {
        ++number;
        const size_t end = std::min(text.find_first_of("\r\n", at), text.size());
        if (end - at > kMaxReplayLineLength) {
            error = {number, "line longer than " + std::to_string(kMaxReplayLineLength) + " characters"};
            return false;
        }
        const std::string line = text.substr(at, end - at);
        at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        const std::vector<std::string> w = Words(line);
        if (w.empty() || w[0][0] == '#') continue;
        ReplayCommand c;
        c.line = number;
        std::string why;
        if (!ParseLine(w, c, why)) {
            error = {number, why};
            return false;
        }
        commands.push_back(c);
    }
    return true;
}

std::vector<RawInput> FramesFor(const ReplayCommand& c, int mouseX, int mouseY) {
    ReplayTouch none;
    return FramesFor(c, mouseX, mouseY, none);
}

std::vector<RawInput> FramesFor(const ReplayCommand& c, int mouseX, int mouseY, ReplayTouch& touch) {
    std::vector<RawInput> frames;
    auto moveTo = [&](int x, int y) {
        RawInput r;
        r.dx = x - mouseX;
        r.dy = y - mouseY;
        frames.push_back(r);
    };
    auto press = [&](RawInput held, int count) {
        for (int i = 0; i < count; ++i) frames.push_back(held);
        frames.push_back(RawInput{});
    };
    // A finger comes down (the pointer under it), then is let go at once (a tap) or after half a
    // second (a long press), as the platform's gestures report them.
    auto finger = [&](bool tap) {
        touch = {true, c.x, c.y};
        RawInput down;
        down.placed = true;
        down.x = c.x;
        down.y = c.y;
        frames.push_back(down);
        RawInput up = down;
        (tap ? up.left : up.right) = true;
        frames.push_back(up);
        frames.insert(frames.end(), 5, RawInput{});
    };
    RawInput held;
    switch (c.kind) {
        case CommandKind::Tap:
        case CommandKind::LongPress:
            finger(c.kind == CommandKind::Tap);
            break;
        case CommandKind::Move:
            moveTo(c.x, c.y);
            break;
        case CommandKind::Click:
        case CommandKind::RightClick:
            if (c.hasPoint) moveTo(c.x, c.y);
            (c.kind == CommandKind::Click ? held.left : held.right) = true;
            frames.push_back(held);
            frames.insert(frames.end(), 5, RawInput{});
            break;
        case CommandKind::Enter:
            held.enter = true;
            frames.push_back(held);
            frames.insert(frames.end(), 5, RawInput{});
            break;
        case CommandKind::Hold:
            held.left = c.hold == HoldWhat::Left;
            held.right = c.hold == HoldWhat::Right;
            held.enter = c.hold == HoldWhat::Enter;
            held.hotspots = c.hold == HoldWhat::Hotspot;
            // The hotspot key only draws, so no frame of letting go follows: a shot right after
            // the hold shows what it drew.
            if (held.hotspots)
                frames.insert(frames.end(), static_cast<size_t>(c.count), held);
            else
                press(held, c.count);
            break;
        case CommandKind::Escape:
            held.escape = true;
            frames.push_back(held);
            break;
        case CommandKind::Wait:
            frames.insert(frames.end(), static_cast<size_t>(c.count), RawInput{});
            break;
        case CommandKind::Key: {
            // Down for its frames (the arrows gliding faster as the platforms make them), then up.
            held = KeyHeld(c.name);
            ArrowPointer arrows;
            for (int i = 0; i < c.count; ++i) {
                RawInput r = held;
                arrows.Step(c.name == "left", c.name == "right", c.name == "up", c.name == "down", r.dx, r.dy);
                frames.push_back(r);
            }
            if (!held.escape) frames.push_back(RawInput{});
            break;
        }
        case CommandKind::Shot:
        case CommandKind::State:
            break;
    }
    const bool mouse = c.kind == CommandKind::Move || c.kind == CommandKind::Click ||
                       c.kind == CommandKind::RightClick ||
                       (c.kind == CommandKind::Hold && (c.hold == HoldWhat::Left || c.hold == HoldWhat::Right));
    if (mouse) touch.active = false;
    for (RawInput& f : frames) {
        f.touch = touch.active;
        f.touchStartX = touch.active ? touch.startX : -1;
        f.touchStartY = touch.active ? touch.startY : -1;
    }
    return frames;
}

std::string StateJson(const Game& game, const std::deque<SoundFrame>& frames) {
    const World& w = game.world;
    const Story& s = game.story;
    std::ostringstream o;
    o << '{';
    Json(o, "frame", game.frames);
    Json(o, "state", static_cast<int>(w.state));
    o << "\"quit\":" << (game.quitRequested ? "true" : "false") << ',';
    Json(o, "location", w.locationIndex);
    o << "\"mouse\":[" << w.input.mouseX << ',' << w.input.mouseY << "],";
    Json(o, "verb", w.cursor.verb);
    Json(o, "shownImage", w.cursor.shownImage);
    Json(o, "heldItem", s.heldItem);
    o << "\"hero\":{";
    Json(o, "x", w.hero.x);
    Json(o, "y", w.hero.y);
    Json(o, "targetX", w.hero.targetX);
    Json(o, "targetY", w.hero.targetY);
    Json(o, "facing", w.hero.facing, false);
    o << "},\"message\":{";
    Json(o, "kind", s.messageKind);
    Json(o, "subject", s.messageSubject);
    Json(o, "timer", s.messageTimer);
    Json(o, "person", s.personMessage, false);
    o << "},";
    Json(o, "selectedChoice", s.selectedChoice);
    Json(o, "talkFrame", s.talkFrame);
    JsonArray(o, "carried", w.carried, [](uint8_t v, size_t) { return int(v); });
    JsonArray(o, "inScene", w.objects, [](const WorldObject& ob, size_t) { return int(ob.inScene); });
    JsonArray(o, "takeable", w.objects, [](const WorldObject& ob, size_t) { return int(ob.takeable); });
    JsonArray(o, "sceneScript", w.objects, [](const WorldObject& ob, size_t) { return int(ob.sceneScript); });
    JsonArray(o, "present", w.persons, [](const Person& p, size_t) { return int(p.present); });
    o << "\"available\":[";
    for (size_t t = 0; t < s.trees.size(); ++t) {
        o << (t ? "," : "") << '[';
        for (int c = 0; c < s.trees[t].choiceCount; ++c) o << (c ? "," : "") << int(s.trees[t].choices[c].available);
        o << ']';
    }
    o << "],";
    o << "\"touch\":{\"shown\":" << (w.touch.shown ? "true" : "false") << ",\"menu\":"
      << (w.touch.menuOpen ? "true" : "false") << ",\"names\":" << (w.touch.namesOn ? "true" : "false")
      << ",\"entries\":" << w.touch.menuEntries << "},";
    Json(o, "raftComboItem", s.raftComboItem());
    Json(o, "noRaftMessageItem", s.noRaftMessageItem());
    const SoundFrame& sound = w.sound;
    o << "\"music\":\"" << MusicName(sound.music) << "\",\"ambience\":\"" << AmbienceName(sound.ambience) << "\",";
    JsonNames(o, "cues", std::vector<Cue>(sound.cues.begin(), sound.cues.begin() + sound.cueCount));
    std::vector<Cue> heard;
    for (const SoundFrame& f : frames)
        for (int i = 0; i < f.cueCount; ++i)
            if (std::find(heard.begin(), heard.end(), f.cues[i]) == heard.end()) heard.push_back(f.cues[i]);
    o << ',';
    JsonNames(o, "heard", heard);
    // The hint on screen (level 0 and no text when none is) and how many were asked for.
    const bool hintShown = s.messageKind == kHintMessage;
    o << ",\"hint\":{";
    Json(o, "level", hintShown ? s.hintLevel : 0);
    o << "\"text\":\"" << (hintShown ? JsonText(s.hintText) : std::string()) << "\",";
    Json(o, "asked", s.hintsAsked, false);
    o << "},";
    Json(o, "textPace", static_cast<int>(s.textPace), false);  // 0 1x, 1 1.5x, 2 2x, 3 until a click
    o << '}';
    return o.str();
}

}  // namespace vz
