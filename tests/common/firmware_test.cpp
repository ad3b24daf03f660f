// The SMBIOS parser on small hand-made tables, and the rules for the firmware's texts: what counts
// as a maker's placeholder and which dates are read.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/firmware_text.h"
#include "platform/common/smbios.h"

namespace kolt::common {
namespace {

// One structure: its header (type, length of the formatted area, handle), the formatted bytes
// after the header, then its strings, each closed by a NUL, and the NUL that closes the set (two
// NULs for a set without strings).
std::string Structure(std::uint8_t type, const std::vector<std::uint8_t>& fields,
                      const std::vector<std::string>& strings) {
    std::string bytes{static_cast<char>(type), static_cast<char>(4 + fields.size()), '\x01',
                      '\x00'};
    bytes.append(fields.begin(), fields.end());
    for (const std::string& text : strings) {
        bytes += text;
        bytes += '\0';
    }
    if (strings.empty()) {
        bytes += '\0';
    }
    bytes += '\0';
    return bytes;
}

// BIOS: vendor string 1, version 2, start segment, date 3, ROM size, characteristics.
std::string Bios(const std::vector<std::string>& strings, std::uint8_t vendor = 1) {
    return Structure(0, {vendor, 2, 0x00, 0xF0, 3, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0}, strings);
}

// System: make string 1, model 2, version 3, serial `serial`, a UUID and the wake-up type.
std::string System(const std::vector<std::string>& strings, std::uint8_t serial = 4) {
    std::vector<std::uint8_t> fields{1, 2, 3, serial};
    fields.resize(fields.size() + 16, 0xAB);
    fields.push_back(6);
    return Structure(1, fields, strings);
}

const std::string kEnd = Structure(127, {}, {});

const std::vector<std::string> kBiosStrings{"American Megatrends Inc.", "F.20  ", "05/17/2023"};
const std::vector<std::string> kSystemStrings{"LENOVO", "20L8S2N800", "ThinkPad T480",
                                              " PF1ABCDE "};

FirmwareInfo Known() {
    return FirmwareInfo{"LENOVO",   "20L8S2N800",
                        "PF1ABCDE", "American Megatrends Inc.",
                        "F.20",     CalendarDate{2023, 5, 17}};
}

TEST(ParseSmbiosTable, ReadsTheFirstBiosAndSystemStructuresWithinTheTable) {
    const std::string normal =
        Bios(kBiosStrings) + Structure(3, {1, 2}, {"chassis"}) + System(kSystemStrings) + kEnd;
    FirmwareInfo biosOnly = Known();
    biosOnly.make = biosOnly.model = biosOnly.serialNumber = std::nullopt;
    FirmwareInfo noSerial = Known();
    noSerial.serialNumber = std::nullopt;

    struct Case {
        const char* what;
        std::string table;
        FirmwareInfo expected;
    };
    const Case cases[] = {
        {"a normal table", normal, Known()},
        {"no end-of-table structure", Bios(kBiosStrings) + System(kSystemStrings), Known()},
        {"placeholders count as unknown",
         Bios({"To Be Filled By O.E.M.", "Default string", "00/00/0000"}) +
             System({"System manufacturer", "System Product Name", "x", "System Serial Number"}) +
             kEnd,
         FirmwareInfo{}},
        {"a structure whose formatted area runs past the end",
         Bios(kBiosStrings) + System(kSystemStrings).substr(0, 20), biosOnly},
        {"a string set that is never closed",
         Bios(kBiosStrings) + System(kSystemStrings).substr(0, System(kSystemStrings).size() - 2),
         biosOnly},
        {"a serial string number past the last string",
         Bios(kBiosStrings) + System(kSystemStrings, 9) + kEnd, noSerial},
        {"string number 0 means no string", Bios(kBiosStrings) + System(kSystemStrings, 0),
         noSerial},
        {"a system structure too short to hold the serial field",
         Bios(kBiosStrings) + Structure(1, {1, 2, 3}, kSystemStrings), noSerial},
        {"only the first structure of a type counts",
         Bios(kBiosStrings) + System(kSystemStrings) + System({"Other", "Other", "", "Other"}),
         Known()},
        {"nothing after the end-of-table structure is read",
         Bios(kBiosStrings) + kEnd + System(kSystemStrings), biosOnly},
        {"a header shorter than four bytes", Bios(kBiosStrings) + std::string("\x01\x03", 2),
         biosOnly},
        {"a length below the header's own", std::string("\x01\x02\x00\x00\x00\x00", 6),
         FirmwareInfo{}},
        {"an empty table", "", FirmwareInfo{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FirmwareInfo firmware = ParseSmbiosTable(c.table);
        EXPECT_EQ(firmware.make, c.expected.make);
        EXPECT_EQ(firmware.model, c.expected.model);
        EXPECT_EQ(firmware.serialNumber, c.expected.serialNumber);
        EXPECT_EQ(firmware.biosVendor, c.expected.biosVendor);
        EXPECT_EQ(firmware.biosVersion, c.expected.biosVersion);
        EXPECT_EQ(firmware.biosDate, c.expected.biosDate);
    }
}

TEST(FirmwareText, PlaceholdersAndFillersAreUnknown) {
    struct Case {
        std::string text;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"To be filled by O.E.M.", std::nullopt},
        {"TO BE FILLED BY O.E.M.", std::nullopt},
        {"  Default string  ", std::nullopt},
        {"System Serial Number", std::nullopt},
        {"Not Applicable", std::nullopt},
        {"None", std::nullopt},
        {"OEM", std::nullopt},
        {"0", std::nullopt},
        {"0000000000", std::nullopt},
        {"XXXXXXXX", std::nullopt},
        {"\xFF\xFF\xFF\xFF", std::nullopt},
        {"   ", std::nullopt},
        {"", std::nullopt},
        {"Dell Inc.\n", "Dell Inc."},
        {" 5CG0123XYZ ", "5CG0123XYZ"},
        {"OEM Computers Ltd", "OEM Computers Ltd"},  // a placeholder only when it is all of it
        {"00000000001", "00000000001"},
        {"QEMU", "QEMU"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(KnownFirmwareText(c.text), c.expected);
    }
}

TEST(FirmwareText, DatesAreReadInTheFirmwaresForm) {
    struct Case {
        const char* text;
        std::optional<CalendarDate> expected;
    };
    const Case cases[] = {
        {"05/17/2023", CalendarDate{2023, 5, 17}},
        {"02/29/2024\n", CalendarDate{2024, 2, 29}},
        {"12/01/99", CalendarDate{1999, 12, 1}},
        {"02/29/2023", std::nullopt},
        {"13/01/2020", std::nullopt},
        {"00/00/0000", std::nullopt},
        {"2023-05-17", std::nullopt},
        {"5/7/2023", CalendarDate{2023, 5, 7}},
        {"05/17/202", std::nullopt},
        {"05/17/2023x", std::nullopt},
        {"/", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseFirmwareDate(c.text), c.expected);
    }
}

}  // namespace
}  // namespace kolt::common
