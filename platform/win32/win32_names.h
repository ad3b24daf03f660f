// Names the system writes into a caller's area, read whole whatever their length through the
// wide calls, and handed on in UTF-8. Only Win32 code here.
#pragma once

#include <optional>
#include <string>

namespace kolt::win32 {

// The NetBIOS computer name; nullopt when the system cannot give it.
std::optional<std::string> ReadComputerName();

// The name of the account the program runs as; nullopt when the system cannot give it.
std::optional<std::string> ReadUserName();

// The process's current directory; nullopt when the system cannot give it.
std::optional<std::string> ReadCurrentDirectory();

// An environment variable's value, as the process's environment holds it now; nullopt when it is
// not set.
std::optional<std::string> ReadEnvironmentVariable(const std::string& name);

}  // namespace kolt::win32
