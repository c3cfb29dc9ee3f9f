// The game in a web page: a canvas, the page's mouse and keys, notices on the page, the saved game in the browser.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/screen_scale.h"
#include "platform/web/web_gamepad.h"
#include "platform/web/web_input.h"
#include "platform/web/web_sound.h"
#include "platform/web/web_store.h"

namespace vz {

// The folder of the browser's store (IndexedDB), where every file the game writes is kept.
inline constexpr const char* kWebStoreFolder = "/store";

// What the page's game does; the backend calls these from the browser's event loop.
struct WebGame {
    std::function<bool()> start;                   // once, after the store was read back; false: cannot run
    std::function<bool()> frame;                   // one frame; false once the game has ended
    std::function<std::string()> state;            // the state as the replay tool prints it
    // Composes Play frames of one scene, for the page's measurements; false without pictures.
    std::function<bool(int scene, int frames)> composePlayFrames;
    // The saved game's bytes as the player downloads them (none: there is no save yet).
    std::function<std::vector<uint8_t>()> savedGame;
    // A file the player uploads as the saved game, of fileBytes bytes (only the first few are
    // handed over): checked as the game checks a save, and put in place only when it is one.
    std::function<void(const std::vector<uint8_t>& bytes, double fileBytes)> uploadedSave;
};

class WebPlatform : public Platform {
public:
    WebPlatform();

    void PumpEvents() override;
    RawInput ReadInput() override;
    void Present(const Surface& frame) override;
    uint32_t Ticks() override;
    // Never needed: the browser calls each frame at its time, and a page must not block.
    void SleepMs(uint32_t ms) override { (void)ms; }
    // Shown on the page; no frame runs until the player has closed it.
    void Notice(const std::string& text) override;
    // Becomes the page's icon.
    void SetIcon(const Surface& icon) override;
    void SetFonts(const Fonts& fonts) override { sound_.SetFonts(fonts); }
    // Through the page's Web Audio engine, once the player's first click, tap or key allows it.
    void PlaySound(const SoundFrame& frame) override { sound_.Play(frame); }
    bool HasSound() const override { return true; }
    void ToggleMute() override { sound_.ToggleMute(Ticks()); }
    // The page's stage goes full screen, or leaves it.
    bool CanToggleFullscreen() const override { return true; }
    void ToggleFullscreen() override;
    // Become the page's captions and its live region, when they differ from the last frame's.
    void ShowTexts(const ShownTexts& texts) override;
    // The page fetches its pictures in parts: the title's first, the rest behind it.
    bool PicturesArrived(const std::vector<std::string>& paths) override;
    // Kept in the browser's storage for the page.
    TextPace StoredTextPace() override;
    void KeepTextPace(TextPace pace) override;

    bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) override;
    bool ReadInPlace(const std::string& path, size_t maxBytes, std::span<uint8_t> head, const PlaceBody& place,
                     size_t& bodyBytes) override;
    // A file written in full is then copied to the browser's store.
    WriteResult ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes) override;
    bool DirectoryExists(const std::string& path) override;
    bool FileExists(const std::string& path) override;

    WebInput& Input() { return input_; }
    WebSound& Sound() { return sound_; }
    WebGamepads& Gamepads() { return pads_; }
    // What is on the canvas is no longer known (the page showed something over it).
    void RedrawNextFrame() { redraw_ = true; }

private:
    WebInput input_;
    WebSound sound_;
    WebGamepads pads_;
    bool padsRead_ = false;  // the frame's first read took the controllers' motion
    ShownTexts texts_;       // the captions the page shows
    StoreFiles store_{kWebStoreFolder};
    std::vector<uint16_t> shown_;  // the frame on the canvas, so an unchanged one is not drawn again
    std::vector<uint8_t> rgba_;    // the canvas's pixels, as the page's image data wants them
    ScreenScaler scaler_;
    bool redraw_ = true;
    bool firstShown_ = false;
};

// Opens the browser's store, reads the saved game back, and then runs the game 25 frames a second.
// Returns at once: the browser calls back from its event loop. Both live to the page's end.
void RunWebGame(WebPlatform& platform, WebGame& game);

}  // namespace vz
