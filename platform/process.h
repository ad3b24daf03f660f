// Setting up the programs' process and writing to its standard streams. Apart from the facts of
// platform.h: these are what the programs do, not what they find.
#pragma once

#include <string>
#include <string_view>

namespace kolt {

// Readies the console program's process: standard output carries bytes unchanged (no line-end
// translation), a closed pipe or a file-size limit fails a write instead of ending the process,
// and no "no disk in drive" box stops an unattended run while drives are probed.
void PrepareConsoleProcess();

// Keeps the platform from stopping the program with "no disk in drive" boxes while drives
// without a medium are probed.
void SuppressCriticalErrorDialogs();

enum class StandardStream { Output, Error };

// What became of bytes meant for a standard stream.
struct StreamWriteResult {
    bool written = false;
    std::string failure;  // why not every byte got there, in the system's words; empty when all did
};

// Writes every byte to the process's standard output or error, going on after partial writes and
// waiting while a non-blocking stream is full; not written when the stream fails (a closed pipe, a
// full disk, no such stream). A file or a pipe receives the bytes unchanged. A console window that
// does not take UTF-8 bytes as text (Windows, whose console shows bytes in its own code page) is
// given the text (UTF-8) in its own characters instead, so every name reads whole.
StreamWriteResult WriteToStandardStream(StandardStream stream, std::string_view bytes);

}  // namespace kolt
