// A canned file tree for the Linux readers' root parameter: files with their parents made, and
// links, in a scratch directory laid out as /proc, /sys, /run and /etc are.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "tests/support/scratch_directory.h"

namespace kolt::test_support {

class CannedTree {
public:
    std::string Root() const { return m_directory.Path().string(); }
    void File(const std::string& path, std::string_view bytes) const {
        const std::filesystem::path full = m_directory.Path() / path;
        std::filesystem::create_directories(full.parent_path());
        WriteBytes(full, bytes);
    }
    void Directory(const std::string& path) const {
        std::filesystem::create_directories(m_directory.Path() / path);
    }
    void Link(const std::string& path, const std::string& target) const {
        const std::filesystem::path full = m_directory.Path() / path;
        std::filesystem::create_directories(full.parent_path());
        std::filesystem::create_directory_symlink(target, full);
    }

private:
    ScratchDirectory m_directory{"kolt_tree_"};
};

}  // namespace kolt::test_support
