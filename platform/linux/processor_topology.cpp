#include "platform/linux/processor_topology.h"

#include <set>

#include "platform/linux/text_lines.h"
#include "platform/posix/files.h"

namespace kolt::linux_backend {

namespace {

// Far above the most processors a kernel supports; a list beyond it is taken as broken.
constexpr std::uint64_t kMostProcessors = 1u << 16;

std::optional<std::vector<std::uint32_t>> SiblingsOf(const std::string& cpuDirectory) {
    // core_cpus_list is the current name; thread_siblings_list the older one for the same list.
    for (const char* name : {"/topology/core_cpus_list", "/topology/thread_siblings_list"}) {
        if (const auto text = posix::ReadTextFile((cpuDirectory + name).c_str())) {
            std::vector<std::uint32_t> siblings = ParseCpuList(*text);
            if (!siblings.empty()) {
                return siblings;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::uint32_t> ParseCpuList(std::string_view list) {
    std::vector<std::uint32_t> processors;
    list = FirstLine(list);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view range = list.substr(0, comma);
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
        const std::size_t dash = range.find('-');
        const auto first = ParseUnsigned(range.substr(0, dash));
        const auto last =
            dash == std::string_view::npos ? first : ParseUnsigned(range.substr(dash + 1));
        if (!first || !last || *last < *first || *last >= kMostProcessors ||
            processors.size() + (*last - *first) >= kMostProcessors) {
            return {};
        }
        for (std::uint64_t cpu = *first; cpu <= *last; ++cpu) {
            processors.push_back(static_cast<std::uint32_t>(cpu));
        }
    }
    return processors;
}

ProcessorDetails ReadProcessorTopology(const std::string& root) {
    ProcessorDetails details;
    const std::string cpuRoot = root + "/sys/devices/system/cpu";
    const auto onlineText = posix::ReadTextFile((cpuRoot + "/online").c_str());
    const std::vector<std::uint32_t> online =
        onlineText ? ParseCpuList(*onlineText) : std::vector<std::uint32_t>{};
    if (online.empty()) {
        return details;
    }
    details.logicalProcessors = static_cast<std::uint32_t>(online.size());

    // One read per core: the processors of a core already counted are not asked again.
    std::set<std::uint32_t> counted;
    std::uint32_t cores = 0;
    for (const std::uint32_t cpu : online) {
        if (counted.contains(cpu)) {
            continue;
        }
        const auto siblings = SiblingsOf(cpuRoot + "/cpu" + std::to_string(cpu));
        if (!siblings) {
            return details;  // no topology: the cores cannot be told
        }
        ++cores;
        counted.insert(cpu);
        counted.insert(siblings->begin(), siblings->end());
    }
    details.physicalCores = cores;
    return details;
}

}  // namespace kolt::linux_backend
