#include "tests/gui_e2e/e2e_environment.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kolt::e2e {

namespace {

std::filesystem::path PathFromVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        throw std::runtime_error(std::string("the environment variable ") + name + " is not set");
    }
    return FromHostPath(value);
}

}  // namespace

std::filesystem::path FromHostPath(std::string_view path) {
    if (!path.starts_with('/')) {
        return std::filesystem::path(path);
    }
    std::string windows = "Z:";
    windows += path;
    std::replace(windows.begin(), windows.end(), '/', '\\');
    return std::filesystem::path(windows);
}

std::filesystem::path ProgramUnderTest() {
    return PathFromVariable("KOLT_INFO_EXE");
}

std::filesystem::path ConsoleProgram() {
    return PathFromVariable("KOLT_INFO_CLI_EXE");
}

std::filesystem::path OutputFolder() {
    return PathFromVariable("KOLT_E2E_OUTPUT");
}

std::filesystem::path FreshWorkFolder(const std::string& caseName) {
    const std::filesystem::path folder = OutputFolder() / "work" / caseName;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

std::string Utf8FromWide(std::wstring_view wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

std::string EnvironmentText(const wchar_t* name) {
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length < 1024 ? Utf8FromWide(std::wstring_view(value, length)) : std::string();
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + file.string());
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

}  // namespace kolt::e2e
