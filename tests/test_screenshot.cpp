// The screenshot key's file and its note: the frame as it was, a name that overwrites nothing, the note only on screen.
#include "platform/screenshot.h"

#include <gtest/gtest.h>
#include <png.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/paths.h"
#include "platform/screen_scale.h"
#include "support.h"

namespace vz::test {
namespace {

// The picture in a PNG file as 0xRRGGBB, or empty when it cannot be read.
std::vector<uint32_t> ReadPng(const std::string& path, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    std::vector<uint32_t> out(rgb.size() / 3);
    for (size_t i = 0; i < out.size(); ++i) out[i] = rgb[3 * i] << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2];
    return out;
}

bool Near(uint32_t a, uint32_t b) {
    for (int shift : {16, 8, 0})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 4) return false;
    return true;
}

Surface TestFrame() {
    Surface frame(kScreenWidth, kScreenHeight);
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) frame.Set(x, y, static_cast<uint16_t>(x * 64 + y * 7));
    return frame;
}

TEST(Screenshot, TheFrameIsWrittenWholeUnderANameThatOverwritesNothing) {
    TempFolder root;
    const Surface frame = TestFrame();
    const std::time_t when = 1765200000;
    const std::string folder = root.Path("Pictures/Vudizid Ozazi");  // made when missing
    const ScreenshotResult first = SaveScreenshot(frame, folder, when);
    ASSERT_EQ(first.outcome, ScreenshotOutcome::Saved) << first.problem;
    const ScreenshotResult second = SaveScreenshot(frame, folder, when);
    ASSERT_EQ(second.outcome, ScreenshotOutcome::Saved) << second.problem;
    EXPECT_EQ(std::filesystem::path(first.path).parent_path(), std::filesystem::path(folder));
    EXPECT_EQ(std::filesystem::path(first.path).extension(), ".png");
    EXPECT_EQ(std::filesystem::path(second.path).stem().string(),
              std::filesystem::path(first.path).stem().string() + " 2");

    int w = 0, h = 0;
    const std::vector<uint32_t> png = ReadPng(first.path, w, h);
    ASSERT_EQ(std::pair(w, h), std::pair(kScreenWidth, kScreenHeight));
    int wrong = 0;
    for (int y = 0; y < h; y += 7)
        for (int x = 0; x < w; x += 5)
            wrong += !Near(png[static_cast<size_t>(y) * w + x], Rgb565To888(frame.At(x, y)));
    EXPECT_EQ(wrong, 0);

    // A folder that cannot be made: no file, and a reason.
    root.Write("Pictures/blocked", {'x'});
    const ScreenshotResult blocked = SaveScreenshot(frame, root.Path("Pictures/blocked/Vudizid Ozazi"), when);
    EXPECT_EQ(blocked.outcome, ScreenshotOutcome::CannotWrite);
    EXPECT_TRUE(blocked.path.empty());
    EXPECT_NE(blocked.problem, "");
    EXPECT_EQ(SaveScreenshot(frame, "", when).outcome, ScreenshotOutcome::CannotWrite);
}

// Whatever takes the next names (a link planted to a file outside, an earlier picture that cannot
// be read, a FIFO) is passed over and left as it is; with every name of the second taken the note
// says so, not that the folder cannot be written.
TEST(Screenshot, ANameTakenByAnythingIsPassedOverNeverWrittenThrough) {
    TempFolder root;
    root.OpenToEveryone();
    const std::string folder = root.Path("shots");
    ASSERT_TRUE(MakeFolders(folder));
    ::chmod(folder.c_str(), 0777);
    const std::time_t when = 1765200000;
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H-%M-%S", &local);
    const std::string stem = folder + "/Vudizid Ozazi " + std::string(stamp);
    const std::vector<uint8_t> precious = {'m', 'i', 'n', 'e'};
    const std::string outside = root.Write("outside.txt", precious);
    ::chmod(outside.c_str(), 0666);
    ASSERT_EQ(symlink(outside.c_str(), (stem + ".png").c_str()), 0);
    ASSERT_EQ(symlink(root.Path("not-yet").c_str(), (stem + " 2.png").c_str()), 0);  // dangling
    const std::string writeOnly = root.Write("shots/Vudizid Ozazi " + std::string(stamp) + " 3.png", precious);
    ASSERT_EQ(::chmod(writeOnly.c_str(), 0222), 0);
    ASSERT_EQ(mkfifo((stem + " 4.png").c_str(), 0666), 0);

    const Surface frame = TestFrame();
    EXPECT_TRUE(AsOrdinaryUser([&] {
        const ScreenshotResult shot = SaveScreenshot(frame, folder, when);
        if (shot.path != stem + " 5.png") std::fprintf(stderr, "written as '%s': %s\n", shot.path.c_str(), shot.problem.c_str());
        return shot.outcome == ScreenshotOutcome::Saved && shot.path == stem + " 5.png";
    }));
    ::chmod(writeOnly.c_str(), 0644);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(Files().ReadWholeFile(outside, bytes, 100));
    EXPECT_EQ(bytes, precious);
    ASSERT_TRUE(Files().ReadWholeFile(writeOnly, bytes, 100));
    EXPECT_EQ(bytes, precious);
    EXPECT_FALSE(std::filesystem::exists(root.Path("not-yet")));
    int w = 0, h = 0;
    EXPECT_EQ(ReadPng(stem + " 5.png", w, h).size(), static_cast<size_t>(kScreenWidth * kScreenHeight));

    for (int n = 6; n <= 999; ++n) root.Write("shots/Vudizid Ozazi " + std::string(stamp) + " " + std::to_string(n) + ".png", {});
    const ScreenshotResult full = SaveScreenshot(frame, folder, when);
    EXPECT_EQ(full.outcome, ScreenshotOutcome::NamesUsedUp);
    ScreenshotNote note;
    note.Show(full.outcome, 0);
    EXPECT_STREQ(note.Text(), ScreenshotNote::kNamesUsedUp);
    EXPECT_EQ(SaveScreenshot(frame, folder, when + 1).outcome, ScreenshotOutcome::Saved);  // the next second
}

TEST(Screenshot, TheNoteShowsInTheCornerForAMomentOnly) {
    MemoryPlatform platform;
    ASSERT_EQ(UseRealPictures(platform, {"images/text.sbf"}), 1);
    Fonts fonts;
    fonts.atlas[0] = LoadPicture(platform, "images/text.sbf", 288, 80);
    const Surface frame = TestFrame();
    ScreenshotNote note;
    Surface shown = frame;
    note.Draw(shown, fonts, 100);
    EXPECT_EQ(shown.pixels, frame.pixels);  // nothing before the key

    const uint32_t now = 0xFFFFFF00u;  // the tick count wraps around meanwhile
    note.Show(ScreenshotOutcome::Saved, now);
    note.Draw(shown, fonts, now + 10);
    int changed = 0, outside = 0;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            if (shown.At(x, y) != frame.At(x, y)) (x < 300 && y >= frame.height - 40 ? changed : outside) += 1;
    EXPECT_GT(changed, 1000);
    EXPECT_EQ(outside, 0);
    EXPECT_TRUE(TextShown(shown, fonts, 8, frame.height - 22, ScreenshotNote::kSaved));

    shown = frame;
    note.Draw(shown, fonts, now + ScreenshotNote::kShownMs);
    EXPECT_EQ(shown.pixels, frame.pixels);
    note.Show(ScreenshotOutcome::CannotWrite, 5);
    note.Draw(shown, fonts, 6);
    EXPECT_TRUE(TextShown(shown, fonts, 8, frame.height - 22, ScreenshotNote::kFailed));
}

}  // namespace
}  // namespace vz::test
