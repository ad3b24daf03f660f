#include "report/report_file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace kolt {
namespace {

TEST(ReportFileName, KeepsTheFileInTheCurrentDirectory) {
    const std::pair<std::string, std::string> cases[] = {
        {"DESK042", "kolt_info_DESK042.txt"},
        {"", "kolt_info_.txt"},
        {"Unknown", "kolt_info_Unknown.txt"},
        {"..\\..\\WINDOWS", "kolt_info_.._.._WINDOWS.txt"},
        {"../etc/passwd", "kolt_info_.._etc_passwd.txt"},
        {"C:X", "kolt_info_C_X.txt"},
        {"A*B?C\"D<E>F|G", "kolt_info_A_B_C_D_E_F_G.txt"},
        {std::string("A\0B", 3), "kolt_info_A_B.txt"},
        {"TAB\tCR\rLF\n\x1f", "kolt_info_TAB_CR_LF__.txt"},
        // Bytes of an 8-bit code page and the other punctuation stay.
        {"M\xdcLLER-PC #1 (a.b)", "kolt_info_M\xdcLLER-PC #1 (a.b).txt"},
        {"\x7f", "kolt_info_\x7f.txt"},
    };
    for (const auto& [name, file] : cases) {
        EXPECT_EQ(ReportFileName(name), file);
    }
}

}  // namespace
}  // namespace kolt
