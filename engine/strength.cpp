#include "engine/strength.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace veldora {
namespace {

constexpr double kMegapascalsPerKilogram = 0.0980665;

// The factor on the standard deviation by the number of tests (ACI 318-11, Table 5.3.1.2),
// linear between the listed numbers; 1 from 30 tests on.
double deviationFactor(int tests) {
  constexpr std::array<std::pair<int, double>, 4> kFactors = {
      {{kFewestTests, 1.16}, {20, 1.08}, {25, 1.03}, {30, 1.00}}};
  if (tests >= kFactors.back().first) return kFactors.back().second;
  size_t i = 0;
  while (tests > kFactors[i + 1].first) ++i;
  const auto [n0, k0] = kFactors[i];
  const auto [n1, k1] = kFactors[i + 1];
  return k0 + (tests - n0) * (k1 - k0) / (n1 - n0);
}

}  // namespace

const char* strengthRuleFormula(StrengthRule rule) {
  switch (rule) {
    case StrengthRule::MeanOfThree:
      return "f'cr = f'c + 1.34ks";
    case StrengthRule::SingleTestLow:
      return "f'cr = f'c + 2.33ks - 3.5";
    case StrengthRule::SingleTestHigh:
      return "f'cr = 0.90f'c + 2.33ks";
    case StrengthRule::NoRecordLow:
      return "f'cr = f'c + 7.0";
    case StrengthRule::NoRecordMiddle:
      return "f'cr = f'c + 8.3";
    case StrengthRule::NoRecordHigh:
      return "f'cr = 1.10f'c + 5.0";
  }
  return "";
}

bool usesRecord(const StrengthBasis& basis) {
  return basis.record && basis.record->tests >= kFewestTests;
}

double megapascals(double kgPerCm2) { return kgPerCm2 * kMegapascalsPerKilogram; }
double kilogramsPerSquareCentimetre(double mpa) { return mpa / kMegapascalsPerKilogram; }

StrengthBasis requiredAverageStrength(double specified, std::optional<StrengthRecord> record) {
  StrengthBasis basis;
  basis.specified = specified;
  const double fc = megapascals(specified);
  basis.record = record;
  if (usesRecord(basis)) {
    basis.k = deviationFactor(record->tests);
    const double ks = basis.k * megapascals(record->standardDeviation);
    const double meanOfThree = fc + 1.34 * ks;
    const bool low = fc <= 35;
    const double singleTest = low ? fc + 2.33 * ks - 3.5 : 0.90 * fc + 2.33 * ks;
    basis.requiredMegapascals = std::max(meanOfThree, singleTest);
    basis.rule = meanOfThree >= singleTest ? StrengthRule::MeanOfThree
                 : low                     ? StrengthRule::SingleTestLow
                                           : StrengthRule::SingleTestHigh;
  } else if (fc < 21) {
    basis.requiredMegapascals = fc + 7.0;
    basis.rule = StrengthRule::NoRecordLow;
  } else if (fc <= 35) {
    basis.requiredMegapascals = fc + 8.3;
    basis.rule = StrengthRule::NoRecordMiddle;
  } else {
    basis.requiredMegapascals = 1.10 * fc + 5.0;
    basis.rule = StrengthRule::NoRecordHigh;
  }
  // Rounded up, as a margin is; a value a conversion leaves a hair above a whole number is that
  // number.
  basis.required = std::ceil(kilogramsPerSquareCentimetre(basis.requiredMegapascals) - 1e-9);
  return basis;
}

}  // namespace veldora
