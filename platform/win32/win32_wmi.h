// Questions to WMI: one query's rows, each with the properties asked for. Only Win32 code here.
// WMI lives in another process that may hang, so callers ask on a worker thread with a deadline;
// the query initialises COM on the thread it runs on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kolt::win32 {

// A property's value: none (null or a type not read here), a text, or a whole number.
using WmiValue = std::variant<std::monostate, std::string, std::int64_t>;
// The properties of one object, in the order they were asked for.
using WmiRow = std::vector<WmiValue>;

// Every row of `query` in `wmiNamespace` ("ROOT\\CIMV2"); nullopt when WMI, the namespace or the
// class is not there, or the query fails part way.
std::optional<std::vector<WmiRow>> QueryWmi(const wchar_t* wmiNamespace, const wchar_t* query,
                                            const std::vector<const wchar_t*>& properties);

// The text of a value; nullopt for one that holds none or is empty.
std::optional<std::string> WmiText(const WmiValue& value);
std::optional<std::int64_t> WmiNumber(const WmiValue& value);

}  // namespace kolt::win32
