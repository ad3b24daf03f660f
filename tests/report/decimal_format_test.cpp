#include "report/decimal_format.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

namespace kolt {
namespace {

struct DecimalCase {
    double value;
    int decimals;
    const char* expected;
};

void PrintTo(const DecimalCase& c, std::ostream* out) {
    *out << c.value << " to " << c.decimals << " decimals";
}

class FormatDecimalTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(FormatDecimalTest, RendersFixedPointWithTwoStepRounding) {
    const DecimalCase& c = GetParam();
    EXPECT_EQ(FormatDecimal(c.value, c.decimals), c.expected)
        << "value " << c.value << ", decimals " << c.decimals;
}

INSTANTIATE_TEST_SUITE_P(Halves, FormatDecimalTest,
                         ::testing::Values(
                             // Exactly halfway rounds away from zero, never to even.
                             DecimalCase{12.5, 0, "13"}, DecimalCase{0.5, 0, "1"},
                             DecimalCase{2.5, 0, "3"}, DecimalCase{1.125, 2, "1.13"},
                             DecimalCase{0.125, 2, "0.13"}, DecimalCase{-2.5, 0, "-3"},
                             DecimalCase{-1.125, 2, "-1.13"}, DecimalCase{60.9375, 0, "61"},
                             DecimalCase{60.94, 0, "61"},
                             DecimalCase{31.210191082802547, 0, "31"}));

INSTANTIATE_TEST_SUITE_P(SeventeenDigitsFirst, FormatDecimalTest,
                         ::testing::Values(
                             // Stored just above a half: up.
                             DecimalCase{0.005, 2, "0.01"},
                             // Stored just below a half, and still below it at 17 digits: down.
                             DecimalCase{2.675, 2, "2.67"}, DecimalCase{1.005, 2, "1.00"},
                             DecimalCase{9.995, 2, "9.99"},
                             // Stored just below a half, but exactly a half at 17 digits: up.
                             DecimalCase{0.105, 2, "0.11"}, DecimalCase{0.245, 2, "0.25"},
                             DecimalCase{1.45, 1, "1.5"},
                             // The largest double below a half stays below it.
                             DecimalCase{0.49999999999999994, 0, "0"}));

INSTANTIATE_TEST_SUITE_P(
    Shapes, FormatDecimalTest,
    ::testing::Values(DecimalCase{0.0, 2, "0.00"}, DecimalCase{0.0, 0, "0"},
                      DecimalCase{7.0, 2, "7.00"}, DecimalCase{512.0, 0, "512"},
                      DecimalCase{2793.12, 2, "2793.12"}, DecimalCase{5586.24, 2, "5586.24"},
                      DecimalCase{67.7934, 2, "67.79"},
                      // Carries run through every digit.
                      DecimalCase{9.996, 2, "10.00"}, DecimalCase{99.5, 0, "100"},
                      DecimalCase{999.9999, 2, "1000.00"},
                      // Tiny values round to zero, or up to the last place.
                      DecimalCase{1e-10, 2, "0.00"}, DecimalCase{0.0049, 2, "0.00"},
                      DecimalCase{0.006, 2, "0.01"}, DecimalCase{0.4, 0, "0"},
                      // Beyond 17 digits the expansion is padded with zeros, never with noise.
                      DecimalCase{1e20, 2, "100000000000000000000.00"},
                      DecimalCase{123456789012345678.0, 0, "123456789012345680"},
                      DecimalCase{4294967295.0, 0, "4294967295"},
                      // A value smaller than half a unit of the first kept place.
                      DecimalCase{-0.001, 2, "-0.00"}, DecimalCase{-12.345, 2, "-12.35"},
                      // Negative requests mean no decimals.
                      DecimalCase{3.7, -1, "4"}));

TEST(FormatDecimal, NonFiniteValuesHaveAShortText) {
    EXPECT_EQ(FormatDecimal(std::numeric_limits<double>::infinity(), 2), "inf");
    EXPECT_EQ(FormatDecimal(-std::numeric_limits<double>::infinity(), 2), "-inf");
    EXPECT_EQ(FormatDecimal(std::numeric_limits<double>::quiet_NaN(), 2), "nan");
}

TEST(FormatDecimal, ExtremeMagnitudesKeepTheirDigits) {
    const std::string largest = FormatDecimal(std::numeric_limits<double>::max(), 0);
    EXPECT_EQ(largest.size(), 309u);
    EXPECT_EQ(largest.substr(0, 17), "17976931348623157");
    EXPECT_EQ(largest.find_first_not_of('0', 17), std::string::npos);
    EXPECT_EQ(FormatDecimal(std::numeric_limits<double>::denorm_min(), 2), "0.00");
}

}  // namespace
}  // namespace kolt
