// The printers through the print spooler (winspool). Only Win32 code here. Asked on a worker
// thread with a deadline: the spooler, and a print server a connection names, may not answer.
#pragma once

#include <optional>

#include "platform/platform.h"

namespace kolt::win32 {

// Every local printer and printer connection, the user's default one marked; nullopt where the
// spooler does not answer.
std::optional<PrinterList> ReadPrinters();

}  // namespace kolt::win32
