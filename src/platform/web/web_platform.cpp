// The browser side of the game: page events in, the canvas out, frames from the main loop, the store in IndexedDB.
#include "platform/web/web_platform.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

namespace vz {

namespace {

constexpr const char* kCanvas = "#canvas";
constexpr int kFramesPerSecond = 25;

// What the player is told when the browser will not keep the saved game.
constexpr const char* kNoStoreNotice =
    "This browser keeps no saved games for this page: a game saved now lasts until the page is closed.";
constexpr const char* kStoreFailedNotice =
    "The browser did not keep this save: after the page is closed, the game saved before it is loaded.";

WebPlatform* g_platform = nullptr;
WebGame* g_game = nullptr;
std::string g_state;  // the last state handed to the page; lives until the next call

// The canvas is the page's `Module.canvas`; its 2D context is made once.
EM_JS(void, JsShowRows, (const uint8_t* rgba, int width, int first, int count), {
    var context = Module.vzContext || (Module.vzContext = Module.canvas.getContext("2d", {alpha : false}));
    var pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba + first * width * 4, count * width * 4);
    context.putImageData(new ImageData(pixels, width, count), 0, first);
});

EM_JS(void, JsFirstFrameShown, (), {
    Module.page.firstFrameShown();
    Module.vzSound.firstFrameShown();
});

EM_JS(void, JsNotice, (const char* text, int length), {
    // The game's texts are Windows-1252, as on the desktop.
    Module.page.notice(new TextDecoder("windows-1252").decode(HEAPU8.slice(text, text + length)));
});

EM_JS(int, JsNoticeOpen, (), { return Module.page.noticeOpen() ? 1 : 0; });

// Escape in full screen is the browser's way out of it; the page makes sure it is taken so.
EM_JS(int, JsLeaveFullScreen, (), {
    if (!document.fullscreenElement) return 0;
    document.exitFullscreen().catch(function() {});
    return 1;
});

EM_JS(void, JsGameEnded, (), { Module.page.gameEnded(); });

// The text pace lives in the browser's storage for this page, by its settings.ini name; a browser
// that keeps nothing gives the game's own pace.
EM_JS(int, JsStoredTextPace, (char* name, int size), {
    var value = "";
    try {
        value = window.localStorage.getItem("vudizid.textpace") || "";
    } catch (error) {
    }
    stringToUTF8(value.slice(0, 15), name, size);
    return value.length > 0 ? 1 : 0;
});

EM_JS(void, JsKeepTextPace, (const char* name), {
    try {
        window.localStorage.setItem("vudizid.textpace", UTF8ToString(name));
    } catch (error) {
    }
});

EM_JS(void, JsSetIcon, (const uint8_t* rgba, int width, int height), {
    var canvas = document.createElement("canvas");
    canvas.width = width;
    canvas.height = height;
    var pixels = new Uint8ClampedArray(HEAPU8.slice(rgba, rgba + width * height * 4).buffer);
    canvas.getContext("2d").putImageData(new ImageData(pixels, width, height), 0, 0);
    Module.page.icon(canvas.toDataURL("image/png"));
});

// The pointer's place on the canvas in fractions of a CSS pixel (emscripten's own mouse events give
// whole pixels, off by one on a scaled canvas). Pressed over the canvas, released anywhere: a button
// let go beside the canvas is up all the same, and one that a move reports up is up, should its
// release have gone elsewhere. The browser's own handling of a press stays, as it gives the canvas
// the keyboard.
EM_JS(void, JsListenToMouse, (), {
    var canvas = Module.canvas;
    var at = function(e) {
        var r = canvas.getBoundingClientRect();
        _vz_web_pointer(e.clientX - r.left, e.clientY - r.top, r.width, r.height);
    };
    canvas.addEventListener("mousemove", function(e) {
        at(e);
        if (!(e.buttons & 1)) _vz_web_button(0, 0);
        if (!(e.buttons & 2)) _vz_web_button(2, 0);
    });
    canvas.addEventListener("mousedown", function(e) {
        at(e);
        _vz_web_button(e.button, 1);
    });
    window.addEventListener("mouseup", function(e) { _vz_web_button(e.button, 0); });
});

// Mounts the store and reads it back from IndexedDB before the game starts.
EM_JS(void, JsOpenStore, (const char* folder), {
    var path = UTF8ToString(folder);
    Module.vzStore = {busy : false, again : false, kept : 0};
    try {
        FS.mkdir(path);
        FS.mount(IDBFS, {}, path);
        FS.syncfs(true, function(error) { _vz_web_store_opened(error ? 0 : 1); });
    } catch (error) {
        _vz_web_store_opened(0);
    }
});

// Copies the store to IndexedDB. A save made while a copy is under way is copied after it.
EM_JS(void, JsKeepStore, (), {
    var store = Module.vzStore;
    if (store.busy) {
        store.again = true;
        return;
    }
    store.busy = true;
    var done = function(error) {
        if (error) _vz_web_store_failed();
        if (store.again) {
            store.again = false;
            FS.syncfs(false, done);
            return;
        }
        store.busy = false;
        if (!error) store.kept += 1;
    };
    FS.syncfs(false, done);
});

// The game's keys other than Enter and Escape, by the key's meaning on the player's layout. Tab among
// them keeps the keyboard inside the game while the canvas has it.
bool GameKey(const EmscriptenKeyboardEvent* e, WebKey& key) {
    struct Named {
        const char* name;
        WebKey key;
    };
    static const Named kKeys[] = {
        {"Backspace", WebKey::Backspace}, {"h", WebKey::Hint}, {"H", WebKey::Hint}, {"i", WebKey::Inventory},
        {"I", WebKey::Inventory}, {"t", WebKey::TextPace}, {"T", WebKey::TextPace}, {"ArrowLeft", WebKey::Left},
        {"ArrowRight", WebKey::Right}, {"ArrowUp", WebKey::Up}, {"ArrowDown", WebKey::Down},
    };
    for (const Named& k : kKeys) {
        if (std::strcmp(e->key, k.name) == 0) {
            key = k.key;
            return true;
        }
    }
    return false;
}

// Enter, Escape and the game's other keys belong to the game while the canvas has the keyboard;
// every other key stays the browser's. Alt+Enter is the page's full-screen key, not the game's
// Enter, and Escape in full screen only leaves full screen: a player who wants the window back
// must not lose the game.
EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void*) {
    const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    if (std::strcmp(e->key, "Tab") == 0) {
        // Let go, Tab ends both: Shift may have been let go first.
        if (!down) g_platform->Input().Key(WebKey::Tab, false), g_platform->Input().Key(WebKey::BackTab, false);
        else g_platform->Input().Key(e->shiftKey ? WebKey::BackTab : WebKey::Tab, true);
        return EM_TRUE;
    }
    // With Ctrl, Alt or Meta a key is the browser's (Ctrl+T, say); letting go is always the game's.
    const bool browsers = e->ctrlKey || e->altKey || e->metaKey;
    if (WebKey key; GameKey(e, key) && (!down || !browsers)) {
        g_platform->Input().Key(key, down);
        return EM_TRUE;
    }
    if (std::strcmp(e->key, "Enter") == 0) {
        if (!(down && e->altKey)) g_platform->Input().Key(WebKey::Enter, down);
        return EM_TRUE;
    }
    if (std::strcmp(e->key, "Escape") == 0) {
        if (!(down && JsLeaveFullScreen())) g_platform->Input().Key(WebKey::Escape, down);
        return EM_TRUE;
    }
    if (down && !e->ctrlKey && !e->altKey && !e->metaKey &&
        g_platform->Sound().Key(e->key, e->repeat, g_platform->Ticks()))
        return EM_TRUE;
    return EM_FALSE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void*) {
    g_platform->Input().Release();
    return EM_FALSE;
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
    if (e->hidden) g_platform->Input().Release();
    g_platform->RedrawNextFrame();
    return EM_FALSE;
}

void Tick() {
    // A notice stands: the game waits for the player, as behind a message box.
    if (JsNoticeOpen()) return;
    if (!g_game->frame()) {
        emscripten_cancel_main_loop();
        JsGameEnded();
    }
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void vz_web_store_opened(int ok) {
    if (!g_game->start()) return;
    if (!ok) g_platform->Notice(kNoStoreNotice);
    emscripten_set_main_loop(Tick, kFramesPerSecond, 0);
}

EMSCRIPTEN_KEEPALIVE void vz_web_pointer(double x, double y, double width, double height) {
    g_platform->Input().PointerAt(x, y, width, height);
}

EMSCRIPTEN_KEEPALIVE void vz_web_button(int button, int down) { g_platform->Input().Button(button, down != 0); }

// The header's mute button.
EMSCRIPTEN_KEEPALIVE void vz_web_toggle_mute() { g_platform->ToggleMute(); }

EMSCRIPTEN_KEEPALIVE void vz_web_store_failed() { g_platform->Notice(kStoreFailedNotice); }

// The page showed something over the game (a notice) and has given the canvas back.
EMSCRIPTEN_KEEPALIVE void vz_web_canvas_back() {
    g_platform->Input().Release();
    g_platform->RedrawNextFrame();
}

EMSCRIPTEN_KEEPALIVE const char* vz_web_state() {
    g_state = g_game && g_game->state ? g_game->state() : std::string("{}");
    return g_state.c_str();
}

EMSCRIPTEN_KEEPALIVE int vz_web_compose_play_frames(int scene, int frames) {
    return g_game && g_game->composePlayFrames && g_game->composePlayFrames(scene, frames) ? 1 : 0;
}

}  // extern "C"

WebPlatform::WebPlatform() : rgba_(static_cast<size_t>(kScreenWidth) * kScreenHeight * 4, 0) {}

void WebPlatform::PumpEvents() {
    const std::pair<int, int> at = pointer_ ? pointer_() : std::pair<int, int>{0, 0};
    input_.BeginFrame(at.first, at.second);
}

RawInput WebPlatform::ReadInput() { return input_.Read(); }

void WebPlatform::Present(const Surface& game) {
    if (game.width != kScreenWidth || game.height != kScreenHeight || game.Empty()) return;
    const Surface& frame = sound_.WithNote(game, Ticks());
    // Only the band of rows that differs from the canvas is drawn; a still screen costs one
    // comparison a frame.
    int first = 0, last = frame.height - 1;
    if (!redraw_ && !ChangedRows(frame, shown_, first, last)) return;
    // Bytes red, green, blue, alpha: the page's image data.
    PixelLayout layout;
    layout.bytesPerPixel = 4;
    layout.redShift = 0;
    layout.greenShift = 8;
    layout.blueShift = 16;
    layout.alphaMask = 0xFF000000u;
    const ScreenScaler::Rows rows =
        scaler_.Scale(frame, rgba_.data(), kScreenWidth * 4, kScreenWidth, kScreenHeight, layout, first, last);
    if (rows.count > 0) JsShowRows(rgba_.data(), kScreenWidth, rows.first, rows.count);
    shown_ = frame.pixels;
    redraw_ = false;
    if (!firstShown_) {
        firstShown_ = true;
        JsFirstFrameShown();
    }
}

uint32_t WebPlatform::Ticks() { return static_cast<uint32_t>(emscripten_get_now()); }

TextPace WebPlatform::StoredTextPace() {
    char name[16] = {};
    TextPace pace = TextPace::Normal;
    if (JsStoredTextPace(name, sizeof name)) TextPaceFromName(name, pace);
    return pace;
}

void WebPlatform::KeepTextPace(TextPace pace) { JsKeepTextPace(TextPaceName(pace)); }

void WebPlatform::Notice(const std::string& text) { JsNotice(text.data(), static_cast<int>(text.size())); }

void WebPlatform::SetIcon(const Surface& icon) {
    if (icon.Empty() || !icon.filled) return;
    std::vector<uint8_t> rgba(icon.pixels.size() * 4);
    for (size_t i = 0; i < icon.pixels.size(); ++i) {
        const uint16_t p = icon.pixels[i];
        const uint32_t rgb = Rgb565To888(p);
        rgba[4 * i] = static_cast<uint8_t>(rgb >> 16);
        rgba[4 * i + 1] = static_cast<uint8_t>(rgb >> 8);
        rgba[4 * i + 2] = static_cast<uint8_t>(rgb);
        rgba[4 * i + 3] = p == kColorKey ? 0 : 255;
    }
    JsSetIcon(rgba.data(), icon.width, icon.height);
}

bool WebPlatform::ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) {
    return store_.ReadWholeFile(path, bytes, maxBytes);
}

bool WebPlatform::ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head,
                              const PlaceBody& place, size_t& bodyBytes) {
    return store_.ReadInPlace(path, maxBytes, head, place, bodyBytes);
}

WriteResult WebPlatform::ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const WriteResult result = store_.ReplaceFile(path, bytes);
    if (result == WriteResult::Ok) JsKeepStore();
    return result;
}

bool WebPlatform::DirectoryExists(const std::string& path) { return store_.DirectoryExists(path); }

bool WebPlatform::FileExists(const std::string& path) { return store_.FileExists(path); }

void RunWebGame(WebPlatform& platform, WebGame& game) {
    g_platform = &platform;
    g_game = &game;
    platform.SetPointerSource(game.pointer);
    platform.Sound().Start();
    JsListenToMouse();
    emscripten_set_keydown_callback(kCanvas, nullptr, EM_FALSE, OnKey);
    emscripten_set_keyup_callback(kCanvas, nullptr, EM_FALSE, OnKey);
    emscripten_set_blur_callback(kCanvas, nullptr, EM_FALSE, OnBlur);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, OnVisibility);
    JsOpenStore(kWebStoreFolder);
}

}  // namespace vz
