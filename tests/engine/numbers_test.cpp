#include "engine/numbers.h"

#include "engine/resultline.h"
#include "tests/support/files.h"
#include "tests/support/names.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using testing_support::CaseName;

struct ParseCase {
  const char* name;
  const char* text;
  double value;
};

class ParseNumber : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumber, ReadsTheLeadingNumber) {
  EXPECT_EQ(parseNumber(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

constexpr double kInf = std::numeric_limits<double>::infinity();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ParseNumber, testing::Values(
    ParseCase{"empty",                     "",          0},
    ParseCase{"whole",                     "50",        50},
    ParseCase{"unit_after_it",             "25.4mm",    25.4},
    ParseCase{"comma_ends_it",             "1,5",       1},
    ParseCase{"blank_inside",              "2 5",       25},
    ParseCase{"no_zero_before_the_point",  ".5",        0.5},
    ParseCase{"negative",                  "-3",        -3},
    ParseCase{"plus_sign",                 "+7",        7},
    ParseCase{"exponent",                  "1E2",       100},
    ParseCase{"exponent_d",                "2D3",       2000},
    ParseCase{"exponent_without_digits",   "3E",        3},
    ParseCase{"second_point_ends_it",      "1.2.3",     1.2},
    ParseCase{"point_alone",               ".",         0},
    ParseCase{"sign_alone",                "-",         0},
    ParseCase{"letters",                   "abc",       0},
    ParseCase{"hexadecimal_prefix",        "&H10",      0},
    ParseCase{"inf_word",                  "inf",       0},
    ParseCase{"nan_word",                  "nan",       0},
    ParseCase{"persian_digits",            "۵۰",        0},
    ParseCase{"tenth",                     "0.1",       0.1},
    ParseCase{"underflow",                 "1E-400",    0},
    ParseCase{"overflow",                  "1E400",     kInf},
    ParseCase{"negative_overflow",         "-1E400",    -kInf},
    ParseCase{"subnormal",                 "4.9e-324",  4.9e-324},
    ParseCase{"long_exponent_without_digits", "1.5e",   1.5},
    ParseCase{"seventy_digits",
              "1234567890123456789012345678901234567890123456789012345678901234567890",
              1.2345678901234568e69}), CaseName());
// clang-format on

// The numbers of the lenient parse are read exactly as the C library's strtod reads them (both
// round correctly): random mantissas of up to 30 digits, halfway cases between two doubles, and
// exponents up to the edges of the range.
TEST(ParseNumberAgainstStrtod, GivesTheSameDouble) {
  std::mt19937_64 random(11);
  const auto digits = [&random](size_t n) {
    std::string text;
    for (size_t i = 0; i < n; ++i) text += static_cast<char>('0' + random() % 10);
    return text;
  };
  for (int i = 0; i < 200000; ++i) {
    std::string text = (random() % 4 == 0 ? "-" : "") + digits(1 + random() % 20);
    if (random() % 2) text += "." + digits(random() % 12);
    if (random() % 3 == 0) text += "e" + std::to_string(static_cast<int>(random() % 640) - 330);
    if (i % 7 == 0) {  // exactly halfway between two doubles, where rounding decides
      char halfway[128];
      const double x = std::ldexp(static_cast<double>(random() >> 11), -20);
      const long double middle = (static_cast<long double>(x) + std::nextafter(x, 1e300)) / 2;
      std::snprintf(halfway, sizeof halfway, "%.70Lg", middle);
      text = halfway;
    }
    ASSERT_EQ(parseNumber(text), std::strtod(text.c_str(), nullptr)) << text;
  }
  // Exponents far past the doubles, with as many zeros before the digits: the sum of the two
  // decides (a C library of Windows reads the first as 0, glibc as infinite).
  const std::string zeros = "0." + std::string(99997, '0');
  EXPECT_EQ(parseNumber(zeros + "250e1000000"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(parseNumber(zeros + "250e99000"), 0);
  EXPECT_EQ(parseNumber(zeros + "250e100001"), 2500);
  EXPECT_EQ(parseNumber("-" + zeros + "250e101000"), -std::numeric_limits<double>::infinity());
}

// The plain form's shape and its fifteen digits are fuzz_numbers' properties, on every double it
// reaches.
struct RoundCase {
  const char* name;
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
    RoundCase{"half_to_zero",         0.5,          0,            0.5,   0.5},
    RoundCase{"two_and_a_half",       2.5,          2,            2.5,   2.5},
    RoundCase{"negative_half",        -2.5,         -2,           -2.5,  -2.5},
    RoundCase{"default_water",        178.584,      179,          178.6, 178.58},
    RoundCase{"ratio_49_5_to_50",     0.495,        0,            0.5,   0.5},
    RoundCase{"beyond_32_bits",       3000000000.5, 3000000000.0, 3000000000.5, 3000000000.5},
    RoundCase{"huge",                 1e300,        1e300,        1e300, 1e300}), CaseName());
// clang-format on

// A Qt program takes the user's locale, where strtod and printf may read and write a comma as
// the decimal mark (a Windows program, its regional settings); the parse and the forms must not
// change. On Debian the locale is compiled from Debian's sources into a folder of the test's own,
// named by LOCPATH; a machine that cannot do this fails the test.
TEST(NumbersUnderACommaDecimalLocale, AreReadAndWrittenWithAPoint) {
  testing_support::TemporaryFolder folder;
#ifdef _WIN32
  ASSERT_TRUE(std::setlocale(LC_ALL, "German_Germany.1252"));
#else
  ASSERT_EQ(setenv("LOCPATH", folder.path().c_str(), 1), 0);
  const std::string compile =
      "localedef -i de_DE -f UTF-8 " + folder.path("de_DE.UTF-8") + " >/dev/null 2>&1";
  ASSERT_EQ(std::system(compile.c_str()), 0) << compile << " (Debian's locales package)";
  ASSERT_TRUE(std::setlocale(LC_ALL, "de_DE.UTF-8"));
#endif
  EXPECT_EQ(std::strtod("2,5", nullptr), 2.5) << "the locale is not in effect";
  EXPECT_EQ(parseNumber("2.5"), 2.5);
  EXPECT_EQ(parseNumber("2,5"), 2);
  EXPECT_EQ(parseNumber("2.5e-400"), 0);
  EXPECT_EQ(parseNumber("-2,5e400"), -2);
  EXPECT_EQ(parseNumber("-25e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(plainText(-1234.5), "-1234.5");
  EXPECT_EQ(lineText({"", 0.674, NumberForm::Hundredths, "،"}), " 67.4،");
  std::setlocale(LC_ALL, "C");
#ifndef _WIN32
  unsetenv("LOCPATH");
#endif
}

}  // namespace
}  // namespace veldora
