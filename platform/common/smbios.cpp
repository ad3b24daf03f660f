#include "platform/common/smbios.h"

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/common/firmware_text.h"

namespace kolt::common {

namespace {

// Every structure starts with its type, the length of its formatted area and a handle.
constexpr std::size_t kHeaderLength = 4;

constexpr std::uint8_t kBiosInformation = 0;
constexpr std::uint8_t kSystemInformation = 1;
constexpr std::uint8_t kEndOfTable = 127;

// The string numbers within the formatted areas.
constexpr std::size_t kBiosVendorField = 0x04;
constexpr std::size_t kBiosVersionField = 0x05;
constexpr std::size_t kBiosDateField = 0x08;
constexpr std::size_t kSystemMakeField = 0x04;
constexpr std::size_t kSystemModelField = 0x05;
constexpr std::size_t kSystemSerialField = 0x07;

constexpr std::string_view kSetEnd{"\0\0", 2};

struct Structure {
    std::uint8_t type = 0;
    std::string_view formatted;  // the header included
    std::string_view strings;    // NUL-separated, without the two NULs that close the set
};

// The string a field of the formatted area names; nullopt for number 0 (no string), a field past
// the formatted area or a number past the last string.
std::optional<std::string_view> FieldString(const Structure& structure, std::size_t field) {
    if (field >= structure.formatted.size()) {
        return std::nullopt;
    }
    std::size_t number = static_cast<std::uint8_t>(structure.formatted[field]);
    if (number == 0) {
        return std::nullopt;
    }
    std::string_view rest = structure.strings;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\0');
        const std::string_view text = rest.substr(0, end);
        if (--number == 0) {
            return text;
        }
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    return std::nullopt;
}

std::optional<std::string> FieldText(const Structure& structure, std::size_t field) {
    const std::optional<std::string_view> text = FieldString(structure, field);
    return text ? KnownFirmwareText(*text) : std::nullopt;
}

// The structure that starts at `at`; nullopt where it does not fit in the table.
std::optional<Structure> StructureAt(std::string_view table, std::size_t at) {
    if (table.size() - at < kHeaderLength) {
        return std::nullopt;
    }
    const std::size_t length = static_cast<std::uint8_t>(table[at + 1]);
    if (length < kHeaderLength || length > table.size() - at) {
        return std::nullopt;
    }
    // An empty string set is the two NULs alone; otherwise its last string's NUL and one more.
    const std::size_t setStart = at + length;
    const std::size_t setEnd = table.find(kSetEnd, setStart);
    if (setEnd == std::string_view::npos) {
        return std::nullopt;
    }
    return Structure{static_cast<std::uint8_t>(table[at]), table.substr(at, length),
                     table.substr(setStart, setEnd - setStart)};
}

}  // namespace

FirmwareInfo ParseSmbiosTable(std::string_view table) {
    FirmwareInfo firmware;
    bool biosSeen = false;
    bool systemSeen = false;
    std::size_t at = 0;
    while (at < table.size()) {
        const std::optional<Structure> structure = StructureAt(table, at);
        if (!structure || structure->type == kEndOfTable) {
            break;
        }
        if (structure->type == kBiosInformation && !biosSeen) {
            biosSeen = true;
            firmware.biosVendor = FieldText(*structure, kBiosVendorField);
            firmware.biosVersion = FieldText(*structure, kBiosVersionField);
            if (const auto date = FieldString(*structure, kBiosDateField)) {
                firmware.biosDate = ParseFirmwareDate(*date);
            }
        } else if (structure->type == kSystemInformation && !systemSeen) {
            systemSeen = true;
            firmware.make = FieldText(*structure, kSystemMakeField);
            firmware.model = FieldText(*structure, kSystemModelField);
            firmware.serialNumber = FieldText(*structure, kSystemSerialField);
        }
        // Past the formatted area, the strings and the two NULs that close them.
        at += structure->formatted.size() + structure->strings.size() + kSetEnd.size();
    }
    return firmware;
}

}  // namespace kolt::common
