#include "numbers.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace veldora {
namespace {

struct ParseCase {
  const char* text;
  double value;
};

class ParseNumber : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumber, ReadsTheLeadingNumber) {
  EXPECT_EQ(parseNumber(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ParseNumber, testing::Values(
    ParseCase{"",          0},
    ParseCase{"50",        50},
    ParseCase{"25.4mm",    25.4},
    ParseCase{"1,5",       1},
    ParseCase{"2 5",       25},
    ParseCase{" \t2\n5 ",  25},
    ParseCase{".5",        0.5},
    ParseCase{"-3",        -3},
    ParseCase{"+7",        7},
    ParseCase{"1E2",       100},
    ParseCase{"1e-2",      0.01},
    ParseCase{"2D3",       2000},
    ParseCase{"2d+1",      20},
    ParseCase{"3E",        3},      // an exponent without digits is not part of the number
    ParseCase{"3E+",       3},
    ParseCase{"1.2.3",     1.2},
    ParseCase{"5.",        5},
    ParseCase{".",         0},
    ParseCase{"-",         0},
    ParseCase{"-.",        0},
    ParseCase{"abc",       0},
    ParseCase{"&H10",      0},      // hexadecimal and octal prefixes are not read
    ParseCase{"&O17",      0},
    ParseCase{"0x10",      0},
    ParseCase{"inf",       0},
    ParseCase{"nan",       0},
    ParseCase{"۵۰",        0},      // Persian digits are not digits here
    ParseCase{"٥٠",        0},      // nor Arabic-Indic ones
    ParseCase{"0.1",       0.1},
    ParseCase{"1E-400",    0}));
// clang-format on

TEST(ParseNumberOverflow, ReadsAsInfinity) {
  EXPECT_EQ(parseNumber("1E400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(parseNumber("-1E400"), -std::numeric_limits<double>::infinity());
}

struct TextCase {
  double value;
  const char* text;
};

class PlainText : public testing::TestWithParam<TextCase> {};

TEST_P(PlainText, WritesFifteenDigitsPlainly) {
  EXPECT_EQ(plainText(GetParam().value), GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, PlainText, testing::Values(
    TextCase{178.6,             " 178.6"},
    TextCase{1.48,              " 1.48"},
    TextCase{0.5,               " .5"},
    TextCase{-0.5,              "-.5"},
    TextCase{300,               " 300"},
    TextCase{-12.25,            "-12.25"},
    TextCase{0,                 " 0"},
    TextCase{-0.0,              " 0"},
    TextCase{57.99999999999999, " 58"},
    TextCase{0.58 * 100,        " 58"},
    TextCase{0.1 + 0.2,         " .3"},
    TextCase{1.0 / 3,           " .333333333333333"},
    TextCase{2.0 / 3,           " .666666666666667"},
    TextCase{123456789012345678.0, " 123456789012346000"},
    TextCase{1e20,              " 100000000000000000000"},
    TextCase{1.5e-7,            " .00000015"},
    TextCase{999999999999999.9, " 1000000000000000"},
    TextCase{32767,             " 32767"},
    TextCase{-32768,            "-32768"}));
// clang-format on

TEST(PlainTextExtremes, LargestDoubleIsWrittenOutInFull) {
  const std::string text = plainText(std::numeric_limits<double>::max());
  EXPECT_EQ(text.size(), 1u + 309u);
  EXPECT_EQ(text.substr(0, 16), " 179769313486232");
  EXPECT_EQ(text.find_first_not_of('0', 16), std::string::npos);
}

TEST(HundredthsText, AppendsTheArabicComma) {
  EXPECT_EQ(hundredthsText(0.67), " 67،");
  EXPECT_EQ(hundredthsText(0.58), " 58،");
  EXPECT_EQ(hundredthsText(0.9), " 90،");
  EXPECT_EQ(hundredthsText(0.495), " 49.5،");
}

struct RoundCase {
  double value;
  double whole;
  double tenths;
  double hundredths;
};

class Rounding : public testing::TestWithParam<RoundCase> {};

TEST_P(Rounding, HalvesGoToEven) {
  EXPECT_EQ(roundToWhole(GetParam().value), GetParam().whole);
  EXPECT_EQ(roundToTenths(GetParam().value), GetParam().tenths);
  EXPECT_EQ(roundToHundredths(GetParam().value), GetParam().hundredths);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Rounding, testing::Values(
    RoundCase{0.5,     0,      0.5,   0.5},
    RoundCase{1.5,     2,      1.5,   1.5},
    RoundCase{2.5,     2,      2.5,   2.5},
    RoundCase{-2.5,    -2,     -2.5,  -2.5},
    RoundCase{178.584, 179,    178.6, 178.58},
    RoundCase{0.495,   0,      0.5,   0.5},   // 49.5 goes to the even 50
    RoundCase{1.484,   1,      1.5,   1.48}));
// clang-format on

TEST(RoundingLargeValues, NeverPassesThroughAnInteger) {
  EXPECT_EQ(roundToWhole(1e300), 1e300);
  EXPECT_EQ(roundToWhole(3000000000.5), 3000000000.0);
  EXPECT_EQ(roundToWhole(-70000.5), -70000.0);
}

}  // namespace
}  // namespace veldora
