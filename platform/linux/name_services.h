// Whether a name-service look-up can wait on the network, read from the name-service switch
// (nsswitch.conf) and the hosts file as the C library reads them. A look-up that is answered from
// this machine's own files needs no deadline, and so no thread; a host name the hosts file
// answers is answered from the text already read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kolt::linux_backend {

inline constexpr const char* kNameServiceSwitchPath = "/etc/nsswitch.conf";
inline constexpr const char* kHostsPath = "/etc/hosts";
inline constexpr const char* kPasswdPath = "/etc/passwd";

// The sources `database` ("hosts", "passwd") is looked up in, in order ("files", "dns", "sss"),
// from the text of nsswitch.conf; the actions in brackets are left out. Empty when the text has
// no line for it (the C library then uses its built-in default).
std::vector<std::string_view> NameServiceSources(std::string_view nsswitch,
                                                 std::string_view database);

// Whether the user database is kept on this machine alone: every source is its own files or the
// local service manager's records.
bool UserDatabaseIsLocal(std::string_view nsswitch);

// The name of user `userId` as the user database would answer it from the password file, when
// that file is the first source of user names and `passwd` (its text) lists the id: the first
// line with it, as the C library reads the file. Nullopt when the answer would come from
// elsewhere, which may be a directory service on the network.
std::optional<std::string> PasswdFileUserName(std::string_view nsswitch, std::string_view passwd,
                                              std::uint32_t userId);

// The IPv4 addresses the resolver would answer `hostName` with from the hosts file, when it is
// the first source of host names and `hosts` (its text) lists the name, or one of its aliases,
// with an IPv4 address: every such address in the file's order, each once. Names compare without
// regard to case, as the resolver compares them. Nullopt when the answer would come from
// elsewhere (a name server, another service), which may keep the caller waiting.
std::optional<std::vector<Ipv4Address>> HostsFileAddresses(std::string_view nsswitch,
                                                           std::string_view hosts,
                                                           std::string_view hostName);

}  // namespace kolt::linux_backend
