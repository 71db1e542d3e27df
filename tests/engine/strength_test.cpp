#include "engine/strength.h"

#include "tests/support/names.h"

#include <gtest/gtest.h>

namespace veldora {
namespace {

// The required average strength by ACI 301 in SI units, from f'c in kg/cm^2: each rule where it
// governs, the boundaries of 21 and 35 MPa (214.1 and 356.9 kg/cm^2), and the factor on the
// standard deviation between the listed numbers of tests. Worked out by hand.
struct RequiredCase {
  const char* name;
  double specified;
  std::optional<StrengthRecord> record;
  double k;
  double megapascals;  // f'cr as the rule gives it, to 0.0001
  double required;     // rounded up, kg/cm^2
  StrengthRule rule;
};

class RequiredStrength : public testing::TestWithParam<RequiredCase> {};

TEST_P(RequiredStrength, FollowsTheRuleThatGoverns) {
  const RequiredCase& c = GetParam();
  const StrengthBasis basis = requiredAverageStrength(c.specified, c.record);
  EXPECT_EQ(basis.rule, c.rule);
  EXPECT_NEAR(basis.k, c.k, 1e-12);
  EXPECT_NEAR(basis.requiredMegapascals, c.megapascals, 5e-5);
  EXPECT_EQ(basis.required, c.required);
  EXPECT_EQ(basis.specified, c.specified);
  EXPECT_EQ(usesRecord(basis), c.record && c.record->tests >= kFewestTests);
}

using R = StrengthRule;
using S = StrengthRecord;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, RequiredStrength, testing::Values(
    RequiredCase{"no_record_low",          150, {},          1,     21.7100, 222, R::NoRecordLow},
    RequiredCase{"just_above_21_mpa",      215, {},          1,     29.3843, 300, R::NoRecordMiddle},
    RequiredCase{"just_below_35_mpa",      356, {},          1,     43.2117, 441, R::NoRecordMiddle},
    RequiredCase{"just_above_35_mpa",      357, {},          1,     43.5107, 444, R::NoRecordHigh},
    RequiredCase{"too_few_tests",          250, S{30, 14},   1,     32.8166, 335, R::NoRecordMiddle},
    RequiredCase{"mean_of_three_20_tests", 250, S{30, 20},   1.08,  28.7743, 294, R::MeanOfThree},
    RequiredCase{"k_between_20_and_25",    250, S{20, 22},   1.06,  27.3025, 279, R::MeanOfThree},
    RequiredCase{"k_between_15_and_20",    250, S{20, 17},   1.128, 27.4812, 281, R::MeanOfThree},
    RequiredCase{"single_test_low",        250, S{50, 30},   1,     32.4414, 331, R::SingleTestLow},
    RequiredCase{"single_test_high",       400, S{50, 100},  1,     46.7287, 477, R::SingleTestHigh},
    RequiredCase{"no_deviation_is_fc",     250, S{0, 15},    1.16,  24.5166, 250, R::MeanOfThree}),
    testing_support::CaseName());
// clang-format on

}  // namespace
}  // namespace veldora
