// The built full-screen pictures: opaque everywhere, and no outline drawn along the picture's edge.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sbf.h"
#include "world/location.h"

using namespace vz;

namespace {

struct FullScreen {
    std::string path;
    int height;
};

std::vector<FullScreen> Pictures() {
    std::vector<FullScreen> pictures;
    for (const LocationRow& row : kLocationTable) pictures.push_back({row.background, 768});
    for (const char* path : {"images/startscreen2.sbf", "images/inventar_en.sbf", "images/last.sbf"})
        pictures.push_back({path, 768});
    pictures.push_back({"images/reden.sbf", 168});
    return pictures;
}

// Dark as the outline ink (#2b1d14): every channel below a quarter of its range.
bool Dark(uint16_t p) { return (p >> 11) < 8 && ((p >> 5) & 63) < 16 && (p & 31) < 8; }

// How much of one edge of the picture is dark where the line just inside it is not: a shape whose
// outline runs along the border instead of past it leaves exactly that, a one-pixel frame.
double FramedShare(const Surface& s, int dx, int dy, int x0, int y0, int count) {
    int framed = 0;
    for (int i = 0; i < count; ++i) {
        const int x = x0 + (dy != 0 ? i : 0), y = y0 + (dx != 0 ? i : 0);
        framed += Dark(s.At(x, y)) && !Dark(s.At(x + dx, y + dy));
    }
    return double(framed) / count;
}

}  // namespace

TEST(ScenePictures, FullScreenPicturesAreOpaqueWithoutAFrameOfOutline) {
    Files files;  // the pictures built into images/
    for (const FullScreen& picture : Pictures()) {
        const Surface s = LoadPicture(files, picture.path, 1024, picture.height);
        ASSERT_FALSE(s.Empty()) << picture.path;
        int transparent = 0;
        for (const uint16_t p : s.pixels) transparent += p == kColorKey;
        EXPECT_EQ(transparent, 0) << picture.path << " is drawn unkeyed, so a key pixel would show as magenta";

        const int w = s.width, h = s.height;
        EXPECT_LT(FramedShare(s, 0, 1, 0, 0, w), 0.25) << picture.path << ": top edge";
        EXPECT_LT(FramedShare(s, 0, -1, 0, h - 1, w), 0.25) << picture.path << ": bottom edge";
        EXPECT_LT(FramedShare(s, 1, 0, 0, 0, h), 0.25) << picture.path << ": left edge";
        EXPECT_LT(FramedShare(s, -1, 0, w - 1, 0, h), 0.25) << picture.path << ": right edge";
    }
}
