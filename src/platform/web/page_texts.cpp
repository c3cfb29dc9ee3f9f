// Shown texts to JSON for the page.
#include "platform/web/page_texts.h"

#include <cstdio>

namespace vz {

namespace {

const char* KindName(TextKind kind) {
    switch (kind) {
        case TextKind::Label: return "label";
        case TextKind::Answer: return "answer";
        case TextKind::Line: return "line";
        case TextKind::Choice: return "choice";
        case TextKind::Credits: return "credits";
    }
    return "label";
}

void AppendString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

}  // namespace

std::string TextsJson(const ShownTexts& texts) {
    std::string out = "[";
    for (const ShownText& t : texts) {
        if (out.size() > 1) out += ',';
        out += "{\"kind\":\"";
        out += KindName(t.kind);
        out += "\",\"text\":";
        AppendString(out, PlainText(t.text));
        out += ",\"x\":" + std::to_string(t.clickX) + ",\"y\":" + std::to_string(t.clickY) + "}";
    }
    return out + "]";
}

}  // namespace vz
