// kolt_info_cli: prints the system report and leaves a copy in the current directory. It takes no
// arguments and always exits with status 0.
#include <cstdio>
#include <string_view>

#include "console/console_run.h"
#include "platform/platform.h"

int main() {
    kolt::PrepareConsoleProcess();
    const auto platform = kolt::CreateHostPlatform();
    // The C library's stream, not an iostream: the report needs no locale, and the iostream
    // library's start-up would cost more than gathering some of the facts.
    return kolt::RunConsole(*platform, [](std::string_view bytes) {
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        std::fflush(stdout);
    });
}
