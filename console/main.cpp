// kolt_info_cli: prints the system report and leaves a copy in the current directory. It takes no
// arguments and always exits with status 0.
#include <iostream>

#include "console/console_run.h"
#include "platform/platform.h"

int main() {
    kolt::PrepareConsoleProcess();
    const auto platform = kolt::CreateHostPlatform();
    return kolt::RunConsole(*platform, std::cout);
}
