#include "report/inventory/device_id.h"

#include <cstdint>
#include <string_view>

#include "report/inventory/inventory_units.h"

namespace kolt {

namespace {

constexpr std::string_view kUnknownName = "UNKNOWN";
// 2000-01-01T00:00:00Z and the hundred years after it.
constexpr std::int64_t kDerivedMomentsStart = 946684800;
constexpr std::uint64_t kDerivedMomentsSpan = 3155760000;

bool KeptInName(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}

// FNV-1a, 64 bits: stable across builds and systems, which std::hash is not.
class StableHash {
public:
    void Add(std::string_view bytes) {
        for (const char c : bytes) {
            AddByte(static_cast<std::uint8_t>(c));
        }
        AddByte(0);  // keeps ("ab", "c") apart from ("a", "bc")
    }
    void Add(const std::vector<std::uint8_t>& bytes) {
        for (const std::uint8_t byte : bytes) {
            AddByte(byte);
        }
        AddByte(0);
    }
    std::uint64_t Value() const { return value_; }

private:
    void AddByte(std::uint8_t byte) {
        value_ ^= byte;
        value_ *= 1099511628211u;
    }
    std::uint64_t value_ = 14695981039346656037u;
};

std::int64_t DerivedMoment(const ReportFacts& facts) {
    StableHash hash;
    hash.Add(facts.computerName && facts.computerName->name ? *facts.computerName->name
                                                            : kUnknownName);
    if (facts.extended) {
        hash.Add(facts.extended->firmware.serialNumber.value_or(std::string()));
        for (const NetworkAdapter& adapter : facts.extended->network.adapters) {
            hash.Add(adapter.hardwareAddress);
        }
    }
    return kDerivedMomentsStart + static_cast<std::int64_t>(hash.Value() % kDerivedMomentsSpan);
}

}  // namespace

std::string InventoryDeviceId(const ReportFacts& facts) {
    std::string id;
    if (facts.computerName && facts.computerName->name && !facts.computerName->name->empty()) {
        for (const char c : *facts.computerName->name) {
            id += KeptInName(c) ? c : '_';
        }
    } else {
        id = kUnknownName;
    }
    id += '-';
    if (facts.extended && facts.extended->release.installTime) {
        id += DeviceIdMomentText(*facts.extended->release.installTime);
    } else {
        id += DeviceIdMomentText(DerivedMoment(facts));
    }
    return id;
}

}  // namespace kolt
