// Only POSIX and Linux code here.
#include "platform/linux/restart_pending.h"

#include <sys/stat.h>

#include <set>
#include <string_view>

#include "platform/linux/text_lines.h"
#include "platform/posix/files.h"

namespace kolt::linux_backend {

namespace {

// The programs that write /run/reboot-required when a package asks for a restart.
constexpr const char* kFlagWriters[] = {
    "/usr/share/update-notifier/notify-reboot-required",  // update-notifier-common (Ubuntu)
    "/etc/kernel/postinst.d/unattended-upgrades",         // unattended-upgrades (Debian)
};

bool Exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

}  // namespace

std::optional<RestartState> ReadRestartPending(const std::string& root) {
    const std::string flag = root + "/run/reboot-required";
    struct stat status {};
    if (::stat(flag.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        for (const char* writer : kFlagWriters) {
            if (Exists(root + writer)) {
                return RestartState{};
            }
        }
        return std::nullopt;
    }
    RestartState state;
    state.reasons.push_back(RestartReason::PackageUpdates);
    state.pendingSince = static_cast<std::int64_t>(status.st_mtime);
    if (const auto packages = posix::ReadTextFile((flag + ".pkgs").c_str())) {
        // Each hook appends its package's name, so a package updated twice is listed twice.
        std::set<std::string_view> names;
        ForEachLine(*packages, [&names](std::string_view line) {
            if (const std::string_view name = Trim(line); !name.empty()) {
                names.insert(name);
            }
        });
        state.packageCount = static_cast<std::uint32_t>(names.size());
    }
    return state;
}

}  // namespace kolt::linux_backend
