#include "platform/linux/firmware.h"

#include <optional>

#include "platform/common/firmware_text.h"
#include "platform/common/smbios.h"
#include "platform/posix/files.h"

namespace kolt::linux_backend {

namespace {

// The SMBIOS table is at most 64 KiB in its 32-bit form and rarely larger in the 64-bit one.
constexpr std::size_t kTableLimit = 1u << 20;

std::optional<std::string> IdFile(const std::string& directory, const char* name) {
    return posix::ReadTextFile((directory + name).c_str());
}

// The kernel ends each file with a line feed, which the firmware text rules drop.
std::optional<std::string> KnownIdText(const std::string& directory, const char* name) {
    const auto text = IdFile(directory, name);
    return text ? common::KnownFirmwareText(*text) : std::nullopt;
}

}  // namespace

FirmwareInfo ReadFirmware(const std::string& root) {
    if (const auto table =
            posix::ReadTextFile((root + "/sys/firmware/dmi/tables/DMI").c_str(), kTableLimit);
        table && !table->empty()) {
        return common::ParseSmbiosTable(*table);
    }
    const std::string ids = root + "/sys/class/dmi/id/";
    FirmwareInfo firmware;
    firmware.make = KnownIdText(ids, "sys_vendor");
    firmware.model = KnownIdText(ids, "product_name");
    firmware.serialNumber = KnownIdText(ids, "product_serial");
    firmware.biosVendor = KnownIdText(ids, "bios_vendor");
    firmware.biosVersion = KnownIdText(ids, "bios_version");
    if (const auto date = IdFile(ids, "bios_date")) {
        firmware.biosDate = common::ParseFirmwareDate(*date);
    }
    return firmware;
}

}  // namespace kolt::linux_backend
