// The resources of the two built programs, read back as Windows reads them: the version
// information through GetFileVersionInfoA and VerQueryValueA, as the file's properties show it,
// and the manifest and icon from the file loaded as data.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "branding.h"
#include "tests/win32/host_facts.h"

namespace kolt {
namespace {

using test_support::HostFact;

// 2.11 as the fixed part of a version resource holds it: major number high, minor number low.
constexpr DWORD kVersion2Point11 = (2u << 16) | 11u;
// U.S. English (0x0409) high, Unicode (code page 1200) low.
constexpr DWORD kEnglishUnicode = (0x0409u << 16) | 1200u;

struct Program {
    const char* pathVariable;  // set by CMake to the built file's path
    std::string fileName;
    std::string description;
};

const std::vector<Program>& Programs() {
    static const std::vector<Program> programs{
        {"KOLT_CLI_PROGRAM", "kolt_info_cli.exe", "Kolt Information (console program)"},
        {"KOLT_DIALOG_PROGRAM", "kolt_info.exe", "Kolt Information (dialog program)"},
    };
    return programs;
}

// A file's whole version resource, as GetFileVersionInfoA copies it.
class VersionInfo {
public:
    explicit VersionInfo(const std::string& path) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        if (size == 0) {
            return;
        }
        m_data.resize(size);
        if (!GetFileVersionInfoA(path.c_str(), 0, size, m_data.data())) {
            m_data.clear();
        }
    }

    bool IsRead() const { return !m_data.empty(); }

    const VS_FIXEDFILEINFO* Fixed() const {
        return static_cast<const VS_FIXEDFILEINFO*>(Query("\\"));
    }

    // The first language and code page the resource declares; its texts are looked up under it.
    std::optional<DWORD> Translation() const {
        const auto* pair = static_cast<const WORD*>(Query("\\VarFileInfo\\Translation"));
        if (pair == nullptr) {
            return std::nullopt;
        }
        return (static_cast<DWORD>(pair[0]) << 16) | pair[1];
    }

    std::optional<std::string> Text(const std::string& name) const {
        const std::optional<DWORD> translation = Translation();
        if (!translation) {
            return std::nullopt;
        }
        char block[64];
        std::snprintf(block, sizeof block, "\\StringFileInfo\\%08lX\\",
                      static_cast<unsigned long>(*translation));
        const auto* text = static_cast<const char*>(Query(block + name));
        return text == nullptr ? std::nullopt : std::optional<std::string>(text);
    }

private:
    const void* Query(const std::string& subBlock) const {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(m_data.data(), subBlock.c_str(), &value, &length) || length == 0) {
            return nullptr;
        }
        return value;
    }

    std::vector<char> m_data;
};

// A program file loaded as data, so its resources can be read without running it.
class ResourceFile {
public:
    explicit ResourceFile(const std::string& path)
        : m_module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ResourceFile() {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
        }
    }
    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;

    bool IsLoaded() const { return m_module != nullptr; }

    std::optional<std::string> Bytes(LPCSTR type, LPCSTR name) const {
        const HRSRC found = FindResourceA(m_module, name, type);
        const HGLOBAL loaded = found == nullptr ? nullptr : LoadResource(m_module, found);
        const void* data = loaded == nullptr ? nullptr : LockResource(loaded);
        if (data == nullptr) {
            return std::nullopt;
        }
        return std::string(static_cast<const char*>(data), SizeofResource(m_module, found));
    }

    int CountOf(LPCSTR type) const {
        int count = 0;
        EnumResourceNamesA(m_module, type, CountOne, reinterpret_cast<LONG_PTR>(&count));
        return count;
    }

private:
    static BOOL CALLBACK CountOne(HMODULE, LPCSTR, LPSTR, LONG_PTR counter) {
        ++*reinterpret_cast<int*>(counter);
        return TRUE;
    }

    HMODULE m_module;
};

TEST(ProgramResources, VersionInformationNamesProductVersionMakerAndProgram) {
    for (const Program& program : Programs()) {
        SCOPED_TRACE(program.fileName);
        const std::optional<std::string> path = HostFact(program.pathVariable);
        ASSERT_TRUE(path) << program.pathVariable << " names the program";
        const VersionInfo info(*path);
        ASSERT_TRUE(info.IsRead()) << "no version resource in " << *path;

        const VS_FIXEDFILEINFO* fixed = info.Fixed();
        ASSERT_NE(fixed, nullptr);
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(fixed->dwFileVersionMS, kVersion2Point11);
        EXPECT_EQ(fixed->dwFileVersionLS, 0u);  // .0.0
        EXPECT_EQ(fixed->dwProductVersionMS, kVersion2Point11);
        EXPECT_EQ(fixed->dwProductVersionLS, 0u);
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
        EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);  // no debug or pre-release

        // U.S. English in Unicode: the texts' block must be the one the translation names.
        EXPECT_EQ(info.Translation(), kEnglishUnicode);
        const std::string stem = program.fileName.substr(0, program.fileName.size() - 4);
        const struct {
            const char* name;
            std::string expected;
        } texts[] = {
            {"ProductName", "Kolt Information"},
            {"ProductVersion", "2.11.0.0"},
            {"FileVersion", "2.11.0.0"},
            {"FileDescription", program.description},
            {"OriginalFilename", program.fileName},
            {"InternalName", stem},
            {"CompanyName", std::string(branding::kCompanyName)},
            {"LegalCopyright", std::string(branding::kLegalCopyright)},
        };
        for (const auto& text : texts) {
            EXPECT_EQ(info.Text(text.name), text.expected) << text.name;
        }
    }
}

// Both programs ask for no elevation, so a 32-bit run is never redirected to the VirtualStore,
// name the Windows versions they were made for, and carry the product's icon.
TEST(ProgramResources, ManifestAndIcon) {
    const char* const supportedOs[] = {
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    for (const Program& program : Programs()) {
        SCOPED_TRACE(program.fileName);
        const std::optional<std::string> path = HostFact(program.pathVariable);
        ASSERT_TRUE(path);
        const ResourceFile file(*path);
        ASSERT_TRUE(file.IsLoaded()) << *path;

        const std::optional<std::string> manifest = file.Bytes(RT_MANIFEST, MAKEINTRESOURCEA(1));
        ASSERT_TRUE(manifest) << "no manifest";
        EXPECT_NE(manifest->find("level=\"asInvoker\""), std::string::npos);
        EXPECT_NE(manifest->find("version=\"2.11.0.0\""), std::string::npos);
        for (const char* id : supportedOs) {
            EXPECT_NE(manifest->find(id), std::string::npos) << id;
        }
        // Both programs read the monitors' true pixels.
        EXPECT_NE(manifest->find("PerMonitorV2"), std::string::npos);
        EXPECT_EQ(file.CountOf(RT_GROUP_ICON), 1);
    }
}

}  // namespace
}  // namespace kolt
