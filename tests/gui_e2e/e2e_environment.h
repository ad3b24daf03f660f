// Where the end-to-end run finds the program under test and puts what it leaves behind. The
// runner passes both through the environment, as host paths or Windows paths.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kolt::e2e {

// A host path ("/work/x") as the Windows path Wine maps it to ("Z:\work\x"); any other path is
// returned unchanged. Wine's Z: drive is the host's root directory.
std::filesystem::path FromHostPath(std::string_view path);

// The dialog program to start (environment variable KOLT_INFO_EXE).
std::filesystem::path ProgramUnderTest();

// The console program of the same build (environment variable KOLT_INFO_CLI_EXE), which tells
// the facts of this machine.
std::filesystem::path ConsoleProgram();

// The folder for work folders and screenshots (environment variable KOLT_E2E_OUTPUT).
std::filesystem::path OutputFolder();

// An empty folder for one case below the output folder, made afresh; it is kept after the run
// so that a failure can be inspected.
std::filesystem::path FreshWorkFolder(const std::string& caseName);

// UTF-16 text in UTF-8, as the system converts it.
std::string Utf8FromWide(std::wstring_view wide);

// An environment variable of this process in UTF-8; empty when it is not set.
std::string EnvironmentText(const wchar_t* name);

// Reads a whole file as bytes; throws when it cannot be opened.
std::string ReadBytes(const std::filesystem::path& file);

// Writes bytes to a file exactly as given; throws when it cannot be written.
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

}  // namespace kolt::e2e
