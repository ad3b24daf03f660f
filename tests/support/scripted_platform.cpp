#include "tests/support/scripted_platform.h"

namespace kolt::test_support {

void ScriptedPlatform::AddDrive(char letter, DriveKind kind, std::uint64_t totalBytes,
                                std::uint64_t freeBytes) {
    drives.push_back(DriveInfo{letter, kind, DiskSpace{totalBytes, freeBytes}});
}

void ScriptedPlatform::AddEmptyDrive(char letter, DriveKind kind) {
    drives.push_back(DriveInfo{letter, kind, std::nullopt});
}

std::vector<DriveInfo> ScriptedPlatform::Drives() {
    ++driveQueries;
    return drives;
}

std::vector<Ipv4Address> ScriptedPlatform::OwnHostAddresses() {
    ++hostAddressQueries;
    return hostAddresses;
}

}  // namespace kolt::test_support
