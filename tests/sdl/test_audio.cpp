// The desktop's sound through SDL's real mixer, with its disk driver standing in for a sound card:
// what the device plays is read back from the file it writes. Damaged and missing sound files are
// silent for their sound only, named once each; the rest plays, mutes, pauses and goes on.
#include "platform/sdl/sdl_audio.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "ogg_writer.h"
#include "platform/ogg_loop.h"

namespace vz::test {
namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        char name[] = "/tmp/vz-audio-XXXXXX";
        path = ::mkdtemp(name);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string Path(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

// The device's output, 16-bit stereo at 44.1 kHz, as SDL's disk driver writes it in real time.
class DiskOutput {
public:
    explicit DiskOutput(std::string file) : file_(std::move(file)) {
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
    }
    ~DiskOutput() { ::unsetenv("SDL_DISKAUDIOFILE"); }
    // Where the output stands now, in bytes.
    uintmax_t Mark() const {
        std::error_code ec;
        const uintmax_t size = fs::file_size(file_, ec);
        return ec ? 0 : size;
    }
    // The loudest sample and the level (RMS, of full scale) of what was played over `seconds` from now.
    struct Level {
        int peak = 0;
        double rms = 0;
    };
    Level Over(double seconds) const {
        const uintmax_t from = Mark();
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        const std::vector<char> bytes = FileBytes(file_);
        Level level;
        double sum = 0;
        size_t count = 0;
        for (size_t i = from & ~uintmax_t{3}; i + 1 < bytes.size(); i += 2) {
            const int16_t s = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) | (bytes[i + 1] << 8));
            level.peak = std::max(level.peak, std::abs(static_cast<int>(s)));
            sum += static_cast<double>(s) * s;
            ++count;
        }
        if (count > 0) level.rms = std::sqrt(sum / static_cast<double>(count)) / 32768.0;
        return level;
    }

private:
    std::string file_;
};

SoundFrame Frame(Music music, Ambience bed = Ambience::None, std::initializer_list<Cue> cues = {}) {
    SoundFrame f;
    f.music = music;
    f.ambience = bed;
    for (Cue c : cues) f.Add(c);
    return f;
}

// Three times round a short file, read in blocks of odd sizes: after its last frame comes its first,
// and a remembered loop gives the very samples the streamed one does. A mono file is heard on both sides.
TEST(OggLoop, LoopsWithoutASeamAndARememberedLoopPlaysTheSameSamples) {
    TempDir dir;
    const std::string path = dir.Path("loop.ogg");
    ASSERT_TRUE(WriteOggTone(path, 0.5, 441, 0.5, 1));
    std::string why;
    auto streamed = OpenOggLoop(path, why, false);
    auto remembered = OpenOggLoop(path, why, true);
    ASSERT_TRUE(streamed && remembered) << why;
    const int loop = 22050;  // half a second
    std::vector<int16_t> a(2 * 3 * loop), b(2 * 3 * loop);
    const int sizes[] = {1, 7, 300, 4093, 5000};
    for (int at = 0, turn = 0; at < 3 * loop; ++turn) {
        const int n = std::min(sizes[turn % 5], 3 * loop - at);
        ASSERT_EQ(streamed->Read(a.data() + 2 * at, n), n);
        at += n;
    }
    for (int at = 0, n = 997; at < 3 * loop; at += n) {
        n = std::min(n, 3 * loop - at);
        ASSERT_EQ(remembered->Read(b.data() + 2 * at, n), n);
    }
    EXPECT_EQ(a, b);
    for (int i = 0; i < 2 * loop; ++i) {
        ASSERT_EQ(a[2 * i], a[2 * (i + loop)]) << "frame " << i;
        ASSERT_EQ(a[2 * i], a[2 * i + 1]) << "frame " << i;
    }
    int loudest = 0;
    for (int16_t s : a) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
    EXPECT_GT(loudest, 14000);
}

TEST(SdlAudio, BadFilesAreSilentAndNamedOnceWhileTheRestPlaysMutesPausesAndGoesOn) {
    TempDir dir;
    const std::string sounds = dir.Path("sounds");
    fs::create_directory(sounds);
    // Good: the title's piece (a tone at a quarter of full scale, so at a level of about 0.177)
    // and one cue. Damaged: a piece of zero bytes, one that is not Ogg, one cut in half, a cue
    // that is not Ogg, and a cue that is missing.
    ASSERT_TRUE(WriteOggTone(sounds + "/music_title.ogg", 3.0, 440, 0.25));
    ASSERT_TRUE(WriteOggTone(sounds + "/sfx_find.ogg", 0.2, 880, 0.5, 1));
    ASSERT_TRUE(WriteOggTone(dir.Path("whole.ogg"), 10.0, 330, 0.25));
    WriteBytes(sounds + "/music_beach.ogg", {});
    WriteBytes(sounds + "/music_village.ogg", std::vector<char>(5000, 'x'));
    std::vector<char> whole = FileBytes(dir.Path("whole.ogg"));
    whole.resize(whole.size() / 2);
    WriteBytes(sounds + "/music_jungle.ogg", whole);
    WriteBytes(sounds + "/sfx_take.ogg", {'O', 'g', 'g', 'S', 0, 1, 2});

    DiskOutput out(dir.Path("out.raw"));
    std::vector<std::string> lines;
    SdlAudio audio(sounds, SoundControl(100, false), [&](const std::string& l) { lines.push_back(l); });
    ASSERT_TRUE(audio.Open()) << (lines.empty() ? "" : lines[0]);
    EXPECT_TRUE(lines.empty());

    audio.Play(Frame(Music::Title));
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));  // past the fade-in
    const DiskOutput::Level title = out.Over(0.4);
    EXPECT_NEAR(title.rms, 0.177, 0.03) << "the title's piece at its own level";

    // Muted, then back; away, then back.
    audio.SetControl(SoundControl(100, true));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(out.Over(0.3).peak, 0) << "muted";
    audio.SetControl(SoundControl(100, false));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_NEAR(out.Over(0.3).rms, 0.177, 0.03) << "unmuted";
    audio.SetAway(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(out.Over(0.3).peak, 0) << "away";
    audio.SetAway(false);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_NEAR(out.Over(0.3).rms, 0.177, 0.03) << "back";
    // Half volume is a quarter of the level.
    audio.SetControl(SoundControl(50, false));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_NEAR(out.Over(0.3).rms, 0.177 / 4, 0.01) << "half volume";
    audio.SetControl(SoundControl(100, false));

    // Each damaged piece, asked for frame after frame: silence, one line each, and the game goes on.
    for (Music bad : {Music::Beach, Music::Village})
        for (int frame = 0; frame < 25; ++frame) audio.Play(Frame(bad, Ambience::None, {Cue::Take}));
    std::this_thread::sleep_for(std::chrono::milliseconds(1300));  // the title's piece fades out
    EXPECT_EQ(out.Over(0.3).peak, 0) << "a damaged piece is silence";
    // A piece cut short plays what it holds, over and over.
    audio.Play(Frame(Music::Jungle));
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    EXPECT_GT(out.Over(2.0).rms, 0.1) << "the half that is there, looped";
    // A good cue sounds; a missing one is named once.
    audio.Play(Frame(Music::None, Ambience::None, {Cue::Find, Cue::Give}));
    audio.Play(Frame(Music::None, Ambience::None, {Cue::Give}));
    std::this_thread::sleep_for(std::chrono::milliseconds(1300));
    audio.Play(Frame(Music::None, Ambience::None, {Cue::Find}));
    EXPECT_GT(out.Over(0.15).peak, 8000) << "the cue over silence";

    ASSERT_EQ(lines.size(), 4u);
    const char* named[] = {"music_beach.ogg", "music_village.ogg", "sfx_take.ogg", "sfx_give.ogg"};
    for (const char* name : named) {
        int count = 0;
        for (const std::string& l : lines) count += l.find(name) != std::string::npos;
        EXPECT_EQ(count, 1) << name;
    }
    for (const std::string& l : lines) EXPECT_EQ(l.find('\n'), std::string::npos) << l;
}

TEST(SdlAudio, WithoutADeviceOrWithoutSoundsTheGameIsSilentAfterOneLine) {
    std::vector<std::string> lines;
    auto keep = [&](const std::string& l) { lines.push_back(l); };
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        SdlAudio audio("/tmp", SoundControl(), keep);
        EXPECT_FALSE(audio.Open());
        audio.Play(Frame(Music::Title, Ambience::Surf, {Cue::Take}));
        audio.SetAway(true);
        audio.SetControl(SoundControl(10, false));
        audio.DeviceLost();
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("no sound"), std::string::npos) << lines[0];

    lines.clear();
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    {
        SdlAudio audio("", SoundControl(), keep);
        EXPECT_FALSE(audio.Open());
        audio.Play(Frame(Music::Title));
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("sounds were not found"), std::string::npos) << lines[0];

    lines.clear();
    {
        SdlAudio audio("/nonexistent/sounds", SoundControl(), keep);
        EXPECT_TRUE(audio.Open());
        for (int i = 0; i < 10; ++i) audio.Play(Frame(Music::Title, Ambience::Surf));
        audio.DeviceLost();
        audio.DeviceLost();
    }
    EXPECT_EQ(lines.size(), 3u) << "the piece, the ambience and the lost device, once each";
}

}  // namespace
}  // namespace vz::test
