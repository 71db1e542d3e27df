#pragma once

#include <optional>

namespace veldora {

// Strength in the units the program works in, kilograms-force per square centimetre, in the
// megapascals of ACI 318 and of Iran's codes: 1 kgf/cm^2 = 0.0980665 MPa.
double megapascals(double kilogramsPerSquareCentimetre);
double kilogramsPerSquareCentimetre(double megapascals);

// The plant's record: the standard deviation of its strength tests and how many consecutive tests
// it is taken from.
struct StrengthRecord {
  double standardDeviation = 0;  // kg/cm^2
  int tests = 0;
};

// The fewest consecutive tests a standard deviation may be taken from.
inline constexpr int kFewestTests = 15;

// The rules that can govern the required average strength, by ACI 301 (the statistical rules of
// ACI 318-11, 5.3): with a standard deviation, the larger of two; without one (or with fewer than
// 15 tests), a margin by the strength.
enum class StrengthRule {
  MeanOfThree,     // f'cr = f'c + 1.34 k s
  SingleTestLow,   // f'cr = f'c + 2.33 k s - 3.5, for f'c up to 35 MPa
  SingleTestHigh,  // f'cr = 0.90 f'c + 2.33 k s, above 35 MPa
  NoRecordLow,     // f'cr = f'c + 7.0, below 21 MPa
  NoRecordMiddle,  // f'cr = f'c + 8.3, from 21 to 35 MPa
  NoRecordHigh,    // f'cr = 1.10 f'c + 5.0, above 35 MPa
};

// The strength a mix must be proportioned for, from the specified strength f'c.
struct StrengthBasis {
  double specified = 0;                  // f'c, kg/cm^2
  std::optional<StrengthRecord> record;  // as given, of however many tests
  double k = 1;  // the factor on s for fewer than 30 tests (1 where the record is not used)
  double requiredMegapascals = 0;  // f'cr as the rule gives it
  double required = 0;             // f'cr rounded up to a whole kg/cm^2: what the design is for
  StrengthRule rule = StrengthRule::NoRecordMiddle;
};

// f'cr for f'c (kg/cm^2, positive) and the plant's record, if it has one; a record of fewer than
// kFewestTests tests counts as none.
StrengthBasis requiredAverageStrength(double specified, std::optional<StrengthRecord> record);

// The rule as its formula in megapascals: "f'cr = f'c + 1.34ks".
const char* strengthRuleFormula(StrengthRule rule);

// Whether the basis comes from the plant's record.
bool usesRecord(const StrengthBasis& basis);

}  // namespace veldora
