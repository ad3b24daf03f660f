// The operating system's name, from the text of os-release.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace kolt::linux_backend {

// The two places os-release lives, in the order they are tried.
inline constexpr const char* kOsReleasePaths[] = {"/etc/os-release", "/usr/lib/os-release"};

// os-release's own default for a system that names itself nowhere.
inline constexpr std::string_view kDefaultPrettyName = "Linux";

using OsRelease = std::map<std::string, std::string, std::less<>>;

// The KEY=value assignments of an os-release file. Values follow the shell's quoting rules as
// the format allows them: double quotes with \" \\ \$ \` escapes, single quotes taken literally,
// backslash escapes outside quotes. Comments, blank lines and lines that are not assignments are
// skipped; a key assigned twice keeps its last value.
OsRelease ParseOsRelease(std::string_view content);

}  // namespace kolt::linux_backend
