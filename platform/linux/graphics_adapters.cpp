#include "platform/linux/graphics_adapters.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "platform/linux/text_lines.h"
#include "platform/posix/files.h"

namespace kolt::linux_backend {

namespace {

namespace fs = std::filesystem;

// The PCI ID list is over a megabyte and grows every year.
constexpr std::size_t kPciIdsLimit = 16u << 20;

struct Card {
    std::uint32_t number = 0;
    fs::path directory;
};

// The cards' directories ("card0", never "card0-HDMI-A-1", a connector), by number.
std::vector<Card> CardsUnder(const fs::path& drm) {
    std::vector<Card> cards;
    std::error_code error;
    for (fs::directory_iterator it(drm, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with("card")) {
            continue;
        }
        if (const auto number = ParseUnsigned(std::string_view(name).substr(4));
            number && *number <= 0xFFFFFFFFu) {
            cards.push_back(Card{static_cast<std::uint32_t>(*number), it->path()});
        }
    }
    std::sort(cards.begin(), cards.end(),
              [](const Card& a, const Card& b) { return a.number < b.number; });
    return cards;
}

// A 16-bit id as sysfs writes it: "0x10de".
std::optional<std::uint16_t> ReadId(const fs::path& file) {
    const auto text = posix::ReadTextFile(file.c_str());
    if (!text) {
        return std::nullopt;
    }
    std::string_view value = FirstLine(*text);
    if (value.starts_with("0x")) {
        value.remove_prefix(2);
    }
    const auto number = ParseUnsigned(value, 16);
    if (!number || *number > 0xFFFF) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*number);
}

std::string HexId(std::uint16_t id) {
    char text[5];
    std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(id));
    return text;
}

std::optional<std::string> LoadPciIds(const std::string& root) {
    for (const char* path : kPciIdsPaths) {
        if (auto text = posix::ReadTextFile((root + path).c_str(), kPciIdsLimit)) {
            return text;
        }
    }
    return std::nullopt;
}

// The name of the entry that starts `line` after its id and two blanks.
std::string_view EntryName(std::string_view line) {
    return Trim(line.substr(std::min<std::size_t>(line.size(), 4)));
}

}  // namespace

std::optional<std::string> PciDeviceName(std::string_view pciIds, std::uint16_t vendor,
                                         std::uint16_t device) {
    // A vendor line starts a line with its four-digit id; its devices follow, each on a line
    // that starts with one tab; its subsystems with two.
    const std::string vendorLine = HexId(vendor) + "  ";
    const std::size_t vendorAt =
        pciIds.starts_with(vendorLine) ? 0 : pciIds.find("\n" + vendorLine);
    if (vendorAt == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest = pciIds.substr(vendorAt == 0 ? 0 : vendorAt + 1);
    const std::size_t vendorEnd = rest.find('\n');
    const std::string_view vendorName = EntryName(rest.substr(0, vendorEnd));
    rest = vendorEnd == std::string_view::npos ? std::string_view{} : rest.substr(vendorEnd + 1);
    const std::string deviceId = HexId(device);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() != '\t') {
            break;  // the next vendor
        }
        if (line.size() > 1 && line[1] != '\t' && line.substr(1, 4) == deviceId) {
            return std::string(vendorName) + " " + std::string(EntryName(line.substr(1)));
        }
    }
    return std::nullopt;
}

std::vector<GraphicsAdapter> ReadGraphicsAdapters(const std::string& root) {
    std::vector<GraphicsAdapter> adapters;
    std::vector<fs::path> devicesSeen;
    std::optional<std::optional<std::string>> pciIds;  // read once, when a PCI card needs it
    for (const Card& card : CardsUnder(fs::path(root + "/sys/class/drm"))) {
        const fs::path device = card.directory / "device";
        std::error_code error;
        const fs::path identity = fs::canonical(device, error);
        if (error) {
            continue;  // a card without a device is no adapter
        }
        if (std::find(devicesSeen.begin(), devicesSeen.end(), identity) != devicesSeen.end()) {
            continue;
        }
        devicesSeen.push_back(identity);

        GraphicsAdapter adapter;
        const fs::path driverLink = fs::read_symlink(device / "driver", error);
        if (!error && !driverLink.filename().empty()) {
            adapter.driver = driverLink.filename().string();
            if (const auto version = posix::ReadTextFile(
                    (root + "/sys/module/" + *adapter.driver + "/version").c_str())) {
                if (!FirstLine(*version).empty()) {
                    adapter.driverVersion = std::string(FirstLine(*version));
                }
            }
        }
        const auto vendor = ReadId(device / "vendor");
        const auto model = ReadId(device / "device");
        if (vendor && model) {
            if (!pciIds) {
                pciIds = LoadPciIds(root);
            }
            const auto name = *pciIds ? PciDeviceName(**pciIds, *vendor, *model) : std::nullopt;
            adapter.name = name ? *name : "PCI device " + HexId(*vendor) + ":" + HexId(*model);
        } else {
            adapter.name = adapter.driver.value_or(card.directory.filename().string());
        }
        adapters.push_back(std::move(adapter));
    }
    return adapters;
}

}  // namespace kolt::linux_backend
