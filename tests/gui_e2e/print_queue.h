// Printing from the viewer to the private print server (tests/gui_e2e/print-server.sh) and
// finding what came out of its PDF queue.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace kolt::e2e {

// The private print server's queues: the default one writes each job as a PDF (with its text
// beside it, tests/gui_e2e/pdf-to-text.sh), the other refuses every job.
inline constexpr const char* kPdfQueue = "KoltPDF";
inline constexpr const char* kRefusingQueue = "KoltRefusing";
inline constexpr std::chrono::seconds kPdfWait{90};

// The folder the PDF queue writes to (environment variable KOLT_PDF_FOLDER), emptied; nothing
// when no print server runs for this case.
std::optional<std::filesystem::path> EmptiedPdfFolder();

// The file in `folder` whose name ends in `suffix`, once there is one.
std::optional<std::filesystem::path> WaitForFileEndingIn(const std::filesystem::path& folder,
                                                         const std::string& suffix,
                                                         std::chrono::milliseconds timeout);

std::size_t CountFilesEndingIn(const std::filesystem::path& folder, const std::string& suffix);

// Posts a click of button `id` of `dialog`, as the mouse would press it.
void PressButton(HWND dialog, int id);

// Presses Print in the viewer and answers the real Print dialog with `button`; returns when the
// dialog has gone.
void PrintWith(DWORD processId, HWND viewer, int button);

}  // namespace kolt::e2e
