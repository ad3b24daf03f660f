// kolt_info_cli: prints the system report and leaves a copy in the current directory. Without
// arguments it does exactly that and exits with status 0; --help lists the few options.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "console/console_run.h"
#include "platform/platform.h"

namespace {

// The C library's streams, not iostreams: the report needs no locale, and the iostream library's
// start-up would cost more than gathering some of the facts.
kolt::OutputWriter WriterTo(std::FILE* stream) {
    return [stream](std::string_view bytes) {
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
        std::fflush(stream);
    };
}

// Standard output: a console window shows the report in its own characters, so every name reads
// whole whatever the console's code page; a file or a pipe receives the bytes unchanged.
kolt::OutputWriter StandardOutputWriter() {
    return [bytes = WriterTo(stdout)](std::string_view text) {
        if (!kolt::WriteToConsoleWindow(text)) {
            bytes(text);
        }
    };
}

}  // namespace

int main(int argc, char** argv) {
    kolt::PrepareConsoleProcess();
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const auto platform = kolt::CreateHostPlatform();
    return kolt::RunConsole(*platform, arguments, StandardOutputWriter(), WriterTo(stderr));
}
