#include "platform/win32/time_source_rules.h"

#include <string>

namespace kolt::win32 {
namespace {

std::optional<std::string> TextUpToEnd(const std::optional<std::string>& data) {
    if (!data) {
        return std::nullopt;
    }
    std::string text = data->substr(0, data->find('\0'));
    if (text.empty()) {
        return std::nullopt;
    }
    return text;
}

std::vector<std::string> SplitAtSpaces(const std::string& list) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start < list.size()) {
        const std::string::size_type begin = list.find_first_not_of(" \t", start);
        if (begin == std::string::npos) {
            break;
        }
        const std::string::size_type end = list.find_first_of(" \t", begin);
        parts.push_back(list.substr(begin, end - begin));
        start = end == std::string::npos ? list.size() : end;
    }
    return parts;
}

}  // namespace

std::optional<TimeSource> ReadTimeSource(RegistryView& registry,
                                         std::optional<bool> serviceRunning) {
    const bool configured = registry.KeyExists(kTimeParametersKey);
    if (!configured && !serviceRunning) {
        return std::nullopt;
    }
    TimeSource source;
    source.type = TextUpToEnd(registry.Data(kTimeParametersKey, "Type"));
    if (const std::optional<std::string> servers =
            TextUpToEnd(registry.Data(kTimeParametersKey, "NtpServer"))) {
        source.servers = SplitAtSpaces(*servers);
    }
    source.serviceRunning = serviceRunning;
    return source;
}

}  // namespace kolt::win32
