// The browser side of the game: page events in, the canvas out, frames from the main loop, the store in IndexedDB.
#include "platform/web/web_platform.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <array>
#include <cctype>
#include <cstring>

#include "platform/web/page_texts.h"

namespace vz {

namespace {

constexpr const char* kCanvas = "#canvas";
constexpr int kFramesPerSecond = 25;

// What the player is told when the browser will not keep the saved game.
constexpr const char* kNoStoreNotice =
    "This browser keeps no saved games for this page: a game saved now lasts until the page is closed.";
constexpr const char* kStoreFailedNotice = "The browser did not keep this save";
constexpr const char* kStoreFullNotice = "The browser did not keep this save: it has no room left for this page";
constexpr const char* kStoreKeepsOlderNotice =
    ". Once the page is closed, Load brings back the game saved before. Download save in the menu keeps this one "
    "in a file.";
constexpr const char* kStoreKeepsNoneNotice =
    ". This one lasts until the page is closed; Download save in the menu keeps it in a file.";
constexpr const char* kNothingToDownloadNotice =
    "There is no saved game to download yet. The save button is in the inventory: move the pointer to the top "
    "edge.";
constexpr const char* kDownloadName = "outro.sbf";
constexpr size_t kUploadBytes = 4096;  // far more than a save: a larger file is no save anyway
std::array<uint8_t, kUploadBytes> g_upload{};

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

// The pointer's place relative to the canvas in fractions of a CSS pixel (emscripten's own mouse
// events give whole pixels, off by one on a scaled canvas). It is followed over the whole page, so
// a pointer that leaves the canvas leaves the game's on the edge it crossed (at the top, the
// inventory opens), and where it leaves the page too. Pressed over the canvas, released anywhere:
// a button let go beside the canvas is up all the same, and one that a move reports up is up,
// should its release have gone elsewhere. The browser's own handling of a press stays, as it gives
// the canvas the keyboard.
EM_JS(void, JsListenToMouse, (), {
    var canvas = Module.canvas;
    var at = function(e) {
        var r = canvas.getBoundingClientRect();
        _vz_web_pointer(e.clientX - r.left, e.clientY - r.top, r.width, r.height);
    };
    window.addEventListener("mousemove", function(e) {
        at(e);
        if (!(e.buttons & 1)) _vz_web_button(0, 0);
        if (!(e.buttons & 2)) _vz_web_button(2, 0);
    });
    document.documentElement.addEventListener("mouseleave", at);
    canvas.addEventListener("mousedown", function(e) {
        at(e);
        _vz_web_button(e.button, 1);
    });
    window.addEventListener("mouseup", function(e) { _vz_web_button(e.button, 0); });
});

// Fingers on the canvas are the game's gestures, wherever they move afterwards. The page does
// nothing of its own with them (no scrolling, no going back, no mouse made of them); the canvas's
// `touch-action: none` tells the browser so before it asks.
EM_JS(void, JsListenToTouch, (), {
    var canvas = Module.canvas;
    var phases = {touchstart : 0, touchmove : 1, touchend : 2, touchcancel : 3};
    var handle = function(e) {
        e.preventDefault();
        if (e.type == "touchstart") canvas.focus();
        var r = canvas.getBoundingClientRect();
        for (var i = 0; i < e.changedTouches.length; i++) {
            var t = e.changedTouches[i];
            _vz_web_touch(phases[e.type], t.identifier, t.clientX - r.left, t.clientY - r.top, r.width, r.height,
                          e.timeStamp);
        }
    };
    for (var type in phases) canvas.addEventListener(type, handle, {passive : false});
});

EM_JS(void, JsToggleFullScreen, (), { Module.page.toggleFullScreen(); });

// The store: a folder in memory that the browser's IndexedDB keeps between visits, one record a
// file or folder under its full path (the layout of emscripten's IDBFS, so saves kept by earlier
// builds of the page are read). Read back in full before the game starts; a file the game has
// written is kept by a write of its own, whose failure (no room, storage refused, a write cut off)
// always comes back as a notice, and the next write is tried afresh. `Module.vzStore.keep(path)`
// is also the tests' way of keeping a file they wrote.
EM_JS(void, JsOpenStore, (const char* folder), {
    var mount = UTF8ToString(folder);
    var STORE = "FILE_DATA";
    var store = Module.vzStore = {db : null, pending : 0, kept : 0, hasSave : false, persistAsked : false};
    var answered = false;
    var opened = function(db) {
        if (answered) {
            if (db) db.close();
            return;
        }
        answered = true;
        store.db = db;
        _vz_web_store_opened(db ? 1 : 0);
    };
    var restore = function(path, entry) {
        if (path.indexOf(mount + "/") != 0 || !entry) return;
        if (FS.isDir(entry.mode)) {
            FS.mkdirTree(path);
        } else if (entry.contents) {
            FS.mkdirTree(path.substring(0, path.lastIndexOf("/")));
            FS.writeFile(path, entry.contents);
            store.hasSave = true;
        }
    };
    store.keep = function(path) {
        if (!store.db) return;
        store.pending += 1;
        var failed = function(error) {
            store.pending -= 1;
            var full = !!error && error.name == "QuotaExceededError";
            _vz_web_store_failed(store.hasSave ? 1 : 0, full ? 1 : 0);
        };
        try {
            var write = store.db.transaction([STORE], "readwrite");
            var files = write.objectStore(STORE);
            // The folders on the way first, as they are read back in order.
            var at = mount;
            var parts = path.substring(mount.length + 1).split("/");
            for (var i = 0; i + 1 < parts.length; ++i) {
                at += "/" + parts[i];
                var folder = FS.stat(at);
                files.put({timestamp : folder.mtime, mode : folder.mode}, at);
            }
            var file = FS.stat(path);
            files.put({timestamp : file.mtime, mode : file.mode, contents : FS.readFile(path)}, path);
            write.oncomplete = function() {
                store.pending -= 1;
                store.kept += 1;
                store.hasSave = true;
            };
            // A full store aborts the write without an error on any request.
            write.onabort = function() { failed(write.error); };
        } catch (error) {
            failed(error);
        }
        // Some browsers clear a site's storage after weeks without a visit unless asked not to.
        if (!store.persistAsked && navigator.storage && navigator.storage.persist) {
            store.persistAsked = true;
            navigator.storage.persist().catch(function() {});
        }
    };
    FS.mkdir(mount);
    // A browser that neither opens the store nor refuses it in time keeps nothing.
    setTimeout(function() { opened(null); }, 10000);
    try {
        var request = indexedDB.open(mount, 21);
        request.onupgradeneeded = function() {
            var db = request.result;
            var files = db.objectStoreNames.contains(STORE) ? request.transaction.objectStore(STORE)
                                                            : db.createObjectStore(STORE);
            if (!files.indexNames.contains("timestamp")) files.createIndex("timestamp", "timestamp", {unique : false});
        };
        request.onerror = function(e) {
            e.preventDefault();
            opened(null);
        };
        request.onsuccess = function() {
            var db = request.result;
            var entries = [];
            var read = db.transaction([STORE], "readonly");
            var cursor = read.objectStore(STORE).openCursor();
            cursor.onsuccess = function() {
                if (!cursor.result) return;
                entries.push([ cursor.result.key, cursor.result.value ]);
                cursor.result.continue();
            };
            read.oncomplete = function() {
                if (answered) return db.close();
                entries.sort(function(a, b) { return a[0] < b[0] ? -1 : 1; });  // folders before their files
                entries.forEach(function(e) {
                    try {
                        restore(e[0], e[1]);
                    } catch (error) {
                        // A record that cannot be written back is as if it were not there.
                    }
                });
                opened(db);
            };
            read.onabort = function() { opened(null); };
        };
    } catch (error) {
        opened(null);
    }
});

EM_JS(void, JsKeepStore, (const char* path), { Module.vzStore.keep(UTF8ToString(path)); });

EM_JS(void, JsShowTexts, (const char* json, int length), {
    var text = new TextDecoder("windows-1252").decode(HEAPU8.slice(json, json + length));
    Module.page.texts(JSON.parse(text));
});

// True when every pack of pictures holding one of the paths (lines) has arrived.
EM_JS(int, JsPicturesArrived, (const char* paths, int length), {
    var list = UTF8ToString(paths, length).split("\n").filter(function(p) { return p.length > 0; });
    return Module.page.picturesArrived(list) ? 1 : 0;
});

// Asking the browser for its controllers costs a few per cent of a core at 25 frames a second, so
// it is asked only while one is plugged in (a browser tells of one once it has been used).
EM_JS(void, JsListenToPads, (), {
    Module.vzPads = 0;
    window.addEventListener("gamepadconnected", function() { Module.vzPads += 1; });
    window.addEventListener("gamepaddisconnected", function() { Module.vzPads = Math.max(0, Module.vzPads - 1); });
});

// The left stick and the buttons of every controller in the standard layout: three numbers each.
EM_JS(int, JsReadPads, (double* out, int most), {
    if (!Module.vzPads || !navigator.getGamepads) return 0;
    var pads = navigator.getGamepads();
    var n = 0;
    for (var i = 0; i < pads.length && n < most; ++i) {
        var pad = pads[i];
        if (!pad || !pad.connected || pad.mapping != "standard") continue;
        var buttons = 0;
        for (var b = 0; b < pad.buttons.length && b < 16; ++b)
            if (pad.buttons[b].pressed) buttons += 1 << b;
        HEAPF64[(out >> 3) + 3 * n] = pad.axes[0] || 0;
        HEAPF64[(out >> 3) + 3 * n + 1] = pad.axes[1] || 0;
        HEAPF64[(out >> 3) + 3 * n + 2] = buttons;
        n += 1;
    }
    return n;
});

EM_JS(int, JsPageHidden, (), { return document.hidden ? 1 : 0; });

EM_JS(void, JsDownload, (const uint8_t* bytes, int length, const char* name), {
    var blob = new Blob([HEAPU8.slice(bytes, bytes + length)], {type : "application/octet-stream"});
    var link = document.createElement("a");
    link.href = URL.createObjectURL(blob);
    link.download = UTF8ToString(name);
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function() { URL.revokeObjectURL(link.href); }, 60000);
});

// The keys that belong to the game while the canvas has the keyboard, by their meaning on the
// player's layout; every other key stays the browser's. Tab among them keeps the keyboard inside
// the game while the canvas has it.
struct WebKeyBinding {
    const char* key;
    RawPress press;
};
constexpr WebKeyBinding kKeys[] = {
    {"Enter", &RawInput::enter},     // the left button
    {"Escape", &RawInput::escape},   // quit
    {" ", &RawInput::hotspots},      // names everything in the scene while held; the page does not scroll
    {"Backspace", &RawInput::right}, // the right button
    {"h", &RawInput::hint},          // a hint
    {"H", &RawInput::hint},
    {"i", &RawInput::inventory},     // the inventory
    {"I", &RawInput::inventory},
    {"t", &RawInput::textPace},      // the text pace
    {"T", &RawInput::textPace},
};

struct WebArrowBinding {
    const char* key;
    WebArrow arrow;
};
constexpr WebArrowBinding kArrowKeys[] = {
    {"ArrowLeft", WebArrow::Left},
    {"ArrowRight", WebArrow::Right},
    {"ArrowUp", WebArrow::Up},
    {"ArrowDown", WebArrow::Down},
};

// Alt+Enter is the page's full-screen key, not the game's Enter, and Escape in full screen only
// leaves full screen: a player who wants the window back must not lose the game. With Ctrl, Alt or
// Meta a letter or an arrow is the browser's (Ctrl+T, say); letting go is always the game's.
EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void*) {
    const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    WebInput& input = g_platform->Input();
    if (std::strcmp(e->key, "Tab") == 0) {
        // Let go, Tab ends both: Shift may have been let go first.
        if (!down) {
            input.Key(&RawInput::tab, false);
            input.Key(&RawInput::backTab, false);
        } else {
            input.Key(e->shiftKey ? &RawInput::backTab : &RawInput::tab, true);
        }
        return EM_TRUE;
    }
    const bool browsers = e->ctrlKey || e->altKey || e->metaKey;
    for (const WebArrowBinding& k : kArrowKeys) {
        if (std::strcmp(e->key, k.key) != 0) continue;
        if (down && browsers) return EM_FALSE;  // Alt+Left is the browser's way back
        input.Arrow(k.arrow, down);
        return EM_TRUE;
    }
    for (const WebKeyBinding& k : kKeys) {
        if (std::strcmp(e->key, k.key) != 0) continue;
        const bool letter = std::isalpha(static_cast<unsigned char>(k.key[0])) && k.key[1] == 0;
        if (letter && down && browsers) return EM_FALSE;
        const bool pageKey = down && ((k.press == &RawInput::enter && e->altKey) ||
                                      (k.press == &RawInput::escape && JsLeaveFullScreen()));
        if (!pageKey) input.Key(k.press, down);
        return EM_TRUE;
    }
    if (down && !e->ctrlKey && !e->altKey && !e->metaKey &&
        g_platform->Sound().Key(e->key, e->repeat, g_platform->Ticks()))
        return EM_TRUE;
    return EM_FALSE;
}

bool g_looping = false;  // the game's frames are running (not before the start, not after the end)

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void*) {
    g_platform->Input().Release();
    return EM_FALSE;
}

// A hidden page stands still, as the desktop game does while its window is away (a browser would
// still run a frame a second), and goes on where it was when it is shown again.
EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
    if (e->hidden) {
        g_platform->Input().Release();
        g_platform->Gamepads().Forget();
        if (g_looping) emscripten_pause_main_loop();
    } else if (g_looping) {
        emscripten_resume_main_loop();
    }
    g_platform->RedrawNextFrame();
    return EM_FALSE;
}

void Tick() {
    // A notice stands: the game waits for the player, as behind a message box.
    if (JsNoticeOpen()) return;
    if (!g_game->frame()) {
        g_looping = false;
        emscripten_cancel_main_loop();
        JsGameEnded();
    }
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void vz_web_store_opened(int ok) {
    if (!g_game->start()) return;
    if (!ok) g_platform->Notice(kNoStoreNotice);
    g_looping = true;
    emscripten_set_main_loop(Tick, kFramesPerSecond, 0);
    if (JsPageHidden()) emscripten_pause_main_loop();  // opened in a tab behind others
}

EMSCRIPTEN_KEEPALIVE void vz_web_pointer(double x, double y, double width, double height) {
    g_platform->Input().PointerAt(x, y, width, height);
}

EMSCRIPTEN_KEEPALIVE void vz_web_button(int button, int down) { g_platform->Input().Button(button, down != 0); }

// The header's mute button.
EMSCRIPTEN_KEEPALIVE void vz_web_toggle_mute() { g_platform->ToggleMute(); }

EMSCRIPTEN_KEEPALIVE void vz_web_touch(int phase, double finger, double x, double y, double width, double height,
                                       double ms) {
    if (phase < 0 || phase > 3) return;
    g_platform->Input().Touch(static_cast<TouchPhase>(phase), static_cast<int64_t>(finger), x, y, width, height,
                              static_cast<uint32_t>(ms));
}

EMSCRIPTEN_KEEPALIVE void vz_web_store_failed(int hadSave, int full) {
    std::string notice = full ? kStoreFullNotice : kStoreFailedNotice;
    notice += hadSave ? kStoreKeepsOlderNotice : kStoreKeepsNoneNotice;
    g_platform->Notice(notice);
}

// A tap on a caption's choice: the click the game gets on that line.
EMSCRIPTEN_KEEPALIVE void vz_web_click_at(int x, int y) { g_platform->Input().ClickAt(x, y); }

EMSCRIPTEN_KEEPALIVE void vz_web_download_save() {
    const std::vector<uint8_t> bytes = g_game->savedGame ? g_game->savedGame() : std::vector<uint8_t>{};
    if (bytes.empty()) {
        g_platform->Notice(kNothingToDownloadNotice);
        return;
    }
    JsDownload(bytes.data(), static_cast<int>(bytes.size()), kDownloadName);
}

// An uploaded file's first bytes go here; more than a save's bytes make it no save in any case.
EMSCRIPTEN_KEEPALIVE uint8_t* vz_web_upload_space() { return g_upload.data(); }

EMSCRIPTEN_KEEPALIVE void vz_web_upload_save(int length, double fileBytes) {
    if (length < 0 || length > static_cast<int>(g_upload.size()) || !g_game->uploadedSave) return;
    g_game->uploadedSave(std::vector<uint8_t>(g_upload.begin(), g_upload.begin() + length), fileBytes);
}

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
    input_.BeginFrame(static_cast<uint32_t>(emscripten_get_now()));
    constexpr int kMostPads = 4;
    double read[3 * kMostPads];
    const int count = JsReadPads(read, kMostPads);
    PadReading pads[kMostPads];
    for (int i = 0; i < count; ++i)
        pads[i] = PadReading{read[3 * i], read[3 * i + 1], static_cast<uint32_t>(read[3 * i + 2])};
    pads_.Read(std::span<const PadReading>(pads, static_cast<size_t>(count)));
    padsRead_ = false;
}

RawInput WebPlatform::ReadInput() {
    RawInput r = input_.Read();
    pads_.AddTo(r, !padsRead_);
    padsRead_ = true;
    return r;
}

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

void WebPlatform::ToggleFullscreen() { JsToggleFullScreen(); }

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

void WebPlatform::ShowTexts(const ShownTexts& texts) {
    if (texts == texts_) return;
    texts_ = texts;
    const std::string json = TextsJson(texts);
    JsShowTexts(json.data(), static_cast<int>(json.size()));
}

bool WebPlatform::PicturesArrived(const std::vector<std::string>& paths) {
    std::string lines;
    for (const std::string& path : paths) lines += path + '\n';
    return JsPicturesArrived(lines.data(), static_cast<int>(lines.size())) != 0;
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
    if (result == WriteResult::Ok) JsKeepStore(store_.Where(path).c_str());
    return result;
}

bool WebPlatform::DirectoryExists(const std::string& path) { return store_.DirectoryExists(path); }

bool WebPlatform::FileExists(const std::string& path) { return store_.FileExists(path); }

void RunWebGame(WebPlatform& platform, WebGame& game) {
    g_platform = &platform;
    g_game = &game;
    platform.Sound().Start();
    JsListenToMouse();
    JsListenToTouch();
    JsListenToPads();
    emscripten_set_keydown_callback(kCanvas, nullptr, EM_FALSE, OnKey);
    emscripten_set_keyup_callback(kCanvas, nullptr, EM_FALSE, OnKey);
    emscripten_set_blur_callback(kCanvas, nullptr, EM_FALSE, OnBlur);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, OnVisibility);
    JsOpenStore(kWebStoreFolder);
}

}  // namespace vz
