// The redactor's rules: which addresses are hidden and as what, which folders of a path are the
// user's, and that a value is replaced only where it stands as a whole token.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/address_text.h"
#include "report/redactor.h"
#include "report/sensitive_values.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

Ipv6Address V6(std::initializer_list<std::uint8_t> leading, std::uint8_t last) {
    Ipv6Address address;
    std::copy(leading.begin(), leading.end(), address.octets.begin());
    address.octets[15] = last;
    return address;
}

struct AddressCase {
    InternetAddress address;
    std::string standIn;  // what the address becomes; itself when it is kept
};

TEST(Redactor, AddressesKeepTheirKind) {
    const std::vector<AddressCase> cases = {
        {Ipv4Address{{127, 0, 0, 1}}, "127.0.0.1"},
        {Ipv4Address{{0, 0, 0, 0}}, "0.0.0.0"},
        {Ipv4Address{{10, 1, 2, 3}}, "private address 1"},
        {Ipv4Address{{172, 16, 0, 1}}, "private address 2"},
        {Ipv4Address{{172, 32, 0, 1}}, "address 1"},
        {Ipv4Address{{192, 168, 1, 10}}, "private address 3"},
        {Ipv4Address{{100, 64, 0, 1}}, "private address 4"},
        {Ipv4Address{{169, 254, 7, 7}}, "link-local address 1"},
        {Ipv4Address{{198, 51, 100, 7}}, "address 2"},
        {V6({}, 1), "::1"},
        {V6({}, 0), "::"},
        {V6({0xFE, 0x80}, 5), "link-local address 2"},
        {V6({0xFD, 0x12}, 5), "private address 5"},
        {V6({0x20, 0x01, 0x0D, 0xB8}, 5), "address 3"},
        {V6({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 192, 168, 1}, 9), "private address 6"},
    };
    Redactor redactor;
    for (const AddressCase& c : cases) {
        redactor.AddAddress(c.address);
    }
    for (const AddressCase& c : cases) {
        EXPECT_EQ(redactor.Redact(IpText(c.address)), c.standIn) << IpText(c.address);
    }
    // The same address again keeps its stand-in; a prefix length stays.
    redactor.AddAddress(Ipv4Address{{10, 1, 2, 3}});
    EXPECT_EQ(redactor.Redact("10.1.2.3/8, 10.1.2.30, 110.1.2.3, 10.1.2.3.4"),
              "private address 1/8, 10.1.2.30, 110.1.2.3, 10.1.2.3.4");
}

struct PathCase {
    std::string user;
    char separator;
    std::string directory;
    std::string text;      // where the directory appears
    std::string redacted;  // what it becomes
};

TEST(Redactor, TheUsersFoldersInThePathAreReplaced) {
    const std::vector<PathCase> cases = {
        {"jurgen", '\\', "C:\\Users\\Jurgen\\Documents\\Tickets",
         "C:\\Users\\Jurgen\\Documents\\Tickets\\kolt_info.cfg",
         "C:\\Users\\USER-1\\FOLDER-1\\FOLDER-2\\kolt_info.cfg"},
        {"jurgen", '\\', "C:\\Users\\j.smith\\1", "in C:\\Users\\j.smith\\1, 1 file",
         "in C:\\Users\\FOLDER-1\\FOLDER-2, 1 file"},
        {"wei", '/', "/home/wei/work", "/home/wei/work/x /home/wei",
         "/home/USER-1/FOLDER-1/x /home/USER-1"},
        {"王伟", '\\', "C:\\Documents and Settings\\王伟", "C:\\Documents and Settings\\王伟",
         "C:\\Documents and Settings\\USER-1"},
        {"jurgen", '\\', "D:\\Support\\jurgen\\Case 7", "D:\\Support\\jurgen\\Case 7",
         "D:\\Support\\USER-1\\Case 7"},
        {"jurgen", '\\', "\\\\filer01\\home$\\jurgen", "\\\\filer01\\home$\\jurgen on filer01",
         "\\\\SERVER-1\\home$\\USER-1 on SERVER-1"},
        {"root", '/', "/tmp/run", "/tmp/run", "/tmp/run"},
    };
    for (const PathCase& c : cases) {
        Redactor redactor;
        redactor.Add(RedactedKind::UserName, c.user);
        redactor.AddPath(c.directory, c.separator);
        EXPECT_EQ(redactor.Redact(c.text), c.redacted) << c.directory;
    }
}

struct TokenCase {
    std::string text;
    std::string redacted;
};

// Short values are replaced only as whole tokens, in any letter case; the longest value wins.
TEST(Redactor, ReplacesWholeTokensOnly) {
    Redactor redactor;
    redactor.Add(RedactedKind::UserName, "a");
    redactor.Add(RedactedKind::ComputerName, "PC");
    redactor.AddAlias(RedactedKind::ComputerName, "pc.corp.example", "PC");
    redactor.Add(RedactedKind::Domain, "corp.example");
    redactor.AddHardwareAddress({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E});
    const std::vector<TokenCase> cases = {
        {"a day, a.b, Total: 4.00 Kb", "USER-1 day, a.b, Total: 4.00 Kb"},
        {"pc is PC-2, PCs, on pc.", "HOST-1 is PC-2, PCs, on HOST-1."},
        {"pc.corp.example, x.corp.example, corp.example", "HOST-1, x.corp.example, DOMAIN-1"},
        {"kolt_info_PC.txt", "kolt_info_PC.txt"},
        // A host name ends before its port; "80a" is no port.
        {"http://pc:8080/x pc:3128 pc:80a", "http://HOST-1:8080/x HOST-1:3128 pc:80a"},
        {"00-1a-2b-3c-4d-5e 00:1A:2B:3C:4D:5E 00-1A-2B-3C-4D-5E-00",
         "MAC-1 MAC-1 00-1A-2B-3C-4D-5E-00"},
    };
    for (const TokenCase& c : cases) {
        EXPECT_EQ(redactor.Redact(c.text), c.redacted) << c.text;
    }
    std::vector<RedactedKind> expected = {RedactedKind::ComputerName, RedactedKind::UserName,
                                          RedactedKind::Domain, RedactedKind::HardwareAddress};
    EXPECT_EQ(redactor.Kinds(), expected);
}

// A serial of a few characters is a maker's filler: replacing it as a word would change figures.
TEST(SensitiveValues, OnlySerialsLongEnoughToNameAMachineAreReplaced) {
    const struct {
        std::string serial;
        bool replaced;
    } cases[] = {{"0", false}, {"123", false}, {"5CG1234", true}};
    for (const auto& c : cases) {
        test_support::ScriptedPlatform platform;
        ReportFacts facts;
        facts.extended.emplace().firmware.serialNumber = c.serial;
        const std::string text = "Serial " + c.serial + ", 0 jobs, 123 Mb";
        const std::string redacted = SensitiveValuesOf(facts, platform).Redact(text);
        EXPECT_EQ(redacted == text, !c.replaced) << c.serial << " -> " << redacted;
    }
}

}  // namespace
}  // namespace kolt
