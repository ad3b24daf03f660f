// A fresh, empty directory for one test under the system's temporary directory, removed with
// everything in it afterwards; and whole-file reads and writes in binary, so the bytes a test
// compares are the bytes on disk on every platform.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace kolt::test_support {

// A path named in UTF-8, and a path's name in UTF-8, on every platform: the Windows C++ library
// reads a path given as std::string in the 8-bit code page, which cannot spell every name.
inline std::filesystem::path Utf8Path(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The file's bytes; empty when it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class ScratchDirectory {
public:
    // `prefix` starts the directory's name; a prefix with a blank puts a blank in every path.
    explicit ScratchDirectory(std::string_view prefix = "kolt_test_") {
        static std::atomic<unsigned> counter{0};
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        // create_directory answers false for a name that exists: only a new directory is taken.
        for (int attempt = 0; attempt < 100; ++attempt) {
            auto candidate = base / (std::string(prefix) + std::to_string(random()) + "_" +
                                     std::to_string(counter++));
            if (std::filesystem::create_directory(candidate)) {
                m_path = std::move(candidate);
                return;
            }
        }
        throw std::runtime_error("no fresh directory under " + base.string());
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The path of `name` inside the directory, as text.
    std::string File(std::string_view name) const { return (m_path / name).string(); }
    void Write(std::string_view name, std::string_view bytes) const {
        WriteBytes(m_path / name, bytes);
    }
    std::string Read(std::string_view name) const { return ReadBytes(m_path / name); }

private:
    std::filesystem::path m_path;
};

}  // namespace kolt::test_support
