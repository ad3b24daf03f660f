// Reading the backend's text files and the programs' own files, and replacing a file in one step,
// among the things a hostile directory can hold: links, FIFOs, devices, directories.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/posix/files.h"
#include "platform/posix/removed_on_signal.h"
#include "tests/support/scratch_directory.h"

namespace kolt {
namespace {

namespace fs = std::filesystem;
using posix::ReadFirstParagraph;
using posix::ReadTextFile;

class FilesTest : public ::testing::Test {
protected:
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    test_support::ScratchDirectory m_dir{"kolt_files_"};
};

TEST_F(FilesTest, OnlyRegularFilesAreReadAndNeverPastTheLimit) {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) {
        bytes += "line " + std::to_string(i) + "\n";
    }
    bytes += std::string("\0tail", 5);
    m_dir.Write("text", bytes);
    EXPECT_EQ(ReadTextFile(m_dir.File("text").c_str()), bytes);
    EXPECT_EQ(ReadTextFile(m_dir.File("text").c_str(), 10), bytes.substr(0, 10));

    ASSERT_EQ(::mkfifo(m_dir.File("fifo").c_str(), 0600), 0);  // no writer: opening would block
    fs::create_directory(m_dir.Path() / "directory");
    fs::create_symlink("/dev/zero", m_dir.Path() / "endless");
    for (const char* name : {"fifo", "directory", "endless", "missing"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadTextFile(m_dir.File(name).c_str()), std::nullopt);
        EXPECT_FALSE(ReadRegularFile(m_dir.File(name), 1, [](std::string_view) { return true; }));
    }
}

TEST_F(FilesTest, FirstParagraphEndsAtTheFirstEmptyLineWhereverTheReadsSplit) {
    // The empty line is placed so that its two line feeds fall on both sides of a read boundary.
    for (const std::size_t before : {0u, 16382u, 16383u, 16384u}) {
        SCOPED_TRACE(before);
        const std::string first = std::string(before, 'a') + "\n\n";
        m_dir.Write("cpuinfo", first + "second\n\nthird\n");
        EXPECT_EQ(ReadFirstParagraph(m_dir.File("cpuinfo").c_str()), first);
    }
    m_dir.Write("cpuinfo", "no empty line\nat all");
    EXPECT_EQ(ReadFirstParagraph(m_dir.File("cpuinfo").c_str()), "no empty line\nat all");
}

// Whatever stood at the name, the result is a regular file holding all the bytes, or the old
// state untouched; nothing outside the directory changes and no temporary file stays behind.
TEST_F(FilesTest, AtomicWriteReplacesLinksAndFifosButNeverFollowsThem) {
    test_support::ScratchDirectory outside{"kolt_outside_"};
    outside.Write("victim", "precious");
    fs::create_symlink(outside.Path() / "victim", m_dir.Path() / "linked");
    fs::create_symlink(outside.Path() / "not-yet", m_dir.Path() / "dangling");
    ASSERT_EQ(::mkfifo(m_dir.File("fifo").c_str(), 0600), 0);
    m_dir.Write("older", std::string(5000, '~'));
    for (const char* name : {"linked", "dangling", "fifo", "older", "new"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(WriteFileAtomically(m_dir.File(name), "report\r\n").written);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(m_dir.Path() / name)));
        EXPECT_EQ(m_dir.Read(name), "report\r\n");
    }
    EXPECT_EQ(outside.Read("victim"), "precious");
    EXPECT_FALSE(fs::exists(outside.Path() / "not-yet"));

    fs::create_directory(m_dir.Path() / "directory");
    EXPECT_FALSE(WriteFileAtomically(m_dir.File("directory"), "report\r\n").written);
    EXPECT_TRUE(fs::is_directory(m_dir.Path() / "directory"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"dangling", "directory", "fifo", "linked", "new",
                                                 "older"}));
}

// A write that fails half-way (here a file-size limit, as a full disk would) leaves the older
// file as it was. The limit is set in a child process, which reports through its exit status.
TEST_F(FilesTest, AFailedWriteLeavesTheOlderFileUntouched) {
    m_dir.Write("report", "older report");
    const std::string path = m_dir.File("report");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(WriteFileAtomically(path, std::string(4096, 'x')).written ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the cut write was reported as a success";
    EXPECT_EQ(m_dir.Read("report"), "older report");
    EXPECT_EQ(Names(), std::vector<std::string>{"report"});
}

// A signal that ends the program while a new file has a name of its own removes that file
// first, then ends the program as the signal would; an ignored signal stays ignored, and once the
// guard is gone the file is left alone. Each case runs in a child process.
TEST_F(FilesTest, AnEndingSignalRemovesTheGuardedFileFirst) {
    const struct {
        int signalNumber;
        bool ignored;
        bool whileGuarded;
    } cases[] = {
        {SIGINT, false, true}, {SIGTERM, false, true},  {SIGHUP, false, true},
        {SIGHUP, true, true},  {SIGTERM, false, false},
    };
    const std::string path = m_dir.File("new.tmp");
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "signal " << c.signalNumber << (c.ignored ? " ignored" : "")
                     << (c.whileGuarded ? "" : " after the guard"));
        m_dir.Write("new.tmp", "half a rep");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::signal(c.signalNumber, c.ignored ? SIG_IGN : SIG_DFL);
            {
                const posix::RemovedOnSignal guard(path);
                if (c.whileGuarded) {
                    ::raise(c.signalNumber);
                }
            }
            if (!c.whileGuarded) {
                ::raise(c.signalNumber);
            }
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (c.ignored) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            EXPECT_TRUE(fs::exists(path));
        } else {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signalNumber);
            EXPECT_EQ(fs::exists(path), !c.whileGuarded);
        }
    }
}

}  // namespace
}  // namespace kolt
