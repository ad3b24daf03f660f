#include "tests/gui_e2e/png_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace kolt::e2e {
namespace {

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

struct Chunk {
    std::string type;
    std::string data;
};

// Splits a PNG into its chunks, checking each chunk's CRC on the way.
std::vector<Chunk> Chunks(const std::string& png) {
    std::vector<Chunk> chunks;
    std::size_t at = 8;
    while (at < png.size()) {
        const std::uint32_t length = BigEndian32(png, at);
        Chunk chunk{png.substr(at + 4, 4), png.substr(at + 8, length)};
        EXPECT_EQ(BigEndian32(png, at + 8 + length), Crc32(chunk.type + chunk.data)) << chunk.type;
        chunks.push_back(chunk);
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    return chunks;
}

// Undoes a zlib stream of stored blocks, as a PNG reader would.
std::string InflateStored(const std::string& zlib) {
    std::string raw;
    std::size_t at = 2;
    bool last = false;
    while (!last) {
        last = (zlib[at] & 1) != 0;
        EXPECT_EQ(zlib[at] & 6, 0) << "not a stored block";
        const auto len = static_cast<std::uint16_t>(static_cast<unsigned char>(zlib[at + 1]) |
                                                    static_cast<unsigned char>(zlib[at + 2]) << 8);
        const auto nlen = static_cast<std::uint16_t>(static_cast<unsigned char>(zlib[at + 3]) |
                                                     static_cast<unsigned char>(zlib[at + 4]) << 8);
        EXPECT_EQ(static_cast<std::uint16_t>(~len), nlen);
        raw += zlib.substr(at + 5, len);
        at += 5 + len;
    }
    EXPECT_EQ(at + 4, zlib.size()) << "the Adler-32 sum closes the stream";
    return raw;
}

TEST(Crc32, MatchesTheStandardCheckValue) {
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32(""), 0u);
}

TEST(EncodePng, WritesHeaderRowsAndEndWithValidChunks) {
    const std::vector<std::uint8_t> rgb{1, 2, 3, 4, 5, 6};  // two pixels side by side
    const std::string png = EncodePng(2, 1, rgb);
    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    const std::vector<Chunk> chunks = Chunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[0].data, std::string("\0\0\0\2\0\0\0\1\x08\x02\0\0\0", 13));
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(InflateStored(chunks[1].data), std::string("\0\1\2\3\4\5\6", 7));
    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_TRUE(chunks[2].data.empty());
}

// A screenshot's rows exceed one stored block (65535 bytes): the data is split, never cut.
TEST(EncodePng, SplitsLargeImagesIntoSeveralStoredBlocks) {
    const std::uint32_t width = 300;
    const std::uint32_t height = 200;
    std::vector<std::uint8_t> rgb(std::size_t{width} * height * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<std::uint8_t>(i * 7);
    }
    const std::vector<Chunk> chunks = Chunks(EncodePng(width, height, rgb));
    ASSERT_EQ(chunks.size(), 3u);
    const std::string raw = InflateStored(chunks[1].data);
    ASSERT_EQ(raw.size(), (std::size_t{width} * 3 + 1) * height);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::size_t row = y * (std::size_t{width} * 3 + 1);
        ASSERT_EQ(raw[row], '\0');
        ASSERT_EQ(raw.compare(
                      row + 1, width * 3,
                      std::string(rgb.begin() + y * width * 3, rgb.begin() + (y + 1) * width * 3)),
                  0)
            << "row " << y;
    }
}

TEST(EncodePng, RefusesPixelDataOfTheWrongSize) {
    EXPECT_THROW(EncodePng(2, 2, std::vector<std::uint8_t>(11)), std::invalid_argument);
    EXPECT_THROW(EncodePng(0, 1, {}), std::invalid_argument);
}

}  // namespace
}  // namespace kolt::e2e
