// Reading files whole and up to their first paragraph.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/posix/file_content.h"

namespace kolt::posix {
namespace {

class FileContent : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kolt_file_content_XXXXXX";
        const int fd = ::mkstemp(pattern);
        ASSERT_GE(fd, 0);
        ::close(fd);
        m_path = pattern;
    }
    void TearDown() override { ::unlink(m_path.c_str()); }

    void Write(const std::string& bytes) {
        std::ofstream(m_path, std::ios::binary | std::ios::trunc) << bytes;
    }

    std::string m_path;
};

TEST_F(FileContent, ReadsFilesLargerThanOneChunkWhole) {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) {
        bytes += "line " + std::to_string(i) + "\n";
    }
    bytes += std::string("\0tail", 5);
    Write(bytes);
    EXPECT_EQ(ReadFileContent(m_path.c_str()), bytes);
}

TEST_F(FileContent, MissingFilesAndDirectoriesAreNotRead) {
    EXPECT_EQ(ReadFileContent("/nonexistent/kolt/file"), std::nullopt);
    EXPECT_EQ(ReadFileContent("/"), std::nullopt);
    EXPECT_EQ(ReadFirstParagraph("/nonexistent/kolt/file"), std::nullopt);
}

TEST_F(FileContent, FirstParagraphEndsAtTheFirstEmptyLineWhereverTheReadsSplit) {
    // The empty line is placed so that its two line feeds fall on both sides of every
    // plausible read boundary.
    for (const std::size_t before : {0u, 4094u, 4095u, 4096u, 8191u}) {
        SCOPED_TRACE(before);
        const std::string first = std::string(before, 'a') + "\n\n";
        Write(first + "second\n\nthird\n");
        EXPECT_EQ(ReadFirstParagraph(m_path.c_str()), first);
    }
    Write("no empty line\nat all");
    EXPECT_EQ(ReadFirstParagraph(m_path.c_str()), "no empty line\nat all");
}

}  // namespace
}  // namespace kolt::posix
