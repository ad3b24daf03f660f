// Feeds arbitrary bytes to the SMBIOS parser as a structure table. The sanitizers catch any read
// outside the table; beyond that, every text it yields must be a piece of the table that is not a
// placeholder, and every date one that exists.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/common/firmware_text.h"
#include "platform/common/smbios.h"

namespace {

void CheckText(std::string_view table, const std::optional<std::string>& text) {
    if (text && (text->empty() || table.find(*text) == std::string_view::npos ||
                 kolt::common::IsPlaceholderText(*text))) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Copied, so that a read one byte past the end lands outside the allocation.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string_view table(bytes);
    const kolt::FirmwareInfo firmware = kolt::common::ParseSmbiosTable(table);
    for (const auto* text : {&firmware.make, &firmware.model, &firmware.serialNumber,
                             &firmware.biosVendor, &firmware.biosVersion}) {
        CheckText(table, *text);
    }
    if (const auto date = firmware.biosDate;
        date && (date->month < 1 || date->month > 12 || date->day < 1 || date->day > 31)) {
        std::abort();
    }
    return 0;
}
