// kolt_info_cli: prints the system report and leaves a copy in the current directory. Without
// arguments it does exactly that and exits with status 0; --help lists the few options.
#include <string>
#include <string_view>
#include <vector>

#include "console/console_run.h"
#include "platform/platform.h"
#include "platform/process.h"

namespace {

// Straight to the stream, not through the C library's buffers: those drop what a non-blocking
// stream does not take at once, while this waits for the stream and writes every byte, and a
// console window is given the text in its own characters.
kolt::OutputWriter StandardOutput() {
    return [](std::string_view bytes) {
        return kolt::WriteToStandardStream(kolt::StandardStream::Output, bytes);
    };
}

kolt::ErrorWriter StandardError() {
    return [](std::string_view bytes) {
        kolt::WriteToStandardStream(kolt::StandardStream::Error, bytes);
    };
}

}  // namespace

int main(int argc, char** argv) {
    kolt::PrepareConsoleProcess();
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const auto platform = kolt::CreateHostPlatform();
    return kolt::RunConsole(*platform, arguments, StandardOutput(), StandardError());
}
