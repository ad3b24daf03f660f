// The programs' own files: the selection file they read and write, and the report files they
// leave. Apart from the facts of platform.h: these are what the programs do, not what they find.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace kolt {

// Hands a regular file's bytes to `consume`, piece by piece, until the end of the file, `limit`
// bytes in all, or `consume` answering false. False when the path is not a regular file (a
// directory, FIFO, device or socket) or cannot be opened or read; opening never waits.
bool ReadRegularFile(const std::string& path, std::size_t limit,
                     const std::function<bool(std::string_view)>& consume);

// The bytes a text file holds for `text` on this platform: on Windows each LF becomes CR LF, as a
// text stream writes it; elsewhere the text unchanged.
std::string TextFileBytes(std::string_view text);

// What became of a file the program meant to write.
struct FileWriteResult {
    bool written = false;
    std::string failure;     // why it was not written, in the system's words; empty when it was
    std::string leftBehind;  // the path of a new file that could not be removed again; empty when
                             // none was left
};

// Replaces the file at `path` with `bytes` in one step: the bytes go to a new file beside it,
// which takes the name only once they are on their way to the disk, so that a crash or power cut
// leaves either the whole new file or the old one. A link at the name is replaced, never
// followed. On any failure the new file is removed (or named in `leftBehind` when it cannot be),
// whatever stood at the name is left as it was, and `written` is false. Where the system ends the
// program by a signal while the new file has a name of its own (interrupt, terminate, hang-up),
// that file is removed first.
FileWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace kolt
