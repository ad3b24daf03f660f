#include "platform/posix/host_identity.h"

#include "platform/fixed_limits.h"
#include "text/utf8.h"

namespace kolt::posix {

std::optional<std::string> ComputerNameFromHostName(std::string_view hostName) {
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

}  // namespace kolt::posix
