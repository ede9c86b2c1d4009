#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "model/Errors.h"
#include "model/Numbers.h"
#include "model/Variant.h"

using namespace korvel;

namespace {
const double inf = std::numeric_limits<double>::infinity();
const double notANumber = std::numeric_limits<double>::quiet_NaN();
} // namespace

TEST(Numbers, RoundHalfEvenSendsHalvesToTheEvenNeighbour)
{
    const struct {
        double in, out;
    } cases[] = {
        {12.5, 12},   {13.5, 14}, {37.5, 38}, {62.5, 62}, {87.5, 88},
        {-2.5, -2},   {-3.5, -4}, {2.6, 3},   {-2.6, -3}, {0.49999999999999994, 0},
        {1e20, 1e20}, {0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(num::roundHalfEven(c.in), c.out) << c.in;
}

TEST(Numbers, ToWholeRefusesValuesWithoutAWholeNumber)
{
    EXPECT_EQ(num::toWhole(12.5), 12);
    EXPECT_EQ(num::toWhole(-7.5), -8);
    EXPECT_THROW(num::toWhole(inf), NonFiniteResult);
    EXPECT_THROW(num::toWhole(notANumber), NonFiniteResult);
    EXPECT_THROW(num::toWhole(1e300), NonFiniteResult);
}

TEST(Numbers, PlainTextShowsFifteenSignificantDigits)
{
    const struct {
        double in;
        const char* out;
    } cases[] = {
        {0.43, "0.43"},
        {32000, "32000"},
        {1e16, "1E+16"},
        {1e15, "1E+15"},
        {1e-5, "1E-05"},
        {0.0001, "0.0001"},
        {-2.5, "-2.5"},
        {0.1 + 0.2, "0.3"},
        {-0.0, "0"},
        {123456789012345, "123456789012345"},
        {1234567890123456, "1.23456789012346E+15"},
        {1.5e100, "1.5E+100"},
        {18.36, "18.36"},
        // next to the largest double, rounding to fifteen digits would pass it: the text would not read back
        {std::numeric_limits<double>::max(), "1.79769313486231E+308"},
        {-std::numeric_limits<double>::max(), "-1.79769313486231E+308"},
        {1.797693134862315e308, "1.79769313486231E+308"},
        {1.79769313486231e308, "1.79769313486231E+308"},
        {1.7976931348623e308, "1.7976931348623E+308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(num::plainText(c.in), c.out) << c.in;
        EXPECT_TRUE(num::parseNumeric(c.out).has_value()) << c.out;
    }
    EXPECT_THROW(num::plainText(inf), NonFiniteResult);
    EXPECT_THROW(num::plainText(notANumber), NonFiniteResult);
    EXPECT_EQ(num::boolText(true), "True");
    EXPECT_EQ(num::boolText(false), "False");
}

TEST(Numbers, PlainTextExactReadsBackAsTheSameNumber)
{
    const struct {
        double in;
        const char* out;
    } cases[] = {
        {0.43, "0.43"},
        {1e16, "1E+16"},
        {0.1 + 0.2, "0.30000000000000004"},
        {1234567890123456, "1234567890123456"},
        {1.2345678901234567e-5, "1.2345678901234568E-05"}, // 16 digits suffice
        {std::numeric_limits<double>::max(), "1.7976931348623157E+308"},
        {-std::numeric_limits<double>::max(), "-1.7976931348623157E+308"},
        {-0.0, "-0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(num::plainTextExact(c.in), c.out) << c.in;
    // Every finite double, the 15-digit text whenever that reads back.
    std::mt19937_64 bits(7);
    for (int i = 0; i < 100000; ++i) {
        const double x = std::bit_cast<double>(bits());
        if (!std::isfinite(x))
            continue;
        const std::string text = num::plainTextExact(x);
        const auto back = num::parseNumeric(text);
        ASSERT_TRUE(back && std::bit_cast<std::uint64_t>(*back) == std::bit_cast<std::uint64_t>(x)) << text;
        if (num::parseNumeric(num::plainText(x)) == x && x != 0) {
            EXPECT_EQ(text, num::plainText(x));
        }
        EXPECT_EQ(num::leadingNumber(text), x) << text;
    }
    EXPECT_THROW(num::plainTextExact(inf), NonFiniteResult);
}

TEST(Numbers, LeadingNumberReadsTheNumberAtTheStart)
{
    const struct {
        const char* in;
        double out;
    } cases[] = {
        {"12abc", 12},  {"abc", 0},    {" 1,500", 1},  {"", 0},       {"  -3.5e2x", -350}, {"1 2 3", 123},
        {".5", 0.5},    {"-.5", -0.5}, {"12e", 12},    {"1e+", 1},    {"+7", 7},           {"-", 0},
        {"1.2.3", 1.2}, {"2.5D1", 25}, {"\t42\n", 42}, {"1e-400", 0}, {"0.43", 0.43},
    };
    for (const auto& c : cases)
        EXPECT_EQ(num::leadingNumber(c.in), c.out) << c.in;
    EXPECT_THROW(num::leadingNumber("1e999"), NonFiniteResult);
    // The windows' reading takes a number too large for a double as no number.
    EXPECT_EQ(num::leadingNumberOrZero("1e999"), 0);
    EXPECT_EQ(num::leadingNumberOrZero("-1e999x"), 0);
    EXPECT_EQ(num::leadingNumberOrZero("12abc"), 12);
}

TEST(Numbers, ParseNumericTestsTheWholeText)
{
    const struct {
        const char* in;
        double out;
    } accepted[] = {
        {"1,500", 1500},
        {" 12 ", 12},
        {"-3.5", -3.5},
        {"+2", 2},
        {"1e3", 1000},
        {".5", 0.5},
        {"5.", 5},
        {"1,234,567.5", 1234567.5},
        {"2.5E-1", 0.25},
        {"0", 0},
        {"12,345.5", 12345.5},
        {"-999,000", -999000},
    };
    for (const auto& c : accepted) {
        auto v = num::parseNumeric(c.in);
        ASSERT_TRUE(v.has_value()) << c.in;
        EXPECT_EQ(*v, c.out) << c.in;
    }
    for (const char* bad :
         {"abc", "", "  ", "1.2.3", "1,", ",1", "1e", "--1", "1 2", "1e999", ".", "-", "12abc", "1,,2", "$5"})
        EXPECT_FALSE(num::isNumeric(bad)) << bad;
    // Digit grouping counts only in groups of three.
    for (const char* badlyGrouped : {"1,2", "8,5", "1,5000", "1234,567", "12,34,567", "1,500,5", "1.500,5", "1,50.5"})
        EXPECT_FALSE(num::isNumeric(badlyGrouped)) << badlyGrouped;
}

TEST(Numbers, BoxesReadDigitGroupingOnlyWhenItIsWellFormed)
{
    const struct {
        const char* in;
        double out;
    } cases[] = {
        {"1,500", 1500},
        {"12,345.5", 12345.5},
        {"1,234,567", 1234567},
        {"-1,500.25x", -1500.25},
        {"12abc", 12},
        {"abc", 0},
        {"1,2", 1},
        {"8,5", 8},
        {"1,5000", 1},
        {"1234,567", 1234},
        {"12,34,567", 12},
        {"1.5,000", 1.5},
        {",500", 0},
        {"1e999", 0},
        {" 160 ", 160},
        {"1,500,", 1500},
    };
    for (const auto& c : cases)
        EXPECT_EQ(num::groupedLeadingNumber(c.in), c.out) << c.in;
}

TEST(Numbers, FormatPatternFollowsTheDigitPatterns)
{
    const struct {
        double in;
        const char* pattern;
        const char* out;
    } cases[] = {
        {234.56, "###,##0.0", "234.6"},
        {1234567.891, "###,##0.00", "1,234,567.89"},
        {1.005, "#0.00", "1.01"},
        {12.345, "##0.00", "12.35"},
        {0, "###,###", ""},
        {0.4, "###,###", ""},
        {0, "###.00", ".00"},
        {0.5, "###.00", ".50"},
        {18.36, "###.00", "18.36"},
        {10.004, "###.00", "10.00"},
        {-1234.5, "###,##0.00", "-1,234.50"},
        {-0.001, "###,##0.00", "0.00"},
        // Without decimal places the result is a whole number: halves go to the even neighbour.
        {2.5, "###,##0", "2"},
        {-2.5, "###,##0", "-2"},
        {3.5, "###,##0", "4"},
        {-0.5, "###,##0", "0"},
        {0.5, "###,###", ""},
        {1.5, "###,###", "2"},
        {640.5 * 9, "###,###", "5,764"},
        {5765.5, "###,###,###", "5,766"},
        {2.5000000000000004, "###,##0", "2"},
        {2.5000001, "###,##0", "3"},
        {-12.5, "$###,###,##0", "-$12"},
        {13.5, "#0", "14"},
        {0, "###,##0", "0"},
        {1500, "$###,###,##0", "$1,500"},
        {0, "$###,###,##0", "$0"},
        {-1500, "$###,###,##0", "-$1,500"},
        {1234, "$###,###,###0", "$1,234"},
        {999999.5, "###,###", "1,000,000"},
        {7, "#,##0.00", "7.00"},
        {3.14159, "#0.0", "3.1"},
        {0.04, "#0.0", "0.0"},
        {1234567, "###,###,###", "1,234,567"},
        {1234.5, "###,###.00", "1,234.50"},
        {12.5, "0", "12"},
        {800, "#0", "800"},
        {1e16, "###,##0", "10,000,000,000,000,000"},
        {5, "#.##", "5."},
        {2.5, "#0.0 in.", "2.5 in."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(num::formatPattern(c.in, c.pattern), c.out) << c.in << " " << c.pattern;
    // Next to the largest double, what is shown still reads back as a number.
    const std::string largest = num::formatPattern(-std::numeric_limits<double>::max(), "#0");
    EXPECT_EQ(largest, "-179769313486231" + std::string(294, '0'));
    EXPECT_TRUE(num::isNumeric(largest));
    EXPECT_THROW(num::formatPattern(inf, "###,##0.00"), NonFiniteResult);
    EXPECT_THROW(num::formatPattern(notANumber, "#0.0"), NonFiniteResult);
}

TEST(Numbers, CheckedFiniteNamesTheFailure)
{
    EXPECT_EQ(num::checkedFinite(2.0), 2.0);
    try {
        num::checkedFinite(inf, "the gross depth");
        FAIL();
    } catch (const NonFiniteResult& e) {
        EXPECT_STREQ(e.what(), "the gross depth");
    }
}

TEST(VariantValue, ArithmeticReadsNumbersAndRefusesText)
{
    EXPECT_EQ(Variant().number(), 0);
    EXPECT_EQ(Variant(2.5).number(), 2.5);
    EXPECT_EQ(Variant("1,500").number(), 1500);
    EXPECT_THROW(Variant("abc").number(), TypeMismatch);
    EXPECT_THROW(Variant("").number(), TypeMismatch);
    EXPECT_EQ(Variant().toString(), "");
    EXPECT_EQ(Variant(0.43).toString(), "0.43");
    EXPECT_EQ(Variant("abc").toString(), "abc");
}
