// The proxy variables a Linux program sees.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kolt::linux_backend {

// The names programs read, in both cases, in the order the report lists them.
inline constexpr const char* kProxyVariableNames[] = {
    "http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "ftp_proxy",
    "FTP_PROXY",  "all_proxy",  "ALL_PROXY",   "no_proxy",    "NO_PROXY"};

// Each of them that `lookup` finds set to a non-empty value, as set (the report masks any
// password in it).
std::vector<ProxyVariable> ReadProxyVariables(
    const std::function<std::optional<std::string>(const std::string&)>& lookup);

}  // namespace kolt::linux_backend
