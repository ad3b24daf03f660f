#include "tests/gui_e2e/png_file.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>

namespace kolt::e2e {

namespace {

constexpr std::size_t kMaxStoredBlock = 65535;

void PutBigEndian32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFFu));
    }
}

void PutChunk(std::string& out, const char (&type)[5], const std::string& data) {
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    std::string typed(type, 4);
    typed += data;
    out += typed;
    PutBigEndian32(out, Crc32(typed));
}

std::uint32_t Adler32(const std::string& bytes) {
    constexpr std::uint32_t kModulus = 65521;
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char c : bytes) {
        a = (a + static_cast<unsigned char>(c)) % kModulus;
        b = (b + a) % kModulus;
    }
    return (b << 16) | a;
}

// A zlib stream made of stored deflate blocks: larger files, but no compressor to get wrong.
std::string ZlibStored(const std::string& raw) {
    std::string out = "\x78\x01";
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(kMaxStoredBlock, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out.push_back(last ? '\x01' : '\x00');
        const auto len = static_cast<std::uint16_t>(length);
        const auto nlen = static_cast<std::uint16_t>(~len);
        out.push_back(static_cast<char>(len & 0xFFu));
        out.push_back(static_cast<char>(len >> 8));
        out.push_back(static_cast<char>(nlen & 0xFFu));
        out.push_back(static_cast<char>(nlen >> 8));
        out.append(raw, offset, length);
        offset += length;
    } while (offset < raw.size());
    PutBigEndian32(out, Adler32(raw));
    return out;
}

}  // namespace

std::uint32_t Crc32(const std::string& bytes) {
    static const std::array<std::uint32_t, 256> kTable = [] {
        std::array<std::uint32_t, 256> table{};
        for (std::uint32_t n = 0; n < table.size(); ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            table[n] = c;
        }
        return table;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc = kTable[(crc ^ static_cast<unsigned char>(c)) & 0xFFu] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::string EncodePng(std::uint32_t width, std::uint32_t height,
                      const std::vector<std::uint8_t>& rgb) {
    const std::size_t rowBytes = std::size_t{width} * 3;
    if (width == 0 || height == 0 || rgb.size() != rowBytes * height) {
        throw std::invalid_argument("EncodePng: pixel data does not match the size");
    }
    std::string raw;
    raw.reserve((rowBytes + 1) * height);
    for (std::uint32_t y = 0; y < height; ++y) {
        raw.push_back('\0');  // filter type None
        const auto* row = rgb.data() + rowBytes * y;
        raw.append(reinterpret_cast<const char*>(row), rowBytes);
    }

    std::string header;
    PutBigEndian32(header, width);
    PutBigEndian32(header, height);
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no interlace

    std::string png = "\x89PNG\r\n\x1a\n";
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", ZlibStored(raw));
    PutChunk(png, "IEND", std::string());
    return png;
}

}  // namespace kolt::e2e
