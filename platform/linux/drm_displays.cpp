// Only POSIX and Linux code here.
#include "platform/linux/drm_displays.h"

#include <algorithm>
#include <filesystem>

#include "platform/linux/text_lines.h"
#include "platform/posix/files.h"

namespace kolt::linux_backend {

std::vector<DisplayInfo> ReadDrmDisplays(const std::string& root) {
    namespace fs = std::filesystem;
    std::vector<std::string> connected;
    std::error_code error;
    for (fs::directory_iterator it(fs::path(root + "/sys/class/drm"), error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::size_t dash = name.find('-');
        if (!name.starts_with("card") || dash == std::string::npos || dash + 1 == name.size()) {
            continue;  // a card itself, or the version file
        }
        const auto status = posix::ReadTextFile((it->path() / "status").c_str());
        if (status && FirstLine(*status) == "connected") {
            connected.push_back(name);
        }
    }
    std::sort(connected.begin(), connected.end());
    std::vector<DisplayInfo> displays;
    for (const std::string& name : connected) {
        DisplayInfo display;
        display.name = name.substr(name.find('-') + 1);
        displays.push_back(std::move(display));
    }
    return displays;
}

}  // namespace kolt::linux_backend
