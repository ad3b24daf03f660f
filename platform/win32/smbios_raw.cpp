// No Windows headers here: these rules build and are tested on every platform.
#include "platform/win32/smbios_raw.h"

#include <cstdint>

#include "platform/common/smbios.h"

namespace kolt::win32 {

std::string_view SmbiosTableOfRawData(std::string_view rawData) {
    if (rawData.size() < kRawSmbiosHeaderLength) {
        return {};
    }
    std::uint64_t length = 0;
    for (std::size_t i = 8; i > 4; --i) {
        length = length << 8 | static_cast<std::uint8_t>(rawData[i - 1]);
    }
    const std::string_view table = rawData.substr(kRawSmbiosHeaderLength);
    return table.substr(0, static_cast<std::size_t>(std::min<std::uint64_t>(length, table.size())));
}

FirmwareInfo FirmwareFromRawSmbios(std::string_view rawData) {
    return common::ParseSmbiosTable(SmbiosTableOfRawData(rawData));
}

}  // namespace kolt::win32
