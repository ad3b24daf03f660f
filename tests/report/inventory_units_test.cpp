// The inventory document's escaping and units: the faults a server would store or refuse.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

#include "report/inventory/inventory_units.h"
#include "report/inventory/xml_text.h"

namespace kolt {
namespace {

struct XmlCase {
    const char* name;
    std::string text;
    std::string expected;
};

void PrintTo(const XmlCase& c, std::ostream* out) {
    *out << c.name;
}

class XmlTextTest : public ::testing::TestWithParam<XmlCase> {};

TEST_P(XmlTextTest, EscapesWhatXmlReservesAndReplacesWhatItCannotCarry) {
    const XmlCase& c = GetParam();
    std::string xml = "<";
    AppendXmlText(c.text, xml);
    EXPECT_EQ(xml, "<" + c.expected);
}

const std::string kReplacement = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(
    Texts, XmlTextTest,
    ::testing::Values(
        XmlCase{"markup", "R&D <lab> ]]> \"q\" 'a'", "R&amp;D &lt;lab&gt; ]]&gt; \"q\" 'a'"},
        XmlCase{"names beyond ASCII whole", "王伟-PC Jürgen \xF0\x9F\x96\xA5",
                "王伟-PC Jürgen \xF0\x9F\x96\xA5"},
        XmlCase{"tab and line feed kept, carriage return as a reference", "a\tb\nc\rd",
                "a\tb\nc&#13;d"},
        XmlCase{"control characters replaced", std::string("a\0b\x01\x1B[0m\x7F", 9),
                "a" + kReplacement + "b" + kReplacement + kReplacement + "[0m\x7F"},
        XmlCase{"bytes that are not UTF-8 replaced one by one", "a\xFF\xC3z",
                "a" + kReplacement + kReplacement + "z"},
        XmlCase{"a lone surrogate replaced", "x\xED\xA0\x80y", "x" + kReplacement + "y"},
        XmlCase{"the two non-characters replaced", "\xEF\xBF\xBE\xEF\xBF\xBF",
                kReplacement + kReplacement},
        XmlCase{"empty", "", ""}));

TEST(InventoryUnitsTest, WholeMegabytesRoundDown) {
    const struct {
        std::uint64_t bytes;
        std::uint64_t megabytes;
    } cases[] = {{0, 0},
                 {1048575, 0},
                 {1048576, 1},
                 {270553174016, 258019},
                 {std::numeric_limits<std::uint64_t>::max(), 17592186044415}};
    for (const auto& c : cases) {
        EXPECT_EQ(WholeMegabytes(c.bytes), c.megabytes) << c.bytes << " bytes";
    }
}

TEST(InventoryUnitsTest, WholeMegahertzRoundToNearestAndNeverFromNothing) {
    const struct {
        double megahertz;
        std::uint64_t whole;
    } cases[] = {{2445.41, 2445},
                 {2445.5, 2446},
                 {0.4, 0},
                 {0, 0},
                 {-5, 0},
                 {std::numeric_limits<double>::infinity(), 0},
                 {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(WholeMegahertz(c.megahertz), c.whole) << c.megahertz << " MHz";
    }
}

TEST(InventoryUnitsTest, DatesAndMasksInTheServersForms) {
    EXPECT_EQ(FirmwareDateText({2024, 6, 1}), "06/01/2024");
    const struct {
        std::int64_t seconds;
        const char* text;
    } moments[] = {
        {0, "1970-01-01-00-00-00"},
        {951782400, "2000-02-29-00-00-00"},  // a leap day of a century year
        {1796219098, "2026-12-02-13-44-58"},
        {-1, "1970-01-01-00-00-00"},            // held to the first moment
        {253402300800, "9999-12-31-23-59-59"},  // held to four-digit years
    };
    for (const auto& m : moments) {
        EXPECT_EQ(DeviceIdMomentText(m.seconds), m.text) << m.seconds;
    }
    const struct {
        std::uint8_t length;
        Ipv4Address mask;
        Ipv4Address network;  // of 192.0.2.130
    } prefixes[] = {{0, {{0, 0, 0, 0}}, {{0, 0, 0, 0}}},
                    {24, {{255, 255, 255, 0}}, {{192, 0, 2, 0}}},
                    {25, {{255, 255, 255, 128}}, {{192, 0, 2, 128}}},
                    {32, {{255, 255, 255, 255}}, {{192, 0, 2, 130}}},
                    {40, {{255, 255, 255, 255}}, {{192, 0, 2, 130}}}};
    for (const auto& p : prefixes) {
        EXPECT_EQ(Ipv4Mask(p.length), p.mask) << "/" << int{p.length};
        EXPECT_EQ(Ipv4Network({{192, 0, 2, 130}}, p.length), p.network) << "/" << int{p.length};
    }
}

}  // namespace
}  // namespace kolt
