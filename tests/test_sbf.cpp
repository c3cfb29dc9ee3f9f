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

std::vector<uint16_t> Old(std::vector<uint16_t> head, size_t total) {
    head.resize(total, 0x4321);
    return head;
}

}  // namespace

TEST(SbfPictures, PixelsRowAfterRowOnlyTheProductOfTheSizesCounts) {
    const std::vector<uint16_t> px = {1, 2, 3, kColorKey, 0xFFFF, 0x0000};
    for (auto [first, second, unused] : {std::tuple{3, 2, 0u}, {2, 3, 0xDEADBEEFu}, {6, 1, 0xFFFFFFFFu}}) {
        Surface s = CreateOffscreenSurface(3, 2);
        EXPECT_TRUE(DecodeSbf(SbfBytes(first, second, px, unused), s));
        EXPECT_TRUE(s.filled);
        EXPECT_EQ(s.pixels, px);
    }
    // More pixels than the surface holds: the first ones fill it. Fewer, or a file cut short of its
    // header (an odd last byte dropped): the pixels there are shown, the rest keeps what it held.
    Surface small = OldPicture(2, 2);
    EXPECT_TRUE(DecodeSbf(SbfBytes(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}), small));
    EXPECT_EQ(small.pixels, (std::vector<uint16_t>{1, 2, 3, 4}));
    Surface large = OldPicture(3, 2);
    EXPECT_TRUE(DecodeSbf(SbfBytes(2, 2, {1, 2, 3, 4}), large));
    EXPECT_EQ(large.pixels, Old({1, 2, 3, 4}, 6));
    Surface cut = OldPicture(3, 2);
    auto bytes = SbfBytes(3, 2, {1, 2, 3});
    bytes.push_back(0x55);
    EXPECT_TRUE(DecodeSbf(bytes, cut));
    EXPECT_TRUE(cut.filled);
    EXPECT_EQ(cut.pixels, Old({1, 2, 3}, 6));
}

TEST(SbfPictures, MissingAndDamagedFilesLeaveTheSurfaceUntouched) {
    vz::test::MemoryPlatform files;
    auto shortHeader = SbfBytes(3, 2, {});
    shortHeader.resize(11);
    const std::vector<uint16_t> six(6, 0x0101);
    const std::vector<std::vector<uint8_t>> damaged = {
        shortHeader, SbfBytes(-3, 2, six), SbfBytes(-3, -2, six), SbfBytes(0, 2, six),
        SbfBytes(65537, 65537, std::vector<uint16_t>(131073, 1)),  // 131073 pixels in 32 bits
        SbfBytes(65536, 65536, six),                               // 0 pixels in 32 bits
        SbfBytes(INT32_MAX, INT32_MAX, six), SbfBytes(3, 2, {}),
    };
    for (size_t i = 0; i < damaged.size(); ++i) files.files["images/" + std::to_string(i) + ".sbf"] = damaged[i];
    for (size_t i = 0; i <= damaged.size(); ++i) {  // the last path does not exist
        Surface s = OldPicture(3, 2);
        EXPECT_FALSE(LoadSbfSurface(files, "images/" + std::to_string(i) + ".sbf", s)) << "file " << i;
        EXPECT_FALSE(s.filled) << "file " << i;
        EXPECT_EQ(s.pixels, Old({}, 6)) << "file " << i;
    }
    // The real font atlas built for the game loads at its size.
    Files disk;
    Surface atlas = CreateOffscreenSurface(288, 80);
    EXPECT_TRUE(LoadSbfSurface(disk, "images/text.sbf", atlas));
}

TEST(SbfPictures, FilesOnDiskLoadAsTheSameBytesDecodedInMemory) {
    // Pictures are read from the disk straight into the surface; every case of the header and the
    // file's length must come out as the decoder makes it of the same bytes.
    const std::vector<uint16_t> six = {1, 2, kColorKey, 4, 5, 6};
    auto oddTail = SbfBytes(3, 2, {1, 2, 3});
    oddTail.push_back(0x55);
    auto longer = SbfBytes(2, 1, six);  // more pixels than its header promises
    const std::vector<std::vector<uint8_t>> cases = {
        SbfBytes(3, 2, six), SbfBytes(6, 1, six), SbfBytes(2, 2, {7, 8, 9, 10}), oddTail, longer,
        SbfBytes(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}), SbfBytes(-3, 2, six), SbfBytes(3, 2, {}),
        std::vector<uint8_t>(11, 1), std::vector<uint8_t>{},
    };
    vz::test::TempFolder folder;
    Files disk;
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string path = folder.Write("p" + std::to_string(i) + ".sbf", cases[i]);
        Surface read = OldPicture(3, 2), decoded = OldPicture(3, 2);
        EXPECT_EQ(LoadSbfSurface(disk, path, read), DecodeSbf(cases[i], decoded)) << "case " << i;
        EXPECT_EQ(read.pixels, decoded.pixels) << "case " << i;
        EXPECT_EQ(read.filled, decoded.filled) << "case " << i;
    }
    // A new picture is made at its size only from a file that can be read; one that cannot is
    // simply not seen, and takes no memory.
    const Surface read = LoadPicture(disk, folder.Path("p0.sbf"), 3, 2);
    EXPECT_TRUE(read.filled);
    EXPECT_EQ(read.pixels, six);
    for (const std::string& unreadable : {folder.Path("missing.sbf"), folder.Path("p9.sbf"), folder.Path("")}) {
        const Surface unseen = LoadPicture(disk, unreadable, 3, 2);
        EXPECT_FALSE(unseen.filled) << unreadable;
        EXPECT_TRUE(unseen.Empty()) << unreadable;
    }

    Surface untouched = OldPicture(3, 2);
    EXPECT_FALSE(LoadSbfSurface(disk, folder.Path("missing.sbf"), untouched));
    EXPECT_FALSE(LoadSbfSurface(disk, folder.Path(""), untouched));  // a folder, not a file
    EXPECT_EQ(untouched.pixels, Old({}, 6));

    // A walk mask read from the disk is the one decoded from its bytes.
    const auto maskBytes = MaskPicture([](int x, int y) { return (x / 40 + y / 30) % 3 == 0; });
    WalkMask fromDisk{}, fromMemory{};
    ASSERT_TRUE(LoadWalkMask(disk, folder.Write("m_i.sbf", maskBytes), fromDisk));
    ASSERT_TRUE(DecodeWalkMask(maskBytes, fromMemory));
    EXPECT_TRUE(fromDisk == fromMemory);
}

TEST(WalkMasks, OnlyTheSamplePointsCountAndOnlyPureBlackBlocks) {
    // Black everywhere but the sample points, which are 0x0001: every cell walkable.
    std::vector<uint16_t> px(1024 * 768, 0x0000);
    for (int r = 0; r < 128; ++r)
        for (int c = 0; c < 128; ++c) px[static_cast<size_t>(2 + 6 * r) * 1024 + 4 + 8 * c] = 0x0001;
    WalkMask mask;
    mask.fill(7);
    ASSERT_TRUE(DecodeWalkMask(SbfBytes(1024, 768, px, 0xABCDEF01u), mask));
    EXPECT_EQ(std::count(mask.begin(), mask.end(), 0), 128 * 128);

    // Black edges and thin lines between the samples; single black pixels on three sample points.
    ASSERT_TRUE(DecodeWalkMask(MaskPicture([](int x, int y) {
                                   return y < 2 || y > 764 || x < 4 || x > 1020 || x == 8 || x == 515 || y == 5 ||
                                          y == 400 || (x == 4 && y == 2) || (x == 1020 && y == 764) ||
                                          (x == 44 && y == 44);
                               }),
                               mask));
    EXPECT_EQ(std::count(mask.begin(), mask.end(), 1), 3);
    EXPECT_EQ(mask[0], 1);
    EXPECT_EQ(mask[127 * 128 + 127], 1);
    EXPECT_EQ(mask[7 * 128 + 5], 1);  // (4 + 8 * 5, 2 + 6 * 7)
}

TEST(WalkMasks, PicturesWithoutEverySamplePointLeaveTheMaskAsItWas) {
    constexpr size_t kLastSample = 764 * 1024 + 1020;
    vz::test::MemoryPlatform files;
    files.files["low_i.sbf"] = SbfBytes(1024, 764, std::vector<uint16_t>(1024 * 764, 0));
    files.files["cut_i.sbf"] = SbfBytes(1024, 768, std::vector<uint16_t>(kLastSample, 0));
    files.files["bad_i.sbf"] = SbfBytes(-1024, 768, std::vector<uint16_t>(1024 * 768, 0));
    WalkMask mask{};
    mask[5] = 1;
    const WalkMask before = mask;
    for (const char* path : {"none_i.sbf", "low_i.sbf", "cut_i.sbf", "bad_i.sbf"})
        EXPECT_FALSE(LoadWalkMask(files, path, mask)) << path;
    EXPECT_TRUE(mask == before);

    // Cut short just after the last sample point: nothing the mask needs is missing.
    files.files["ok_i.sbf"] = SbfBytes(1024, 768, std::vector<uint16_t>(kLastSample + 1, 0));
    EXPECT_TRUE(LoadWalkMask(files, "ok_i.sbf", mask));
    EXPECT_EQ(std::count(mask.begin(), mask.end(), 1), 128 * 128);
}
