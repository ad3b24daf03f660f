// Only POSIX and Linux code here.
#include "platform/linux/time_source.h"

#include <sys/timex.h>

#include "platform/linux/text_lines.h"
#include "platform/posix/files.h"

namespace kolt::linux_backend {

std::vector<std::string> ChronyOrNtpServers(std::string_view config) {
    std::vector<std::string> servers;
    ForEachLine(config, [&servers](std::string_view line) {
        std::string_view rest = line.substr(0, line.find('#'));
        const std::string_view keyword = NextField(rest);
        if (keyword == "server" || keyword == "pool") {
            if (const std::string_view host = NextField(rest); !host.empty()) {
                servers.emplace_back(host);
            }
        }
    });
    return servers;
}

std::vector<std::string> TimesyncdServers(std::string_view config) {
    std::vector<std::string> chosen;
    std::vector<std::string> fallback;
    ForEachLine(config, [&](std::string_view line) {
        line = Trim(line);
        std::vector<std::string>* list = nullptr;
        if (line.starts_with("NTP=")) {
            list = &chosen;
        } else if (line.starts_with("FallbackNTP=")) {
            list = &fallback;
        } else {
            return;
        }
        list->clear();  // a later line replaces an earlier one
        std::string_view rest = line.substr(line.find('=') + 1);
        for (std::string_view host = NextField(rest); !host.empty(); host = NextField(rest)) {
            list->emplace_back(host);
        }
    });
    return chosen.empty() ? fallback : chosen;
}

TimeSource ReadTimeSource(const std::string& root, std::optional<bool> synchronised) {
    TimeSource source;
    source.synchronised = synchronised;
    const char* const chronyOrNtp[] = {"/etc/chrony/chrony.conf", "/etc/chrony.conf",
                                       "/etc/ntpsec/ntp.conf", "/etc/ntp.conf"};
    for (const char* path : chronyOrNtp) {
        if (const auto config = posix::ReadTextFile((root + path).c_str())) {
            source.servers = ChronyOrNtpServers(*config);
            return source;
        }
    }
    if (const auto config = posix::ReadTextFile((root + "/etc/systemd/timesyncd.conf").c_str())) {
        source.servers = TimesyncdServers(*config);
    }
    return source;
}

std::optional<bool> KernelClockSynchronised() {
    struct timex state {};
    if (::adjtimex(&state) == -1) {
        return std::nullopt;
    }
    return (state.status & STA_UNSYNC) == 0;
}

}  // namespace kolt::linux_backend
