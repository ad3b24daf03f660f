#include "platform/posix/emulated_registry.h"

#include <algorithm>

namespace kolt::posix {

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

EmulatedKey FindEmulatedKey(std::string_view keyPath) {
    if (EqualsIgnoreCase(keyPath, "Software\\Microsoft\\Windows NT\\CurrentVersion")) {
        return EmulatedKey::kNtCurrentVersion;
    }
    if (EqualsIgnoreCase(keyPath, "Hardware\\Description\\System\\CentralProcessor\\0")) {
        return EmulatedKey::kCentralProcessor0;
    }
    return EmulatedKey::kNone;
}

EmulatedValue FindEmulatedValue(EmulatedKey key, std::string_view valueName) {
    switch (key) {
        case EmulatedKey::kNtCurrentVersion:
            if (EqualsIgnoreCase(valueName, "ProductName")) {
                return EmulatedValue::kProductName;
            }
            if (EqualsIgnoreCase(valueName, "CurrentVersion")) {
                return EmulatedValue::kCurrentVersion;
            }
            break;
        case EmulatedKey::kCentralProcessor0:
            if (EqualsIgnoreCase(valueName, "VendorIdentifier")) {
                return EmulatedValue::kVendorIdentifier;
            }
            if (EqualsIgnoreCase(valueName, "Identifier")) {
                return EmulatedValue::kIdentifier;
            }
            break;
        case EmulatedKey::kNone:
            break;
    }
    return EmulatedValue::kNone;
}

std::optional<std::string> FitRegistryText(std::optional<std::string> data, std::size_t capacity) {
    if (!data || data->size() >= capacity) {
        return std::nullopt;
    }
    const std::size_t nul = data->find('\0');
    if (nul != std::string::npos) {
        data->resize(nul);
    }
    return data;
}

}  // namespace kolt::posix
