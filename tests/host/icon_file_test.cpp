#include "app/icon_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<std::uint8_t> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Read32(std::span<const std::uint8_t> bytes, size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

TEST(IconFile, TheApplicationIconHoldsFourteenImagesInOrder) {
    std::vector<std::uint8_t> file = ReadFile(HARNLO_ICON_PATH);
    std::vector<IconEntry> entries = ReadIconDirectory(file);
    ASSERT_EQ(entries.size(), 14u);
    const int sizes[] = {256, 128, 64, 48, 32, 24, 16};
    const std::uint8_t PNG_SIGNATURE[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (size_t i = 0; i < entries.size(); ++i) {
        const IconEntry& entry = entries[i];
        SCOPED_TRACE(i);
        int size = sizes[i % 7];
        int bitCount = i < 7 ? 32 : 8;
        EXPECT_EQ(entry.width, size);
        EXPECT_EQ(entry.height, size);
        EXPECT_EQ(entry.colourCount, 0);
        EXPECT_EQ(entry.bitCount, bitCount);
        ASSERT_GE(entry.image.size(), 40u);
        bool isPng = std::memcmp(entry.image.data(), PNG_SIGNATURE, sizeof PNG_SIGNATURE) == 0;
        EXPECT_EQ(isPng, size == 256);
        if (isPng) {
            // IHDR: width, height, bit depth 8, and a colour type that carries alpha: RGBA (6),
            // or a palette (3) whose tRNS chunk gives the alpha.
            EXPECT_EQ(entry.image[16 + 3], 0x00);
            EXPECT_EQ(entry.image[16 + 2], 0x01); // 256 = 0x100, big-endian
            std::uint8_t colourType = entry.image[25];
            EXPECT_EQ(colourType, bitCount == 32 ? 6 : 3);
            if (colourType == 3) {
                std::string_view png(reinterpret_cast<const char*>(entry.image.data()),
                                     entry.image.size());
                EXPECT_NE(png.find("tRNS"), std::string_view::npos);
            }
        } else {
            // An uncompressed bitmap: BITMAPINFOHEADER with double height (colour + mask).
            EXPECT_EQ(Read32(entry.image, 0), 40u);
            EXPECT_EQ(Read32(entry.image, 4), static_cast<std::uint32_t>(size));
            EXPECT_EQ(Read32(entry.image, 8), static_cast<std::uint32_t>(size * 2));
            EXPECT_EQ(entry.image[14], bitCount);
            EXPECT_EQ(Read32(entry.image, 16), 0u); // BI_RGB
        }
    }
    // The notification area takes the last image: 16 x 16 in 256 colours.
    EXPECT_EQ(ChooseTrayIconEntry(entries, 16), std::optional<size_t>(13));
}

std::vector<std::uint8_t> IconWith(const std::vector<std::array<std::uint8_t, 3>>& entries,
                                   size_t imageSize = 4) {
    std::vector<std::uint8_t> file = {0, 0, 1, 0, static_cast<std::uint8_t>(entries.size()), 0};
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const auto& e : entries) {
        std::uint8_t entry[16] = {e[0], e[1], e[2], 0, 1, 0, 32, 0};
        std::memcpy(entry + 8, &imageSize, 4);
        std::memcpy(entry + 12, &offset, 4);
        file.insert(file.end(), entry, entry + 16);
        offset += static_cast<std::uint32_t>(imageSize);
    }
    file.resize(offset, 0xAB);
    return file;
}

TEST(IconFile, TrayChoiceTakesTheFirstSixteenWithColourCountElseTheLast) {
    EXPECT_EQ(ChooseTrayIconEntry(ReadIconDirectory(IconWith({{32, 32, 0}, {16, 16, 0}})), 16),
              std::optional<size_t>(1));
    EXPECT_EQ(ChooseTrayIconEntry(ReadIconDirectory(IconWith({{16, 16, 0}, {32, 32, 0}})), 16),
              std::optional<size_t>(1));
    EXPECT_EQ(ChooseTrayIconEntry(
                  ReadIconDirectory(IconWith({{16, 16, 16}, {16, 16, 255}, {32, 32, 0}})), 16),
              std::optional<size_t>(0));
    EXPECT_EQ(ChooseTrayIconEntry(ReadIconDirectory(IconWith({{32, 32, 16}, {16, 16, 0}})), 32),
              std::optional<size_t>(0));
    EXPECT_EQ(ChooseTrayIconEntry({}, 16), std::nullopt);
}

TEST(IconFile, DamagedFilesGiveNoEntries) {
    std::vector<std::uint8_t> good = IconWith({{16, 16, 0}});
    ASSERT_EQ(ReadIconDirectory(good).size(), 1u);
    EXPECT_TRUE(ReadIconDirectory({}).empty());
    // Not an icon (a cursor file has type 2).
    std::vector<std::uint8_t> cursor = good;
    cursor[2] = 2;
    EXPECT_TRUE(ReadIconDirectory(cursor).empty());
    // A directory longer than the file.
    std::vector<std::uint8_t> cut(good.begin(), good.begin() + 12);
    EXPECT_TRUE(ReadIconDirectory(cut).empty());
    // An image that would lie past the end is left out.
    std::vector<std::uint8_t> shortImage = IconWith({{16, 16, 0}}, 4);
    shortImage.resize(shortImage.size() - 1);
    EXPECT_TRUE(ReadIconDirectory(shortImage).empty());
    std::vector<std::uint8_t> farOffset = good;
    farOffset[6 + 12] = 0xFF;
    farOffset[6 + 15] = 0xFF;
    EXPECT_TRUE(ReadIconDirectory(farOffset).empty());
}

} // namespace
