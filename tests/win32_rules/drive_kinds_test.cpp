#include "platform/win32/drive_kinds.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

namespace kolt::win32 {
namespace {

// GetDriveType's codes as Windows numbers them; any later code is a kind without a name.
TEST(DriveKinds, EachWindowsCodeHasItsKind) {
    const std::pair<std::uint32_t, DriveKind> cases[] = {
        {0, DriveKind::Unknown}, {1, DriveKind::NoRootDirectory}, {2, DriveKind::Removable},
        {3, DriveKind::Fixed},   {4, DriveKind::Network},         {5, DriveKind::CdRom},
        {6, DriveKind::RamDisk}, {7, DriveKind::Other},           {0xFFFF'FFFF, DriveKind::Other},
    };
    for (const auto& [code, kind] : cases) {
        EXPECT_EQ(DriveKindOfWindowsType(code), kind) << code;
    }
}

}  // namespace
}  // namespace kolt::win32
