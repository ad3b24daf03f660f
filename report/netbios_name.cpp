#include "report/netbios_name.h"

#include "report/report_limits.h"
#include "text/utf8.h"

namespace kolt {

std::optional<std::string> NetbiosNameFromHostName(std::string_view hostName) {
    std::string name(text::Utf16LimitedPrefix(hostName.substr(0, hostName.find('.')),
                                              limits::kComputerNameCharacters));
    if (name.empty()) {
        return std::nullopt;
    }
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return name;
}

std::optional<std::string> NetbiosStyleName(const ComputerNameInfo& names) {
    if (names.netbiosName) {
        return names.netbiosName;
    }
    if (names.hostName) {
        return NetbiosNameFromHostName(*names.hostName);
    }
    return std::nullopt;
}

}  // namespace kolt
