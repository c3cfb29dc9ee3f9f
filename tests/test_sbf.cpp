// Reading SBF pictures into surfaces and mask pictures into walk masks, damaged files included.
#include "platform/sbf.h"

#include <gtest/gtest.h>

#include "support.h"

using namespace vz;
using vz::test::MaskPicture;
using vz::test::SbfBytes;

namespace {

// A surface holding a recognisable old picture, as after an earlier load.
Surface OldPicture(int w, int h) {
    Surface s = CreateOffscreenSurface(w, h);
    ClearSurface(s, 0x4321);
    return s;
}

}  // namespace

TEST(SbfPictures, PixelsGoRowAfterRowWhateverTheUnusedWordHolds) {
    const std::vector<uint16_t> px = {1, 2, 3, kColorKey, 0xFFFF, 0x0000};
    for (uint32_t unused : {0u, 0xDEADBEEFu, 0xFFFFFFFFu}) {
        Surface s = CreateOffscreenSurface(3, 2);
        ASSERT_TRUE(DecodeSbf(SbfBytes(3, 2, px, unused), s));
        EXPECT_TRUE(s.filled);
        EXPECT_EQ(s.pixels, px);
    }
    // Only the product of the two dimensions counts.
    Surface swapped = CreateOffscreenSurface(3, 2);
    ASSERT_TRUE(DecodeSbf(SbfBytes(2, 3, px), swapped));
    EXPECT_EQ(swapped.At(2, 0), 3);
    EXPECT_EQ(swapped.At(0, 1), kColorKey);
}

TEST(SbfPictures, LoadingThroughFilesAndAMissingPath) {
    vz::test::MemoryPlatform files;
    files.files["images/a.sbf"] = SbfBytes(2, 2, {7, 8, 9, 10});
    Surface s = OldPicture(2, 2);
    EXPECT_TRUE(LoadSbfSurface(files, "images/a.sbf", s));
    EXPECT_EQ(s.pixels, (std::vector<uint16_t>{7, 8, 9, 10}));

    Surface kept = OldPicture(2, 2);
    EXPECT_FALSE(LoadSbfSurface(files, "images/nothing.sbf", kept));
    EXPECT_FALSE(kept.filled);
    EXPECT_EQ(kept.pixels, std::vector<uint16_t>(4, 0x4321));

    // The real font atlas built for the game loads at its size.
    Files disk;
    Surface atlas = CreateOffscreenSurface(288, 80);
    EXPECT_TRUE(LoadSbfSurface(disk, "images/text.sbf", atlas));
}

TEST(SbfPictures, DamagedFilesNeverTouchTheSurface) {
    const std::vector<uint16_t> six(6, 0x0101);
    auto shortHeader = SbfBytes(3, 2, {});
    shortHeader.resize(11);
    const std::vector<std::vector<uint8_t>> damaged = {
        {},
        shortHeader,
        SbfBytes(-3, 2, six),
        SbfBytes(-3, -2, six),  // a positive product of two negative sizes
        SbfBytes(0, 2, six),
        SbfBytes(65537, 65537, six),          // 2^32 + 2^17 + 1: 131073 in 32 bits
        SbfBytes(65536, 65536, {}),           // exactly 2^32: 0 in 32 bits
        SbfBytes(INT32_MAX, INT32_MAX, six),
        SbfBytes(3, 2, {}),                   // a header and not a single pixel
    };
    for (size_t i = 0; i < damaged.size(); ++i) {
        Surface s = OldPicture(3, 2);
        DecodeSbf(damaged[i], s);
        EXPECT_FALSE(s.filled) << "file " << i;
        EXPECT_EQ(s.pixels, std::vector<uint16_t>(6, 0x4321)) << "file " << i;
    }
    // 131073 pixels really present behind a 65537 x 65537 header are still refused.
    Surface s = OldPicture(3, 2);
    EXPECT_FALSE(DecodeSbf(SbfBytes(65537, 65537, std::vector<uint16_t>(131073, 0x0101)), s));
    EXPECT_EQ(s.At(0, 0), 0x4321);
}

TEST(SbfPictures, PictureAndSurfaceOfDifferentSizes) {
    // More pixels than the surface holds: the first ones fill it, the rest are ignored.
    Surface small = OldPicture(2, 2);
    EXPECT_TRUE(DecodeSbf(SbfBytes(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}), small));
    EXPECT_EQ(small.pixels, (std::vector<uint16_t>{1, 2, 3, 4}));
    // Fewer: only the leading pixels change.
    Surface large = OldPicture(3, 2);
    EXPECT_TRUE(DecodeSbf(SbfBytes(2, 2, {1, 2, 3, 4}), large));
    EXPECT_EQ(large.pixels, (std::vector<uint16_t>{1, 2, 3, 4, 0x4321, 0x4321}));
    // A file cut short of what its header promises shows the pixels it has; an odd last byte is dropped.
    Surface cut = OldPicture(3, 2);
    auto bytes = SbfBytes(3, 2, {1, 2, 3});
    bytes.push_back(0x55);
    EXPECT_TRUE(DecodeSbf(bytes, cut));
    EXPECT_TRUE(cut.filled);
    EXPECT_EQ(cut.pixels, (std::vector<uint16_t>{1, 2, 3, 0x4321, 0x4321, 0x4321}));
}

TEST(WalkMasks, OnlyTheSamplePointsCountAndOnlyPureBlackBlocks) {
    // Everything black except the sample points, which are 0x0001: every cell walkable.
    std::vector<uint16_t> px(1024 * 768, 0x0000);
    for (int r = 0; r < 128; ++r)
        for (int c = 0; c < 128; ++c) px[static_cast<size_t>(2 + 6 * r) * 1024 + 4 + 8 * c] = 0x0001;
    WalkMask mask;
    mask.fill(7);
    ASSERT_TRUE(DecodeWalkMask(SbfBytes(1024, 768, px, 0xABCDEF01u), mask));
    for (int32_t cell : mask) ASSERT_EQ(cell, 0);

    // White, with the edge rows and columns black and thin lines between the samples: still all walkable.
    ASSERT_TRUE(DecodeWalkMask(MaskPicture([](int x, int y) {
                                   return y < 2 || y > 764 || x < 4 || x > 1020 || x == 8 || x == 515 || y == 5 ||
                                          y == 400;
                               }),
                               mask));
    for (int32_t cell : mask) ASSERT_EQ(cell, 0);

    // Single black pixels on sample points block exactly their cells.
    ASSERT_TRUE(DecodeWalkMask(MaskPicture([](int x, int y) {
                                   return (x == 4 && y == 2) || (x == 1020 && y == 764) || (x == 4 + 8 * 5 && y == 2 + 6 * 7);
                               }),
                               mask));
    int blocked = 0;
    for (int32_t cell : mask) blocked += cell;
    EXPECT_EQ(blocked, 3);
    EXPECT_EQ(mask[0], 1);
    EXPECT_EQ(mask[127 * 128 + 127], 1);
    EXPECT_EQ(mask[7 * 128 + 5], 1);
}

TEST(WalkMasks, PicturesWithoutEverySamplePointLeaveTheMaskAsItWas) {
    constexpr size_t kLastSample = 764 * 1024 + 1020;
    vz::test::MemoryPlatform files;
    files.files["images/locations/low_i.sbf"] = SbfBytes(1024, 764, std::vector<uint16_t>(1024 * 764, 0));
    files.files["images/locations/cut_i.sbf"] = SbfBytes(1024, 768, std::vector<uint16_t>(kLastSample, 0));
    files.files["images/locations/bad_i.sbf"] = SbfBytes(-1024, 768, std::vector<uint16_t>(1024 * 768, 0));
    WalkMask mask;
    mask.fill(0);
    mask[5] = 1;
    const WalkMask before = mask;
    EXPECT_FALSE(LoadWalkMask(files, "images/locations/none_i.sbf", mask));
    for (const char* path : {"images/locations/low_i.sbf", "images/locations/cut_i.sbf", "images/locations/bad_i.sbf"})
        EXPECT_FALSE(LoadWalkMask(files, path, mask)) << path;
    EXPECT_TRUE(mask == before);

    // Cut short after the last sample point: nothing the mask needs is missing.
    files.files["images/locations/ok_i.sbf"] = SbfBytes(1024, 768, std::vector<uint16_t>(kLastSample + 1, 0));
    EXPECT_TRUE(LoadWalkMask(files, "images/locations/ok_i.sbf", mask));
    EXPECT_EQ(mask[0], 1);
    EXPECT_EQ(mask[127 * 128 + 127], 1);

    // Black upper half: the last blocked grid row samples y 380, the first free one y 386.
    files.files["images/locations/half_i.sbf"] = MaskPicture([](int, int y) { return y < 384; });
    EXPECT_TRUE(LoadWalkMask(files, "images/locations/half_i.sbf", mask));
    EXPECT_EQ(mask[63 * 128 + 9], 1);
    EXPECT_EQ(mask[64 * 128 + 9], 0);
}
