// Registry answers of the Win32 backend, against values the test writes itself and against what
// the registry holds for the operating system and the processor.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/registry_rules.h"
#include "platform/win32/win32_registry.h"
#include "tests/win32/registry_views.h"
#include "tests/win32/system_utf8.h"

namespace kolt::win32 {
namespace {

using test_support::RegistryViewKind;
using test_support::SystemUtf8;

constexpr const char* kScratchKey = "Software\\Kolt Backend Test";

// A key under HKEY_LOCAL_MACHINE, in the native view unless told otherwise, that exists for one
// test and is deleted afterwards.
class ScratchKey {
public:
    explicit ScratchKey(const char* path = kScratchKey,
                        RegistryViewKind view = RegistryViewKind::kNative)
        : m_path(path),
          m_view(view == RegistryViewKind::kNative ? KEY_WOW64_64KEY : KEY_WOW64_32KEY) {
        const LSTATUS status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_path, 0, nullptr, 0,
                                               KEY_ALL_ACCESS | m_view, nullptr, &m_key, nullptr);
        if (status != ERROR_SUCCESS) {
            m_key = nullptr;
        }
    }
    ~ScratchKey() {
        if (m_key != nullptr) {
            RegCloseKey(m_key);
            RegDeleteKeyExA(HKEY_LOCAL_MACHINE, m_path, m_view, 0);
        }
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    bool IsOpen() const { return m_key != nullptr; }

    // Stores the bytes exactly as given: no terminating NUL is added.
    void Set(const std::string& name, DWORD type, const std::string& bytes) {
        ASSERT_EQ(RegSetValueExA(m_key, name.c_str(), 0, type,
                                 reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS)
            << name;
    }

    // A text value through the wide call, with its NUL.
    void SetText(const std::wstring& name, const std::wstring& text) {
        ASSERT_EQ(RegSetValueExW(m_key, name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }

private:
    const char* m_path;
    REGSAM m_view;
    HKEY m_key = nullptr;
};

std::string Bytes(std::uint32_t value, std::size_t size = 4) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) {
        bytes += static_cast<char>(i < 4 ? (value >> (8 * i)) & 0xFF : 0);
    }
    return bytes;
}

struct StoredValue {
    const char* name;
    DWORD type;
    std::string bytes;
};

const std::vector<StoredValue>& StoredValues() {
    static const std::vector<StoredValue> values{
        {"Terminated", REG_SZ, std::string("abc\0", 4)},
        {"Unterminated", REG_SZ, "abcd"},
        {"EmbeddedNul", REG_SZ, std::string("ab\0cd\0", 6)},
        {"Empty", REG_SZ, std::string("\0", 1)},
        {"NoData", REG_SZ, ""},
        {"Chars63", REG_SZ, std::string(63, 'x') + '\0'},
        {"Chars64", REG_SZ, std::string(64, 'y') + '\0'},
        {"Chars5000", REG_SZ, std::string(5000, 'z') + '\0'},
        {"Expandable", REG_EXPAND_SZ, std::string("%SystemRoot%\\x\0", 15)},
        {"Number", REG_DWORD, Bytes(0x00636261)},
        {"Dword", REG_DWORD, Bytes(10)},
        {"LargestDword", REG_DWORD, Bytes(0xFFFFFFFF)},
        {"DwordAsText", REG_SZ, std::string("10\0", 3)},
        {"Binary", REG_BINARY, Bytes(10)},
        {"Qword", REG_QWORD, Bytes(10, 8)},
        {"BigEndian", REG_DWORD_BIG_ENDIAN, Bytes(10)},
    };
    return values;
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_scratch.IsOpen()) << "cannot create HKLM\\" << kScratchKey;
        for (const StoredValue& value : StoredValues()) {
            m_scratch.Set(value.name, value.type, value.bytes);
        }
    }

    ScratchKey m_scratch;
    Win32RegistryView m_registry;
};

// Values are read whole, as stored, whatever their length; the areas' limits are the rules'.
TEST_F(RegistryTest, DataIsReadWholeAsStored) {
    struct Case {
        const char* value;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"Terminated", std::string("abc\0", 4)},
        {"EmbeddedNul", std::string("ab\0cd\0", 6)},
        {"Empty", std::string("\0", 1)},
        {"NoData", ""},
        {"Chars5000", std::string(5000, 'z') + '\0'},
        {"Expandable", std::string("%SystemRoot%\\x\0", 15)},  // not expanded
        {"Number", std::string("abc\0", 4)},                   // a DWORD's bytes
        {"Missing", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_registry.Data(kScratchKey, c.value), c.expected) << c.value;
    }
    EXPECT_EQ(m_registry.Data("Software\\Kolt Backend Test\\Missing", "Terminated"), std::nullopt);
    // Through the 64-byte area the rules read them with. (The text call may add the NUL that a
    // value stored without one lacks.)
    EXPECT_EQ(TextInArea(m_registry.Data(kScratchKey, "Unterminated")), "abcd");
    EXPECT_EQ(TextInArea(m_registry.Data(kScratchKey, "Chars63")), std::string(63, 'x'));
    EXPECT_EQ(TextInArea(m_registry.Data(kScratchKey, "Chars64")), std::nullopt);
}

// Texts the 8-bit code page cannot hold come in UTF-8, whole; the area counts characters.
TEST_F(RegistryTest, TextsBeyondTheCodePageAreReadWhole) {
    const std::wstring name = L"Windows \u738B\u4F1F \u0141ukasz \U0001F600";
    const std::wstring sixtyThree(63, L'\u738B');
    m_scratch.SetText(L"Wide", name);
    m_scratch.SetText(L"Wide63", sixtyThree);
    m_scratch.SetText(L"Wide64", sixtyThree + L'\u4F1F');
    EXPECT_EQ(m_registry.Data(kScratchKey, "Wide"), SystemUtf8(name) + '\0');
    EXPECT_EQ(TextInArea(m_registry.Data(kScratchKey, "Wide63")), SystemUtf8(sixtyThree));
    EXPECT_EQ(TextInArea(m_registry.Data(kScratchKey, "Wide64")), std::nullopt);
}

TEST_F(RegistryTest, DwordReadsAcceptOnlyDwords) {
    struct Case {
        const char* value;
        std::optional<std::uint32_t> expected;
    };
    const Case cases[] = {
        {"Dword", 10},
        {"LargestDword", 0xFFFFFFFFu},
        {"DwordAsText", std::nullopt},
        {"Binary", std::nullopt},
        {"Qword", std::nullopt},
        {"BigEndian", std::nullopt},
        {"Missing", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_registry.Dword(kScratchKey, c.value), c.expected) << c.value;
    }
    EXPECT_EQ(m_registry.Dword("Software\\Kolt Backend Test\\Missing", "Dword"), std::nullopt);
}

TEST_F(RegistryTest, KeysExistOnlyWhereTheRegistryHasThem) {
    EXPECT_TRUE(m_registry.KeyExists(kScratchKey));
    EXPECT_TRUE(m_registry.KeyExists(kNtVersionKey));
    EXPECT_FALSE(m_registry.KeyExists("Software\\Kolt Backend Test\\Missing"));
    EXPECT_FALSE(m_registry.KeyExists("No Such Root Key"));
}

// 64-bit Windows keeps a copy of the software keys for 32-bit programs (WoW64). The product reads
// the native view even when built 32-bit, so what only the copy holds, or holds differently, must
// never show: a 32-bit report would otherwise name what a 64-bit program does not see.
TEST_F(RegistryTest, ReadsTheNativeViewNotTheWow64Copy) {
    ASSERT_TRUE(test_support::SystemHasTwoRegistryViews())
        << "a 32-bit test program must run in a 64-bit prefix with 32-bit support (WoW64)";
    m_scratch.Set("View", REG_SZ, std::string("native\0", 7));
    ScratchKey copy(kScratchKey, RegistryViewKind::kWow64Copy);
    ASSERT_TRUE(copy.IsOpen());
    copy.Set("View", REG_SZ, std::string("copy\0", 5));
    copy.Set("OnlyInCopy", REG_SZ, std::string("copy\0", 5));
    copy.Set("DwordOnlyInCopy", REG_DWORD, Bytes(10));
    // The two views really are apart, as the test's own reads show.
    ASSERT_EQ(
        test_support::MachineKey::Open(kScratchKey, RegistryViewKind::kWow64Copy).Text("View"),
        "copy");

    EXPECT_EQ(TextInArea(m_registry.Data(kScratchKey, "View")), "native");
    EXPECT_EQ(m_registry.Data(kScratchKey, "OnlyInCopy"), std::nullopt);
    EXPECT_EQ(m_registry.Dword(kScratchKey, "DwordOnlyInCopy"), std::nullopt);

    constexpr const char* kCopyOnlyKey = "Software\\Kolt Backend Test WoW64 Copy";
    const ScratchKey copyOnly(kCopyOnlyKey, RegistryViewKind::kWow64Copy);
    ASSERT_TRUE(copyOnly.IsOpen());
    EXPECT_FALSE(m_registry.KeyExists(kCopyOnlyKey));
}

// The values the report reads, compared with what the native view holds, read through other calls.
TEST(RegistryContent, MatchesWhatTheSystemStores) {
    struct Location {
        const char* key;
        const char* value;
    };
    const Location locations[] = {
        {"Software\\Microsoft\\Windows NT\\CurrentVersion", "ProductName"},
        {"Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion"},
        {"Software\\Microsoft\\Windows NT\\CurrentVersion", "CSDVersion"},
        {"Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentBuildNumber"},
        {"Software\\Microsoft\\Windows NT\\CurrentVersion", "DisplayVersion"},
        {"Software\\Microsoft\\Windows\\CurrentVersion", "ProductName"},
        {"Software\\Microsoft\\Windows\\CurrentVersion", "VersionNumber"},
        {"Hardware\\Description\\System\\CentralProcessor\\0", "VendorIdentifier"},
        {"Hardware\\Description\\System\\CentralProcessor\\0", "Identifier"},
    };
    Win32RegistryView registry;
    int found = 0;
    for (const Location& at : locations) {
        std::optional<std::string> expected = test_support::NativeRegistryText(at.key, at.value);
        if (expected && expected->size() >= 64) {
            expected = std::nullopt;  // does not fit the 64 bytes asked for below
        }
        found += expected.has_value();
        EXPECT_EQ(TextInArea(registry.Data(at.key, at.value)), expected)
            << at.key << " " << at.value;
    }
    // The product name, version and processor values at least must be there to compare.
    EXPECT_GE(found, 4);

    const std::optional<DWORD> major = test_support::NativeRegistryDword(
        "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentMajorVersionNumber");
    EXPECT_EQ(registry.Dword(kNtVersionKey, "CurrentMajorVersionNumber"),
              major ? std::optional<std::uint32_t>(*major) : std::nullopt);
}

}  // namespace
}  // namespace kolt::win32
