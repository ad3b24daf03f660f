// Replaces a report's personal details with stand-ins. The values come from the report's facts
// (report/sensitive_values.h says which); each is then replaced wherever it stands as a whole
// token in any finished output (the text report, every JSON string, the file name), so blocks
// that render the same facts in their own words are covered too. Stand-ins are stable within one
// report: the same value, in any letter case, gets the same one.
//
// Stand-ins: HOST-n, USER-n, DOMAIN-n, MAC-n, SERIAL-n, SERVER-n, PROXY-n, FOLDER-n, and for
// addresses "address n", "private address n" or "link-local address n", which keep what the desk
// needs to know of an address: its kind. Loopback and unspecified addresses identify no one and
// are kept.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kolt {

// What a redacted report says it replaced, in this order.
enum class RedactedKind {
    ComputerName,
    UserName,
    Domain,
    Address,
    HardwareAddress,
    SerialNumber,
    ServerName,
    ProxyServer,
    Folder,
};

// "computer name", "IP addresses": as the text report's closing line lists the kind.
std::string_view RedactedKindText(RedactedKind kind);
// "computerName", "ipAddress": as the JSON form's "redacted" member lists it.
std::string_view RedactedKindId(RedactedKind kind);

class Redactor {
public:
    // `text` as a value of `kind`, replaced by its kind's next stand-in (or the one it has).
    void Add(RedactedKind kind, std::string_view text);
    // `text` replaced by the stand-in that `sameAs` has as a value of `kind` (a host name whole
    // and its first label are the same computer).
    void AddAlias(RedactedKind kind, std::string_view text, std::string_view sameAs);
    // The address as the report writes it (IpText), unless it is loopback or unspecified.
    void AddAddress(const InternetAddress& address);
    // A hardware address in the forms a report writes (00-1A-2B-3C-4D-5E, 00:1a:2b:3c:4d:5e).
    void AddHardwareAddress(const std::vector<std::uint8_t>& octets);
    // A directory path: below a user profile folder (C:\Users, /home, C:\Documents and Settings)
    // every folder is the user's, replaced by the user's stand-in where it holds the user name
    // (added before) and by FOLDER-n otherwise; the server of a UNC path is a server name. The
    // folders are replaced only inside the path (and its beginnings), never on their own: a
    // folder named "1" must not change every count of 1.
    void AddPath(std::string_view path, char separator);

    // `text` with every whole-token occurrence of a value, in any ASCII letter case, replaced by
    // its stand-in; the longest value wins where several begin at one place.
    std::string Redact(std::string_view text) const;

    // The kinds with at least one value, in RedactedKind order.
    std::vector<RedactedKind> Kinds() const { return {m_kinds.begin(), m_kinds.end()}; }

private:
    struct Replacement {
        std::string lowered;  // the value, ASCII letters lower-cased
        std::string standIn;
    };

    // The stand-in of `text` as a value of `kind`, numbered under `label` when it is new.
    std::string StandIn(RedactedKind kind, std::string_view label, std::string_view text);
    // Replaces `text` (and its form with control bytes masked, as the text report shows it).
    void Replace(std::string_view text, const std::string& standIn);

    std::vector<Replacement> m_replacements;  // longest value first
    std::map<std::pair<RedactedKind, std::string>, std::string> m_standIns;
    std::map<std::string, int, std::less<>> m_lastNumber;  // by label
    std::set<RedactedKind> m_kinds;
};

}  // namespace kolt
