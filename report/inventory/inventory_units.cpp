#include "report/inventory/inventory_units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kolt {

namespace {

constexpr std::uint64_t kBytesPerMegabyte = 1048576;
constexpr std::int64_t kSecondsPerDay = 86400;
// 1970-01-01T00:00:00Z and 9999-12-31T23:59:59Z.
constexpr std::int64_t kFirstMoment = 0;
constexpr std::int64_t kLastMoment = 253402300799;

struct CivilDate {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

// The proleptic Gregorian date of a day counted from 1970-01-01 (days from civil, inverted).
CivilDate CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;  // March is 0
    const unsigned day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const unsigned month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const std::int64_t year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2);
    return {year, month, day};
}

std::uint32_t PackedOctets(const Ipv4Address& address) {
    std::uint32_t packed = 0;
    for (const std::uint8_t octet : address.octets) {
        packed = packed << 8 | octet;
    }
    return packed;
}

Ipv4Address UnpackedOctets(std::uint32_t packed) {
    Ipv4Address address;
    for (int i = 3; i >= 0; --i) {
        address.octets[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(packed & 0xFF);
        packed >>= 8;
    }
    return address;
}

std::uint32_t MaskBits(std::uint8_t prefixLength) {
    const unsigned length = std::min<unsigned>(prefixLength, 32);
    return length == 0 ? 0 : ~std::uint32_t{0} << (32 - length);
}

}  // namespace

std::uint64_t WholeMegabytes(std::uint64_t bytes) {
    return bytes / kBytesPerMegabyte;
}

std::uint64_t WholeMegahertz(double megahertz) {
    if (!std::isfinite(megahertz) || megahertz <= 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(std::llround(megahertz));
}

std::string FirmwareDateText(const CalendarDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.month, date.day, date.year);
    return text;
}

Ipv4Address Ipv4Mask(std::uint8_t prefixLength) {
    return UnpackedOctets(MaskBits(prefixLength));
}

Ipv4Address Ipv4Network(const Ipv4Address& address, std::uint8_t prefixLength) {
    return UnpackedOctets(PackedOctets(address) & MaskBits(prefixLength));
}

std::string DeviceIdMomentText(std::int64_t secondsSince1970) {
    const std::int64_t moment = std::clamp(secondsSince1970, kFirstMoment, kLastMoment);
    const CivilDate date = CivilFromDays(moment / kSecondsPerDay);
    const std::int64_t secondOfDay = moment % kSecondsPerDay;
    char text[48];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02u-%02lld-%02lld-%02lld",
                  static_cast<long long>(date.year), date.month, date.day,
                  static_cast<long long>(secondOfDay / 3600),
                  static_cast<long long>(secondOfDay / 60 % 60),
                  static_cast<long long>(secondOfDay % 60));
    return text;
}

}  // namespace kolt
