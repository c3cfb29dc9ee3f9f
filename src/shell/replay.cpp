// The replay script language and the game's state as JSON.
#include "shell/replay.h"

#include <charconv>
#include <sstream>

namespace vz {

namespace {

constexpr int kMaxCoordinate = 100000;
constexpr int kMaxFrames = 10000000;

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

bool ToInt(const std::string& s, int lo, int hi, int& out) {
    int v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return false;
    out = v;
    return true;
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

// Parses one non-empty, non-comment line.
bool ParseLine(const std::vector<std::string>& w, ReplayCommand& c, std::string& why) {
    const std::string& verb = w[0];
    auto point = [&](size_t at) {
        if (w.size() == at) return true;
        if (w.size() != at + 2) return false;
        c.hasPoint = true;
        return ToInt(w[at], -kMaxCoordinate, kMaxCoordinate, c.x) && ToInt(w[at + 1], -kMaxCoordinate, kMaxCoordinate, c.y);
    };
    if (verb == "move") {
        c.kind = CommandKind::Move;
        if (w.size() != 3 || !point(1)) return why = "move needs X Y", false;
    } else if (verb == "click" || verb == "rclick") {
        c.kind = verb == "click" ? CommandKind::Click : CommandKind::RightClick;
        if (!point(1)) return why = verb + " takes X Y or nothing", false;
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
        if (!ToInt(w[2], 0, kMaxFrames, c.count)) return why = "bad frame count", false;
    } else if (verb == "wait") {
        c.kind = CommandKind::Wait;
        if (w.size() != 2 || !ToInt(w[1], 0, kMaxFrames, c.count)) return why = "wait needs N", false;
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

template <typename Array, typename Get>
void JsonArray(std::ostream& o, const char* key, const Array& a, Get get) {
    o << '"' << key << "\":[";
    for (size_t i = 0; i < a.size(); ++i) o << (i ? "," : "") << get(a[i], i);
    o << "],";
}

}  // namespace

bool ParseReplayScript(const std::string& text, std::vector<ReplayCommand>& commands, ParseError& error) {
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
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
    RawInput held;
    switch (c.kind) {
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
        case CommandKind::Shot:
        case CommandKind::State:
            break;
    }
    return frames;
}

std::string StateJson(const Game& game) {
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
    Json(o, "raftComboItem", s.raftComboItem());
    Json(o, "noRaftMessageItem", s.noRaftMessageItem(), false);
    o << '}';
    return o.str();
}

}  // namespace vz
