#include "tests/win32/host_facts.h"

#include <cstdlib>
#include <sstream>

namespace kolt::test_support {

std::optional<std::string> HostFact(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

std::vector<std::uint64_t> HostNumbers(const char* name) {
    std::vector<std::uint64_t> numbers;
    const std::optional<std::string> value = HostFact(name);
    if (!value) {
        return numbers;
    }
    std::istringstream in(*value);
    std::uint64_t number = 0;
    while (in >> number) {
        numbers.push_back(number);
    }
    return numbers;
}

std::optional<HostVolume> HostVolumeFact(const char* name) {
    // Total blocks, fragment size, blocks available to users.
    const std::vector<std::uint64_t> numbers = HostNumbers(name);
    if (numbers.size() != 3) {
        return std::nullopt;
    }
    return HostVolume{numbers[0] * numbers[1], numbers[2] * numbers[1]};
}

}  // namespace kolt::test_support
