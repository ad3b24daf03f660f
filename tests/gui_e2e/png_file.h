// A minimal PNG encoder for screenshots: 8-bit RGB, stored (uncompressed) deflate blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kolt::e2e {

// Encodes width x height pixels given as rows of R, G, B bytes, top row first.
std::string EncodePng(std::uint32_t width, std::uint32_t height,
                      const std::vector<std::uint8_t>& rgb);

// The CRC-32 that PNG chunks carry (the one zlib and Ethernet use).
std::uint32_t Crc32(const std::string& bytes);

}  // namespace kolt::e2e
