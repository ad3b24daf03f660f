// The steps of writing a new file in place of another that depend on the system: a file that has
// no name until it is complete, and keeping a crash from finding the new file at its name without
// its bytes. The build picks the implementation (Linux, or what any POSIX system offers).
#pragma once

#include <string>

#include "platform/posix/files.h"

namespace kolt::posix {

// A new, empty file for writing in `directory` that has no name yet; an invalid descriptor where
// the system or the file system offers no such file (the caller then writes a named one).
UniqueFd OpenUnnamedFile(const std::string& directory);

// Gives the unnamed file `fd` the name `path`, never replacing what stands there. False with
// errno set when it cannot: EEXIST when something has that name.
bool NameUnnamedFile(int fd, const std::string& path);

// Keeps a crash from finding a new file at its name without its bytes. ContentBeforeNaming is
// called after the last write and before the file takes its name; NameAfterNaming once it has it.
class CrashSafety {
public:
    // What the file system holding the file needs.
    enum class Need {
        Nothing,       // it keeps nothing across a power cut (memory only)
        WriteOut,      // the data written out; the journal then commits no later name change
                       // before the data is stable
        FlushAndWait,  // the data, and then the directory, flushed to stable storage
    };

    explicit CrashSafety(int fd);

    // False, with errno set, when the bytes cannot be sent on their way to the disk.
    bool ContentBeforeNaming() const;
    // Makes the new name itself last where the content step does not already see to it. A
    // failure here is no error: the name holds the whole old file or the whole new one either way.
    void NameAfterNaming(const std::string& directory) const;

private:
    int m_fd;
    Need m_need;
};

// The directory part of `path` ("." for a bare name), as the system would resolve it.
std::string DirectoryOf(const std::string& path);

// Makes the directory's entries last across a crash; failures are ignored (see NameAfterNaming).
void FlushDirectory(const std::string& directory);

}  // namespace kolt::posix
