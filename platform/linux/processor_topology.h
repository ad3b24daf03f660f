// How many processors the machine has, counted from the kernel's processor topology in sysfs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kolt::linux_backend {

// The processor numbers of a kernel list such as "0-3,8,10-11", in its order; empty when the
// text is not such a list or names an implausible number of processors.
std::vector<std::uint32_t> ParseCpuList(std::string_view list);

// The logical processors that are online, and the physical cores they belong to (processors that
// share a core count once), read under `root` ("" for the machine itself). The brand is left to
// the caller. A count the files do not give stays unknown.
ProcessorDetails ReadProcessorTopology(const std::string& root);

}  // namespace kolt::linux_backend
