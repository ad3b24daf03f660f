#include "selection/selection_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <string_view>

#include "console/console_limits.h"
#include "gui/gui_limits.h"
#include "tests/support/scratch_directory.h"

namespace kolt {
namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using test_support::WriteBytes;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

SelectionValues Values(std::initializer_list<std::int32_t> leading) {
    SelectionValues values{};
    std::size_t index = 0;
    for (const std::int32_t value : leading) {
        values[index++] = value;
    }
    return values;
}

SelectionValues AllOnes() {
    SelectionValues values;
    values.fill(1);
    return values;
}

// What no selection file means: every original section, not the extended one, nothing hidden.
SelectionValues Defaults() {
    SelectionValues values = AllOnes();
    At(values, ReportSection::Extended) = 0;
    At(values, ReportSection::Redact) = 0;
    return values;
}

struct LineCase {
    std::string_view line;
    std::int32_t value;
};

class SelectionLineTest : public ::testing::TestWithParam<LineCase> {};

// The first line decides All; the value must not leak into the second entry either.
TEST_P(SelectionLineTest, FirstLineReadsLikeAtoi) {
    const LineCase& c = GetParam();
    std::string bytes(c.line);
    bytes += "\r\n0\r\n";
    EXPECT_EQ(ParseSelection(bytes), Values({c.value, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SelectionLineTest,
    ::testing::Values(
        // On.
        LineCase{"1", 1}, LineCase{"2", 2}, LineCase{"-1", -1}, LineCase{" 1", 1},
        LineCase{"+1", 1}, LineCase{"1abc", 1}, LineCase{"7", 7}, LineCase{"007", 7},
        LineCase{"\t\v\f\r 3", 3}, LineCase{"12 34", 12},
        // Off.
        LineCase{"0", 0}, LineCase{"", 0}, LineCase{"yes", 0}, LineCase{"x1", 0}, LineCase{"-0", 0},
        LineCase{"- 1", 0}, LineCase{"+-1", 0}, LineCase{"   ", 0},
        // Beyond 32 bits the value saturates and still counts as on.
        LineCase{"2147483647", kMax}, LineCase{"2147483648", kMax}, LineCase{"4294967296", kMax},
        LineCase{"99999999999999999999999999", kMax}, LineCase{"-2147483648", kMin},
        LineCase{"-2147483649", kMin}, LineCase{"-18446744073709551616", kMin},
        // A NUL ends the text the way it ends a C string.
        LineCase{std::string_view("\0"
                                  "1",
                                  2),
                 0},
        LineCase{std::string_view("1\0"
                                  "5",
                                  3),
                 1},
        LineCase{std::string_view(" \0"
                                  "1",
                                  3),
                 0}));

TEST(SelectionParse, LinesAreTakenInFileOrder) {
    EXPECT_EQ(ParseSelection("0\r\n1\r\n1\r\n"), Values({0, 1, 1}));
    EXPECT_EQ(ParseSelection(""), Values({}));
    EXPECT_EQ(ParseSelection("1"), Values({1}));
    EXPECT_EQ(ParseSelection("\n\n\n\n\n\n\n\n\n5"), Values({0, 0, 0, 0, 0, 0, 0, 0, 0, 5}));
}

TEST(SelectionParse, LfAndCrLfReadAlike) {
    const std::string_view lf = "1\n0\n1\n0\n1\n0\n1\n0\n1\n0\n";
    const std::string_view crlf = "1\r\n0\r\n1\r\n0\r\n1\r\n0\r\n1\r\n0\r\n1\r\n0\r\n";
    const std::string_view mixed = "1\r\n0\n1\r\n0\n1\r\n0\n1\r\n0\n1\r\n0";
    EXPECT_EQ(ParseSelection(lf), Values({1, 0, 1, 0, 1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(ParseSelection(crlf), ParseSelection(lf));
    EXPECT_EQ(ParseSelection(mixed), ParseSelection(lf));
}

// The eleventh line is the Extended Information section's and the twelfth hides personal
// details: files of ten and eleven lines leave them off, and lines past the twelfth are ignored.
TEST(SelectionParse, TheEleventhLineIsExtendedTheTwelfthRedactAndLaterLinesAreIgnored) {
    std::string tenLines;
    for (int line = 0; line < 10; ++line) {
        tenLines += "1\r\n";
    }
    EXPECT_EQ(ParseSelection(tenLines), Defaults());
    SelectionValues extendedOnly = AllOnes();
    At(extendedOnly, ReportSection::Redact) = 0;
    EXPECT_EQ(ParseSelection(tenLines + "1\r\n"), extendedOnly);
    EXPECT_EQ(ParseSelection(tenLines + "1\r\n1\r\n"), AllOnes());
    EXPECT_EQ(ParseSelection(tenLines + "0\r\n0\r\n1\r\n1\r\n"), Defaults());
}

// The file is read in pieces; a piece boundary anywhere must not change a value.
TEST(SelectionParse, PiecesOfAnySizeGiveTheSameValues) {
    const std::string_view inputs[] = {
        "1\r\n0\r\n-12\r\n  +7x\r\n\r\n2147483648\r\nabc\r\n9\r\n-\r\n 3\r\n1\r\n",
        "   \t-99999999999\n\n\n5",
        std::string_view("1\0"
                         "2\n\0\n-3",
                         7),
    };
    for (const std::string_view input : inputs) {
        for (std::size_t size = 1; size <= 4; ++size) {
            SelectionParser parser;
            for (std::size_t at = 0; at < input.size(); at += size) {
                parser.Feed(input.substr(at, size));
            }
            EXPECT_EQ(parser.Values(), ParseSelection(input)) << "pieces of " << size;
        }
    }
}

TEST(SelectionPath, JoinsDirectorySeparatorAndName) {
    EXPECT_EQ(SelectionPath("C:\\Support", 1024, '\\'), "C:\\Support\\kolt_info.cfg");
    // At a drive's root the directory already ends in a backslash; nothing is normalised.
    EXPECT_EQ(SelectionPath("C:\\", 260, '\\'), "C:\\\\kolt_info.cfg");
    EXPECT_EQ(SelectionPath("/home/me", 1024, '/'), "/home/me/kolt_info.cfg");
}

// A directory that cannot be named (deleted, or deeper than the buffer) leaves the bare name,
// which is the file in the current directory, never one at the root.
TEST(SelectionPath, DirectoryThatIsUnknownOrDoesNotFitTheBufferIsLeftOut) {
    const std::string fits(259, 'd');
    const std::string tooLong(260, 'd');
    EXPECT_EQ(SelectionPath(std::nullopt, 1024, '\\'), "kolt_info.cfg");
    EXPECT_EQ(SelectionPath(std::nullopt, 1024, '/'), "kolt_info.cfg");
    EXPECT_EQ(SelectionPath(fits, limits::kDialogDirectoryArea, '\\'), fits + "\\kolt_info.cfg");
    EXPECT_EQ(SelectionPath(tooLong, limits::kDialogDirectoryArea, '\\'), "kolt_info.cfg");
    EXPECT_EQ(SelectionPath(tooLong, limits::kConsoleDirectoryArea, '\\'),
              tooLong + "\\kolt_info.cfg");
    // Characters count as the wide buffer holds them: 259 three-byte characters fit.
    std::string wide;
    for (int i = 0; i < 259; ++i) {
        wide += "\xE7\x8E\x8B";
    }
    EXPECT_EQ(SelectionPath(wide, limits::kDialogDirectoryArea, '\\'), wide + "\\kolt_info.cfg");
    EXPECT_EQ(SelectionPath(wide + "d", limits::kDialogDirectoryArea, '\\'), "kolt_info.cfg");
}

TEST(ReadSelection, FileThatCannotBeOpenedMeansEverySectionButExtended) {
    test_support::ScratchDirectory dir;
    EXPECT_EQ(ReadSelection(dir.File("absent.cfg")), Defaults());
    fs::create_directory(dir.File("folder.cfg"));
    EXPECT_EQ(ReadSelection(dir.File("folder.cfg")), Defaults());
}

TEST(ReadSelection, EmptyFileMeansNoSection) {
    test_support::ScratchDirectory dir;
    WriteBytes(dir.File("kolt_info.cfg"), "");
    EXPECT_EQ(ReadSelection(dir.File("kolt_info.cfg")), Values({}));
}

TEST(ReadSelection, ReadsTheFilesLines) {
    test_support::ScratchDirectory dir;
    WriteBytes(dir.File("kolt_info.cfg"), "0\n1\n1\n");
    EXPECT_EQ(ReadSelection(dir.File("kolt_info.cfg")), Values({0, 1, 1}));
}

// Lines far longer than the read buffer, with and without a line feed.
TEST(ReadSelection, LongLinesAreReadWholeUpToOneMebibyte) {
    test_support::ScratchDirectory dir;
    const std::string path = dir.File("kolt_info.cfg");
    const std::size_t size = 300 * 1024;

    WriteBytes(path, "1" + std::string(size, 'x'));
    EXPECT_EQ(ReadSelection(path), Values({1}));

    WriteBytes(path, std::string(size, ' ') + "1\r\n" + std::string(size, '9') + "\r\n-1");
    EXPECT_EQ(ReadSelection(path), Values({1, kMax, -1}));

    WriteBytes(path, "0" + std::string(size, '\0') + "\n1\n");
    EXPECT_EQ(ReadSelection(path), Values({0, 1}));

    // What lies past the first mebibyte counts as the end of the file.
    const std::size_t mebibyte = 1024 * 1024;
    WriteBytes(path, "1\n" + std::string(mebibyte - 4, ' ') + "1\n1\n");
    EXPECT_EQ(ReadSelection(path), Values({1, 1}));
}

// The first ten lines are the thirty bytes they always were; the eleventh and twelfth follow.
TEST(WriteSelection, WritesTwelveCrLfLines) {
    test_support::ScratchDirectory dir;
    const std::string path = dir.File("kolt_info.cfg");

    WriteSelection(path, Defaults());
    std::string allOn;
    for (int line = 0; line < 10; ++line) {
        allOn += "1\r\n";
    }
    EXPECT_EQ(ReadBytes(path), allOn + "0\r\n0\r\n");

    WriteSelection(path, Values({1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 1}));
    EXPECT_EQ(ReadBytes(path), "1\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n1\r\n");
}

TEST(WriteSelection, ReplacesALongerFileAndReadsBack) {
    test_support::ScratchDirectory dir;
    const std::string path = dir.File("kolt_info.cfg");
    WriteBytes(path, std::string(100, '1') +
                         "\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n");

    const SelectionValues values = Values({0, 1, -1, 7, kMax, kMin, 0, 1, 0, 1, 5, 0});
    WriteSelection(path, values);
    EXPECT_EQ(ReadBytes(path),
              "0\r\n1\r\n-1\r\n7\r\n2147483647\r\n-2147483648\r\n0\r\n1\r\n0\r\n1\r\n5\r\n0\r\n");
    EXPECT_EQ(ReadSelection(path), values);
}

TEST(WriteSelection, UnwritablePathIsSkippedSilently) {
    test_support::ScratchDirectory dir;
    const std::string missingFolder = dir.File("missing") + "/kolt_info.cfg";
    WriteSelection(missingFolder, AllOnes());
    EXPECT_FALSE(fs::exists(missingFolder));

    const std::string folder = dir.File("kolt_info.cfg");
    fs::create_directory(folder);
    WriteSelection(folder, AllOnes());
    EXPECT_TRUE(fs::is_directory(folder));
}

}  // namespace
}  // namespace kolt
