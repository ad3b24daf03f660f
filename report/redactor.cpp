#include "report/redactor.h"

#include <algorithm>

#include "report/address_kind.h"
#include "report/address_text.h"
#include "report/report_lines.h"

namespace kolt {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), LowerAscii);
    return lowered;
}

// Letters, digits and every byte of a multi-byte UTF-8 character belong to a token.
bool IsTokenByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           byte >= 0x80;
}

// '.', ':' and '-' join tokens into one ("desk042.corp", "10.0.0.12", "fe80::1:2", "pc-2"), and
// end a token where no token byte follows ("on DESK042.").
bool IsJoiner(char c) {
    return c == '.' || c == ':' || c == '-';
}

// Whether a value may begin at `at` of `text`.
bool TokenStartsAt(std::string_view text, std::size_t at) {
    if (at == 0) {
        return true;
    }
    if (IsTokenByte(text[at - 1])) {
        return false;
    }
    return !(IsJoiner(text[at - 1]) && at >= 2 && IsTokenByte(text[at - 2]));
}

// Whether `text` holds a port at `at`: ':' and digits up to the token's end ("…:8080/").
bool PortAt(std::string_view text, std::size_t at) {
    if (at >= text.size() || text[at] != ':') {
        return false;
    }
    std::size_t end = at + 1;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        ++end;
    }
    const bool digits = end > at + 1;
    const bool tokenGoesOn =
        end < text.size() &&
        (IsTokenByte(text[end]) ||
         (IsJoiner(text[end]) && end + 1 < text.size() && IsTokenByte(text[end + 1])));
    return digits && !tokenGoesOn;
}

// Whether `value` may end just before `at` of `text`. A host name or IPv4 address also ends
// before its port ("proxy.corp:8080"); an IPv6 address, whose groups a port would look like,
// does not.
bool TokenEndsAt(std::string_view text, std::size_t at, std::string_view value) {
    if (at >= text.size()) {
        return true;
    }
    if (IsTokenByte(text[at])) {
        return false;
    }
    if (value.find(':') == std::string_view::npos && PortAt(text, at)) {
        return true;
    }
    return !(IsJoiner(text[at]) && at + 1 < text.size() && IsTokenByte(text[at + 1]));
}

std::string_view StandInLabel(RedactedKind kind) {
    switch (kind) {
        case RedactedKind::ComputerName:
            return "HOST-";
        case RedactedKind::UserName:
            return "USER-";
        case RedactedKind::Domain:
            return "DOMAIN-";
        case RedactedKind::Address:
            return "address ";
        case RedactedKind::HardwareAddress:
            return "MAC-";
        case RedactedKind::SerialNumber:
            return "SERIAL-";
        case RedactedKind::ServerName:
            return "SERVER-";
        case RedactedKind::ProxyServer:
            return "PROXY-";
        case RedactedKind::Folder:
            break;
    }
    return "FOLDER-";
}

bool IsPathSeparator(char c, char separator) {
    // Windows takes either slash.
    return c == separator || (separator == '\\' && c == '/');
}

bool IsProfileRoot(std::string_view folder) {
    const std::string name = Lowered(folder);
    return name == "users" || name == "home" || name == "documents and settings";
}

struct PathPart {
    std::size_t begin;
    std::size_t end;
};

std::vector<PathPart> PathParts(std::string_view path, char separator) {
    std::vector<PathPart> parts;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsPathSeparator(path[i], separator)) {
            parts.push_back(PathPart{begin, i});
            begin = i + 1;
        }
    }
    return parts;
}

}  // namespace

std::string_view RedactedKindText(RedactedKind kind) {
    switch (kind) {
        case RedactedKind::ComputerName:
            return "computer name";
        case RedactedKind::UserName:
            return "user name";
        case RedactedKind::Domain:
            return "domains";
        case RedactedKind::Address:
            return "IP addresses";
        case RedactedKind::HardwareAddress:
            return "MAC addresses";
        case RedactedKind::SerialNumber:
            return "serial numbers";
        case RedactedKind::ServerName:
            return "server names";
        case RedactedKind::ProxyServer:
            return "proxy servers";
        case RedactedKind::Folder:
            break;
    }
    return "folder names";
}

std::string_view RedactedKindId(RedactedKind kind) {
    switch (kind) {
        case RedactedKind::ComputerName:
            return "computerName";
        case RedactedKind::UserName:
            return "userName";
        case RedactedKind::Domain:
            return "domain";
        case RedactedKind::Address:
            return "ipAddress";
        case RedactedKind::HardwareAddress:
            return "macAddress";
        case RedactedKind::SerialNumber:
            return "serialNumber";
        case RedactedKind::ServerName:
            return "serverName";
        case RedactedKind::ProxyServer:
            return "proxyServer";
        case RedactedKind::Folder:
            break;
    }
    return "folder";
}

std::string Redactor::StandIn(RedactedKind kind, std::string_view label, std::string_view text) {
    const auto key = std::make_pair(kind, Lowered(text));
    if (const auto found = m_standIns.find(key); found != m_standIns.end()) {
        return found->second;
    }
    m_kinds.insert(kind);
    auto counter = m_lastNumber.find(label);
    if (counter == m_lastNumber.end()) {
        counter = m_lastNumber.emplace(std::string(label), 0).first;
    }
    std::string standIn(label);
    standIn += std::to_string(++counter->second);
    m_standIns.emplace(key, standIn);
    return standIn;
}

void Redactor::Replace(std::string_view text, const std::string& standIn) {
    std::string masked(text);
    report_lines::MaskControlBytes(masked);
    for (const std::string_view form : {text, std::string_view(masked)}) {
        std::string lowered = Lowered(form);
        const bool known =
            lowered.empty() ||
            std::any_of(m_replacements.begin(), m_replacements.end(),
                        [&lowered](const Replacement& r) { return r.lowered == lowered; });
        if (known) {
            continue;
        }
        const auto place = std::find_if(
            m_replacements.begin(), m_replacements.end(),
            [&lowered](const Replacement& r) { return r.lowered.size() < lowered.size(); });
        m_replacements.insert(place, Replacement{std::move(lowered), standIn});
    }
}

void Redactor::Add(RedactedKind kind, std::string_view text) {
    if (!text.empty()) {
        Replace(text, StandIn(kind, StandInLabel(kind), text));
    }
}

void Redactor::AddAlias(RedactedKind kind, std::string_view text, std::string_view sameAs) {
    if (!text.empty() && !sameAs.empty()) {
        Replace(text, StandIn(kind, StandInLabel(kind), sameAs));
    }
}

void Redactor::AddAddress(const InternetAddress& address) {
    std::string_view label;
    switch (KindOf(address)) {
        case AddressKind::Loopback:
        case AddressKind::Unspecified:
            return;
        case AddressKind::LinkLocal:
            label = "link-local address ";
            break;
        case AddressKind::Private:
            label = "private address ";
            break;
        case AddressKind::Public:
            label = "address ";
            break;
    }
    const std::string text = IpText(address);
    Replace(text, StandIn(RedactedKind::Address, label, text));
}

void Redactor::AddHardwareAddress(const std::vector<std::uint8_t>& octets) {
    if (octets.empty()) {
        return;
    }
    const std::string dashed = HardwareAddressText(octets);
    std::string colons = dashed;
    std::replace(colons.begin(), colons.end(), '-', ':');
    Add(RedactedKind::HardwareAddress, dashed);
    AddAlias(RedactedKind::HardwareAddress, colons, dashed);
}

void Redactor::AddPath(std::string_view path, char separator) {
    const std::vector<PathPart> parts = PathParts(path, separator);
    const auto text = [path](const PathPart& part) {
        return path.substr(part.begin, part.end - part.begin);
    };
    // \\server\share\...: the server is named wherever it appears.
    const bool unc = path.size() > 2 && IsPathSeparator(path[0], separator) &&
                     IsPathSeparator(path[1], separator);
    if (unc && parts.size() > 2) {
        Add(RedactedKind::ServerName, text(parts[2]));
    }
    // "C:\Users\name\...", "/home/name/...": the profile root is the second part.
    if (unc || parts.size() < 3 || !IsProfileRoot(text(parts[1]))) {
        return;
    }
    std::string redacted(path.substr(0, parts[2].begin));
    for (std::size_t i = 2; i < parts.size(); ++i) {
        const std::string_view folder = text(parts[i]);
        if (!folder.empty()) {
            const auto user =
                m_standIns.find(std::make_pair(RedactedKind::UserName, Lowered(folder)));
            redacted += user != m_standIns.end() ? user->second
                                                 : StandIn(RedactedKind::Folder, "FOLDER-", folder);
            // The path up to this folder stands for itself wherever it appears, a file's path
            // after it included.
            Replace(path.substr(0, parts[i].end), redacted);
        }
        if (i + 1 < parts.size()) {
            redacted += path[parts[i].end];
        }
    }
}

std::string Redactor::Redact(std::string_view text) const {
    const std::string lowered = Lowered(text);
    std::string redacted;
    redacted.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const Replacement* match = nullptr;
        if (TokenStartsAt(text, at)) {
            for (const Replacement& r : m_replacements) {
                if (lowered.compare(at, r.lowered.size(), r.lowered) == 0 &&
                    TokenEndsAt(text, at + r.lowered.size(), r.lowered)) {
                    match = &r;
                    break;
                }
            }
        }
        if (match) {
            redacted += match->standIn;
            at += match->lowered.size();
        } else {
            redacted += text[at++];
        }
    }
    return redacted;
}

}  // namespace kolt
