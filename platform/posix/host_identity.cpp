#include "platform/posix/host_identity.h"

namespace kolt::posix {

std::optional<std::string> ComputerNameFromHostName(std::string_view hostName) {
    std::string name(hostName.substr(0, hostName.find('.')));
    if (name.size() > kComputerNameLength) {
        name.resize(kComputerNameLength);
    }
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
