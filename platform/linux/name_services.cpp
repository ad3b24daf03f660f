// Only Linux (and POSIX) code here.
#include "platform/linux/name_services.h"

#include <arpa/inet.h>

#include <algorithm>
#include <string>

#include "platform/linux/text_lines.h"

namespace kolt::linux_backend {

namespace {

// The text before a comment.
std::string_view WithoutComment(std::string_view line) {
    return line.substr(0, line.find('#'));
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<Ipv4Address> ParseIpv4Address(std::string_view field) {
    const std::string text(field);
    Ipv4Address address;
    if (::inet_pton(AF_INET, text.c_str(), address.octets.data()) != 1) {
        return std::nullopt;
    }
    return address;
}

}  // namespace

std::vector<std::string_view> NameServiceSources(std::string_view nsswitch,
                                                 std::string_view database) {
    std::vector<std::string_view> sources;
    bool found = false;
    ForEachLine(nsswitch, [&](std::string_view line) {
        line = Trim(WithoutComment(line));
        const std::size_t colon = line.find(':');
        if (found || colon == std::string_view::npos || Trim(line.substr(0, colon)) != database) {
            return;
        }
        found = true;
        std::string_view rest = line.substr(colon + 1);
        while (!rest.empty()) {
            rest = Trim(rest);
            if (!rest.empty() && rest.front() == '[') {
                const std::size_t close = rest.find(']');
                rest.remove_prefix(close == std::string_view::npos ? rest.size() : close + 1);
                continue;
            }
            std::size_t end = 0;
            while (end < rest.size() && !IsBlank(rest[end]) && rest[end] != '[') {
                ++end;
            }
            if (end > 0) {
                sources.push_back(rest.substr(0, end));
            }
            rest.remove_prefix(end);
        }
    });
    return sources;
}

bool UserDatabaseIsLocal(std::string_view nsswitch) {
    const std::vector<std::string_view> sources = NameServiceSources(nsswitch, "passwd");
    return !sources.empty() &&
           std::all_of(sources.begin(), sources.end(), [](std::string_view source) {
               return source == "files" || source == "systemd";
           });
}

std::optional<std::string> PasswdFileUserName(std::string_view nsswitch, std::string_view passwd,
                                              std::uint32_t userId) {
    const std::vector<std::string_view> sources = NameServiceSources(nsswitch, "passwd");
    if (sources.empty() || sources.front() != "files") {
        return std::nullopt;
    }
    const std::string id = std::to_string(userId);
    std::optional<std::string> name;
    ForEachLine(passwd, [&](std::string_view line) {
        // name:password:uid:gid:...; "+" and "-" lines bring in other databases' entries.
        const std::size_t nameEnd = line.find(':');
        if (name || nameEnd == std::string_view::npos || nameEnd == 0 || line.front() == '+' ||
            line.front() == '-') {
            return;
        }
        const std::size_t passwordEnd = line.find(':', nameEnd + 1);
        if (passwordEnd == std::string_view::npos) {
            return;
        }
        const std::string_view rest = line.substr(passwordEnd + 1);
        if (rest.substr(0, rest.find(':')) == id) {
            name = std::string(line.substr(0, nameEnd));
        }
    });
    return name;
}

std::optional<std::vector<Ipv4Address>> HostsFileAddresses(std::string_view nsswitch,
                                                           std::string_view hosts,
                                                           std::string_view hostName) {
    const std::vector<std::string_view> sources = NameServiceSources(nsswitch, "hosts");
    if (sources.empty() || sources.front() != "files" || hostName.empty()) {
        return std::nullopt;
    }
    std::vector<Ipv4Address> addresses;
    ForEachLine(hosts, [&](std::string_view line) {
        line = WithoutComment(line);
        const std::optional<Ipv4Address> address = ParseIpv4Address(NextField(line));
        if (!address) {
            return;
        }
        for (std::string_view name = NextField(line); !name.empty(); name = NextField(line)) {
            if (EqualIgnoringCase(name, hostName)) {
                if (std::find(addresses.begin(), addresses.end(), *address) == addresses.end()) {
                    addresses.push_back(*address);
                }
                return;
            }
        }
    });
    if (addresses.empty()) {
        return std::nullopt;
    }
    return addresses;
}

}  // namespace kolt::linux_backend
