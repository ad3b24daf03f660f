// The graphics adapters on Linux: the kernel's DRM devices, named from the PCI ID list where the
// machine has one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kolt::linux_backend {

// Where distributions keep the PCI ID list, in the order they are tried.
inline constexpr const char* kPciIdsPaths[] = {"/usr/share/misc/pci.ids",
                                               "/usr/share/hwdata/pci.ids", "/usr/share/pci.ids"};

// "<vendor name> <device name>" from the text of a PCI ID list; nullopt when the list does not
// name the vendor, or the device under it.
std::optional<std::string> PciDeviceName(std::string_view pciIds, std::uint16_t vendor,
                                         std::uint16_t device);

// Every DRM card (/sys/class/drm/cardN) read under `root` ("" for the machine itself), in the
// order of its number, each device once: its name from the PCI ID list, else its PCI ids, else its
// driver's name; its driver; and the driver's version where the module states one.
std::vector<GraphicsAdapter> ReadGraphicsAdapters(const std::string& root);

}  // namespace kolt::linux_backend
