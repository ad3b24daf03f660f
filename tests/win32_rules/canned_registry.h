// A view of the registry that answers canned values, for the tests of the registry rules.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/win32/registry_rules.h"

namespace kolt::win32::test_support {

struct Value {
    std::string key;
    std::string name;
    std::variant<std::string, std::uint32_t> data;
};

// A registry of canned values. Text is stored as a REG_SZ value is: with its terminating NUL.
class CannedRegistry : public RegistryView {
public:
    CannedRegistry(const std::vector<std::string>& keys, const std::vector<Value>& values)
        : m_keys(keys.begin(), keys.end()) {
        for (const Value& value : values) {
            m_keys.insert(value.key);
            m_values[{value.key, value.name}] = value.data;
        }
    }

    bool KeyExists(std::string_view keyPath) override {
        return m_keys.count(std::string(keyPath)) != 0;
    }
    std::optional<std::string> Data(std::string_view keyPath, std::string_view name) override {
        const auto found = m_values.find({std::string(keyPath), std::string(name)});
        if (found == m_values.end()) {
            return std::nullopt;
        }
        if (const auto* text = std::get_if<std::string>(&found->second)) {
            return *text + '\0';
        }
        const std::uint32_t number = std::get<std::uint32_t>(found->second);
        std::string bytes;  // a DWORD's little-endian bytes, read as text
        for (int shift = 0; shift < 32; shift += 8) {
            bytes += static_cast<char>((number >> shift) & 0xFF);
        }
        return bytes;
    }
    std::optional<std::uint32_t> Dword(std::string_view keyPath, std::string_view name) override {
        const auto found = m_values.find({std::string(keyPath), std::string(name)});
        if (found == m_values.end()) {
            return std::nullopt;
        }
        const auto* number = std::get_if<std::uint32_t>(&found->second);
        return number != nullptr ? std::optional(*number) : std::nullopt;
    }

    std::optional<std::int64_t> KeyWriteTime(std::string_view keyPath) override {
        const auto found = m_writeTimes.find(std::string(keyPath));
        return found != m_writeTimes.end() ? std::optional(found->second) : std::nullopt;
    }
    // When a key was last written, seconds since 1970.
    void SetWriteTime(const std::string& key, std::int64_t time) { m_writeTimes[key] = time; }

private:
    std::set<std::string> m_keys;
    std::map<std::string, std::int64_t> m_writeTimes;
    std::map<std::pair<std::string, std::string>, std::variant<std::string, std::uint32_t>>
        m_values;
};

}  // namespace kolt::win32::test_support
