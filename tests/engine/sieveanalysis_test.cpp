#include "engine/sieveanalysis.h"

#include "tests/support/names.h"

#include <limits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using S = Sieve;
using Masses = std::vector<std::pair<Sieve, double>>;

SieveAnalysis analysisOf(const Masses& masses, std::optional<double> pan,
                         std::optional<double> original = std::nullopt) {
  SieveAnalysis a;
  for (const auto& [sieve, grams] : masses) a.retainedOn(sieve) = grams;
  a.pan = pan;
  a.originalMass = original;
  return a;
}

SieveResults resultsOf(const SieveAnalysis& analysis) {
  return std::get<SieveResults>(analyseSieves(analysis));
}

// Sieve analyses worked by hand. The fine sieves of ASTM C33 Table 1 first.
const Masses kDoneWhenSand = {{S::Mm9_5, 0},   {S::Mm4_75, 20}, {S::Mm2_36, 85}, {S::Mm1_18, 110},
                              {S::Um600, 130}, {S::Um300, 90},  {S::Um150, 50}};
// The 1000 g sand of calcdomain.com's "Aggregate Gradation" calculator
// (https://calcdomain.com/aggregate-gradation.html, its step-by-step example: 26 % on No. 30,
// 54 % cumulative through it), with and without a 9.5 mm sieve retaining nothing.
const Masses kCitedSandFrom4_75 = {{S::Mm4_75, 20}, {S::Mm2_36, 80}, {S::Mm1_18, 180},
                                   {S::Um600, 260}, {S::Um300, 240}, {S::Um150, 170}};
Masses withNothingOn9_5(Masses masses) {
  masses.insert(masses.begin(), {S::Mm9_5, 0});
  return masses;
}
// Passing 100, 97, 75, 45, 25, 6, 2 on 37.5 mm to 2.36 mm: a No. 57.
const Masses kNo57Gravel = {{S::Mm37_5, 0},   {S::Mm25, 300},    {S::Mm19, 2200}, {S::Mm12_5, 3000},
                            {S::Mm9_5, 2000}, {S::Mm4_75, 1900}, {S::Mm2_36, 400}};
// Passing 100, 95, 70, 40, 5, 1 on 25 mm to 2.36 mm: a No. 67.
const Masses kNo67Gravel = {{S::Mm25, 0},     {S::Mm19, 250},    {S::Mm12_5, 1250},
                            {S::Mm9_5, 1500}, {S::Mm4_75, 1750}, {S::Mm2_36, 200}};

struct AnalysisCase {
  const char* name;
  SieveAnalysis analysis;
  std::vector<double> passing;  // per sieve of the analysis, largest first
  std::optional<double> finenessModulus;
  std::vector<int> missing;  // the sieves the fineness modulus wants
  std::optional<Sieve> maximum, nominal;
};

class Analyses : public testing::TestWithParam<AnalysisCase> {};

TEST_P(Analyses, GivePercentagesModulusAndSizes) {
  const AnalysisCase& c = GetParam();
  const SieveResults r = resultsOf(c.analysis);
  ASSERT_EQ(r.rows.size(), c.passing.size());
  double retained = r.panPercent;
  for (size_t i = 0; i < r.rows.size(); ++i) {
    EXPECT_NEAR(r.rows[i].percentPassing, c.passing[i], 1e-9) << i;
    EXPECT_NEAR(r.rows[i].cumulativeRetained, 100 - c.passing[i], 1e-9) << i;
    retained += r.rows[i].percentRetained;
  }
  EXPECT_NEAR(retained, 100, 1e-9);
  EXPECT_EQ(r.finenessModulus.value.has_value(), c.finenessModulus.has_value());
  if (c.finenessModulus) {
    EXPECT_NEAR(*r.finenessModulus.value, *c.finenessModulus, 1e-12);
  }
  EXPECT_EQ(r.finenessModulus.missingMicrometres, c.missing);
  EXPECT_EQ(r.maximumSize, c.maximum);
  EXPECT_EQ(r.nominalMaximumSize, c.nominal);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Analyses, testing::Values(
    AnalysisCase{"done_when_sand", analysisOf(kDoneWhenSand, 15),
                 {100, 96, 79, 57, 31, 13, 3}, 3.21, {}, S::Mm9_5, S::Mm4_75},
    // 10 % cumulative on 2.36 mm is at most 10 %: the nominal maximum size.
    AnalysisCase{"cited_sand", analysisOf(withNothingOn9_5(kCitedSandFrom4_75), 50),
                 {100, 98, 90, 72, 46, 22, 5}, 2.67, {}, S::Mm9_5, S::Mm2_36},
    // 20 g on its largest sieve: what passed it is not known, nor the 9.5 mm sieve of the sum.
    AnalysisCase{"cited_sand_without_9_5", analysisOf(kCitedSandFrom4_75, 50),
                 {98, 90, 72, 46, 22, 5}, std::nullopt, {9500}, std::nullopt, S::Mm2_36},
    // The larger sieves of the sum count as nothing retained; the fine ones are missing.
    AnalysisCase{"no_57_gravel", analysisOf(kNo57Gravel, 200),
                 {100, 97, 75, 45, 25, 6, 2}, std::nullopt, {1180, 600, 300, 150},
                 S::Mm37_5, S::Mm25},
    AnalysisCase{"no_67_gravel", analysisOf(kNo67Gravel, 50),
                 {100, 95, 70, 40, 5, 1}, std::nullopt, {1180, 600, 300, 150}, S::Mm25, S::Mm19},
    AnalysisCase{"sand_without_1_18_and_a_pan",
                 analysisOf({{S::Mm9_5, 0}, {S::Mm4_75, 10}, {S::Mm2_36, 40}, {S::Um600, 50}}, {}),
                 {100, 90, 50, 0}, std::nullopt, {1180, 300, 150}, S::Mm9_5, S::Mm4_75},
    // Everything on 75 mm: the sum wants a 150 mm sieve.
    AnalysisCase{"all_on_75", analysisOf({{S::Mm75, 5}, {S::Mm63, 0}}, {}),
                 {0, 0}, std::nullopt, {150000, 37500, 19000, 9500, 4750, 2360, 1180, 600, 300, 150},
                 std::nullopt, std::nullopt}),
    testing_support::CaseName());
// clang-format on

// The loss against the original dry mass (ASTM C136: more than 0.3 % is unfit for acceptance), and
// the analyses that have no results.
struct RefusalCase {
  const char* name;
  SieveAnalysis analysis;
  std::optional<AnalysisProblem> problem;
  std::optional<double> loss;  // percent
  bool lossTooLarge;
};

class Refusals : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, AndLosses) {
  const RefusalCase& c = GetParam();
  const auto outcome = analyseSieves(c.analysis);
  if (c.problem) {
    ASSERT_TRUE(std::holds_alternative<AnalysisProblem>(outcome));
    EXPECT_EQ(std::get<AnalysisProblem>(outcome), *c.problem);
    return;
  }
  const SieveResults& r = std::get<SieveResults>(outcome);
  EXPECT_EQ(r.lossPercent.has_value(), c.loss.has_value());
  if (c.loss) {
    EXPECT_NEAR(*r.lossPercent, *c.loss, 1e-9);
  }
  EXPECT_EQ(r.lossTooLarge(), c.lossTooLarge);
}

using P = AnalysisProblem;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Refusals, testing::Values(
    RefusalCase{"no_original",         analysisOf(kDoneWhenSand, 15),        {},  {},           false},
    RefusalCase{"no_loss",             analysisOf(kDoneWhenSand, 15, 500),   {},  0,            false},
    RefusalCase{"loss_at_0_299",       analysisOf(kDoneWhenSand, 15, 501.5), {},  150 / 501.5,  false},
    RefusalCase{"loss_at_0_398",       analysisOf(kDoneWhenSand, 15, 502),   {},  200 / 502.0,  true},
    // 0.1 g and 0.2 g add up in binary to a hair over the 0.3 g they were sifted from.
    RefusalCase{"tenths_without_loss", analysisOf({{S::Mm4_75, 0.1}, {S::Mm2_36, 0.2}}, {}, 0.3),
                {}, 0, false},
    RefusalCase{"gain",                analysisOf(kDoneWhenSand, 15, 499.9), P::GainOverOriginal, {}, false},
    RefusalCase{"pan_alone",           analysisOf({}, 15),                   P::NoSieve,   {}, false},
    RefusalCase{"nothing_anywhere",    analysisOf({{S::Mm4_75, 0}}, 0),      P::ZeroTotal, {}, false},
    RefusalCase{"negative_mass",       analysisOf({{S::Mm4_75, -1}}, 5),     P::InvalidMass, {}, false},
    RefusalCase{"mass_not_a_number",   analysisOf({{S::Mm4_75, 1}}, kNaN),   P::InvalidMass, {}, false},
    RefusalCase{"total_beyond_doubles", analysisOf({{S::Mm75, 1e308}, {S::Mm63, 1e308}}, {}),
                P::InvalidMass, {}, false}),
    testing_support::CaseName());
// clang-format on

// Fine aggregate against ASTM C33: the sieves that fail, the consecutive pairs that break the
// 45 % rule (named by the smaller sieve) and the fineness modulus, judged on unrounded values.
struct FineCase {
  const char* name;
  SieveAnalysis analysis;
  std::vector<Sieve> failingSieves;
  std::vector<Sieve> failingPairs;
  CheckOutcome finenessModulus;
};

class FineChecks : public testing::TestWithParam<FineCase> {};

TEST_P(FineChecks, FailWhereTheSampleIsOutside) {
  const FineCase& c = GetParam();
  const FineGradingCheck check = checkFineGrading(resultsOf(c.analysis));
  std::vector<Sieve> sieves, pairs;
  for (const LimitCheck& s : check.sieves) {
    if (s.outcome == CheckOutcome::Fail) sieves.push_back(s.limit.sieve);
  }
  for (const ConsecutiveCheck& p : check.consecutive) {
    if (p.outcome == CheckOutcome::Fail) pairs.push_back(p.smaller);
  }
  EXPECT_EQ(sieves, c.failingSieves);
  EXPECT_EQ(pairs, c.failingPairs);
  EXPECT_EQ(check.finenessModulus, c.finenessModulus);
  EXPECT_EQ(check.fails(),
            !sieves.empty() || !pairs.empty() || c.finenessModulus == CheckOutcome::Fail);
}

using O = CheckOutcome;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, FineChecks, testing::Values(
    FineCase{"done_when_sand", analysisOf(kDoneWhenSand, 15), {S::Mm2_36}, {}, O::Fail},
    FineCase{"cited_sand",     analysisOf(withNothingOn9_5(kCitedSandFrom4_75), 50), {}, {}, O::Pass},
    // Passing at the lower limits, 100 95 80 50 25 5 0: every sieve passes; FM 3.45.
    FineCase{"at_the_lower_limits", analysisOf({{S::Mm9_5, 0}, {S::Mm4_75, 5}, {S::Mm2_36, 15},
        {S::Mm1_18, 30}, {S::Um600, 25}, {S::Um300, 20}, {S::Um150, 5}}, {}), {}, {}, O::Fail},
    // At the upper limits, 100 100 100 85 60 30 10: FM 2.15.
    FineCase{"at_the_upper_limits", analysisOf({{S::Mm9_5, 0}, {S::Mm4_75, 0}, {S::Mm2_36, 0},
        {S::Mm1_18, 15}, {S::Um600, 25}, {S::Um300, 30}, {S::Um150, 20}}, 10), {}, {}, O::Fail},
    // FM exactly 3.10, then exactly 2.30 (passing 100 100 95 80 55 30 10).
    FineCase{"fm_at_3_1", analysisOf({{S::Mm9_5, 0}, {S::Mm4_75, 40}, {S::Mm2_36, 120},
        {S::Mm1_18, 220}, {S::Um600, 260}, {S::Um300, 250}, {S::Um150, 100}}, 10), {}, {}, O::Pass},
    FineCase{"fm_at_2_3", analysisOf({{S::Mm9_5, 0}, {S::Mm4_75, 0}, {S::Mm2_36, 50},
        {S::Mm1_18, 150}, {S::Um600, 250}, {S::Um300, 250}, {S::Um150, 200}}, 100), {}, {}, O::Pass},
    // 79.96 % passing 2.36 mm reads 80.0 but is under 80.
    FineCase{"just_under_80", analysisOf({{S::Mm9_5, 0}, {S::Mm4_75, 100}, {S::Mm2_36, 401},
        {S::Mm1_18, 300}, {S::Um600, 600}, {S::Um300, 600}, {S::Um150, 350}}, 149),
        {S::Mm2_36}, {}, O::Pass},
    // Weighed to 0.1 g, exactly 80 % passing 2.36 mm (223.6 of 279.5 g), which binary sums leave a
    // hair under.
    FineCase{"tenths_at_80", analysisOf({{S::Mm9_5, 0}, {S::Mm4_75, 12.4}, {S::Mm2_36, 43.5},
        {S::Mm1_18, 67.1}, {S::Um600, 67.1}, {S::Um300, 55.9}, {S::Um150, 22.4}}, 11.1),
        {}, {}, O::Fail},
    // 50 % passing 600 µm and retained on 300 µm.
    FineCase{"over_45_between_600_and_300", analysisOf({{S::Mm9_5, 0}, {S::Mm4_75, 0},
        {S::Mm2_36, 25}, {S::Mm1_18, 75}, {S::Um600, 100}, {S::Um300, 250}, {S::Um150, 40}}, 10),
        {}, {S::Um300}, O::Pass},
    // Sieves the sample was not sifted on are not tested, and no modulus is no failure.
    FineCase{"not_tested", analysisOf(kCitedSandFrom4_75, 50), {}, {}, O::NotTested}),
    testing_support::CaseName());
// clang-format on

// Coarse aggregate against a size number of ASTM C33, and the size numbers suggested.
struct CoarseCase {
  const char* name;
  SieveAnalysis analysis;
  SizeNumber number;
  std::vector<Sieve> failing;
  std::vector<Sieve> notTested;
  std::vector<SizeNumber> suggested;
  bool fits;
};

class CoarseChecks : public testing::TestWithParam<CoarseCase> {};

TEST_P(CoarseChecks, NameTheFailingAndUntestedSieves) {
  const CoarseCase& c = GetParam();
  const SieveResults results = resultsOf(c.analysis);
  const CoarseGradingCheck check = checkCoarseGrading(results, c.number);
  std::vector<Sieve> failing, notTested;
  for (const LimitCheck& s : check.sieves) {
    if (s.outcome == CheckOutcome::Fail) failing.push_back(s.limit.sieve);
    if (s.outcome == CheckOutcome::NotTested) notTested.push_back(s.limit.sieve);
  }
  EXPECT_EQ(failing, c.failing);
  EXPECT_EQ(notTested, c.notTested);
  EXPECT_EQ(check.fails(), !c.failing.empty());
  const SizeSuggestion suggestion = suggestSizeNumbers(results);
  EXPECT_EQ(suggestion.numbers, c.suggested);
  EXPECT_EQ(suggestion.fits, c.fits);
}

using N = SizeNumber;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, CoarseChecks, testing::Values(
    CoarseCase{"no_57_as_57", analysisOf(kNo57Gravel, 200), N::No57, {}, {}, {N::No57}, true},
    CoarseCase{"no_57_as_67", analysisOf(kNo57Gravel, 200), N::No67, {S::Mm25, S::Mm19}, {},
               {N::No57}, true},
    CoarseCase{"no_67_as_67", analysisOf(kNo67Gravel, 50),  N::No67, {}, {}, {N::No67}, true},
    CoarseCase{"no_67_as_57", analysisOf(kNo67Gravel, 50),  N::No57, {S::Mm12_5}, {S::Mm37_5},
               {N::No67}, true},
    // 6 % through 2.36 mm fits nothing; No. 67 fails one sieve by 1 %, the others more.
    CoarseCase{"nearest_is_67", analysisOf({{S::Mm25, 0}, {S::Mm19, 250}, {S::Mm12_5, 1250},
        {S::Mm9_5, 1500}, {S::Mm4_75, 1500}, {S::Mm2_36, 200}}, 300), N::No67, {S::Mm2_36}, {},
        {N::No67}, false},
    // The sand: No. 8's 12.5 mm sieve is not tested, three of its sieves fail.
    CoarseCase{"sand_as_8", analysisOf(kDoneWhenSand, 15), N::No8,
               {S::Mm4_75, S::Mm2_36, S::Mm1_18}, {S::Mm12_5}, {N::No8}, false}),
    testing_support::CaseName());
// clang-format on

// A mass as typed on a Persian keyboard, or refused.
TEST(SieveAnalysis, ReadsMassesAsTyped) {
  // clang-format off
  const std::vector<std::pair<const char*, MassText>> cases = {
      {"12.5", 12.5}, {"۱۲٫۵", 12.5}, {"12/5", 12.5}, {" ٧ ", 7.0}, {"0", 0.0},
      {"", std::monostate{}}, {"  ", std::monostate{}},
      {"abc", MassProblem::NotANumber}, {"1O", MassProblem::NotANumber},
      {"7,5", MassProblem::NotANumber}, {"inf", MassProblem::NotANumber},
      {"-3", MassProblem::Negative}};
  // clang-format on
  for (const auto& [text, expected] : cases) EXPECT_EQ(readMass(text), expected) << text;
  EXPECT_EQ(sizeNumberNamed(" ۵۷ "), SizeNumber::No57);
  EXPECT_EQ(sizeNumberNamed("5"), std::nullopt);
  EXPECT_EQ(millimetreText(600), "0.6");
  EXPECT_EQ(millimetreText(37500), "37.5");
}

}  // namespace
}  // namespace veldora
