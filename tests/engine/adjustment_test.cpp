#include "engine/adjustment.h"

#include "engine/numbers.h"
#include "engine/texts.h"
#include "tests/support/names.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;
using testing_support::CaseName;
constexpr double kInf = std::numeric_limits<double>::infinity();

// The worked design of ACI 211.1's trial-batch adjustment example in this program's members.
struct Design {
  MixInputs in;
  MixProportions p;
};

Design workedDesign(double air) {
  Design d;
  d.in.requiredSlump = 50;
  d.in.cementRelativeDensity = 3.15;
  d.in.coarseRelativeDensity = 2.68;
  d.in.fineRelativeDensity = 2.64;
  d.in.coarseMoisture = 2;
  d.in.coarseAbsorption = 0.5;
  d.in.fineMoisture = 6;
  d.in.fineAbsorption = 0.7;
  d.p.airContent = air;
  d.p.waterCementRatio = 0.57;
  d.p.cementContent = 351;
  d.p.coarseAggregateMass = 1100;
  d.p.batchCoarseAggregateMass = 1122;
  d.p.batchFineAggregateMassByWeight = 720;
  d.p.batchFineAggregateMassByVolume = 723;
  return d;
}

ResultsList expectedLines(const char* admixture, std::array<int, 4> weight,
                          std::array<int, 4> volume) {
  const char* labels[] = {texts::kAdjustedWaterByWeight,  texts::kAdjustedCementByWeight,
                          texts::kAdjustedCoarseByWeight, texts::kAdjustedSandByWeight,
                          texts::kAdjustedWaterByVolume,  texts::kAdjustedCementByVolume,
                          texts::kAdjustedCoarseByVolume, texts::kAdjustedSandByVolume};
  ResultsList lines = {textLine(texts::kAdjustedHeading)};
  if (admixture) lines.push_back(textLine(admixture));
  for (int i = 0; i < 8; ++i) {
    const int value = i < 4 ? weight[static_cast<size_t>(i)] : volume[static_cast<size_t>(i - 4)];
    lines.push_back({labels[i], value, NumberForm::Plain, texts::kKilogram});
  }
  return lines;
}

struct WorkedBatch {
  const char* name;
  ConcreteType type;
  double designAir;
  TrialMeasurements trial;  // slump, air content, unit weight, water
  const char* admixture;
  std::array<int, 4> weight;  // ewater1, sim1, ewsand1, ewgravel1
  std::array<int, 4> volume;  // evwater1, sim1, ewsand1, evwgravel1
  // Before rounding, to 0.01 kg (the air content to 0.001 %), worked apart from the program: the
  // mixing water, the coarse aggregate, the dry sand by weight and by volume, the air content.
  std::array<double, 5> unrounded;
};

class WorkedBatches : public testing::TestWithParam<WorkedBatch> {};

TEST_P(WorkedBatches, GiveTheListedProportions) {
  const WorkedBatch& c = GetParam();
  const Design d = workedDesign(c.designAir);
  const AdjustmentReport r = adjustProportions(d.in, d.p, c.type, c.trial);
  ASSERT_FALSE(r.refusal);
  EXPECT_EQ(r.lines, expectedLines(c.admixture, c.weight, c.volume));
  EXPECT_EQ(r.adjusted.batchWaterByWeight, c.weight[0]);
  EXPECT_EQ(r.adjusted.batchFineAggregateMassByWeight, c.weight[3]);
  EXPECT_EQ(r.adjusted.batchWaterByVolume, c.volume[0]);
  EXPECT_EQ(r.adjusted.cementContent, c.volume[1]);
  EXPECT_EQ(r.adjusted.batchCoarseAggregateMass, c.volume[2]);
  EXPECT_EQ(r.adjusted.batchFineAggregateMassByVolume, c.volume[3]);
  EXPECT_EQ(r.adjusted.measured.unitWeight, c.trial.unitWeight);
  EXPECT_EQ(r.adjusted.measured.slump, c.trial.slump);
  EXPECT_NEAR(r.adjusted.mixingWater, c.unrounded[0], 0.005);
  EXPECT_NEAR(r.adjusted.coarseAggregateMass, c.unrounded[1], 0.005);
  EXPECT_NEAR(r.adjusted.fineAggregateMassByWeight, c.unrounded[2], 0.005);
  EXPECT_NEAR(r.dryByVolume.fineAggregate, c.unrounded[3], 0.005);
  EXPECT_NEAR(r.airContent, c.unrounded[4], 0.0005);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, WorkedBatches, testing::Values(
    WorkedBatch{"no_air", ConcreteType::NonAirEntrained, 2, {30, 2, 2350, 155}, nullptr,
                {160, 371, 1122, 707}, {162, 372, 1122, 675},
                {212.09, 1099.53, 667.43, 636.98, 1.823}},
    WorkedBatch{"air_above_design", ConcreteType::AirEntrained, 6, {30, 7, 2250, 150},
                texts::kReduceAdmixture, {151, 353, 1077, 701}, {153, 353, 1076, 652},
                {201.36, 1054.99, 661.48, 614.71, 6}},
    WorkedBatch{"air_below_design", ConcreteType::AirEntrained, 6, {30, 5, 2250, 150},
                texts::kIncreaseAdmixture, {146, 343, 1077, 671}, {146, 343, 1076, 678},
                {195.36, 1054.99, 633.01, 639.37, 6}},
    WorkedBatch{"air_as_designed", ConcreteType::AirEntrained, 6, {30, 6, 2250, 150}, nullptr,
                {148, 348, 1077, 686}, {149, 348, 1076, 665},
                {198.36, 1054.99, 647.02, 627.04, 6}}), CaseName());
// clang-format on

TEST(Adjustment, NonAirEntrainedReplacesTheDesignAirWithTheYieldAir) {
  const Design d = workedDesign(2);
  const AdjustmentReport r =
      adjustProportions(d.in, d.p, ConcreteType::NonAirEntrained, {30, 2, 2350, 155});
  EXPECT_NEAR(r.airContent, 1.8225, 5e-5);
  // Unrounded members stay unrounded; the yield is 2351 / 2350.
  EXPECT_DOUBLE_EQ(r.adjusted.coarseAggregateMass, 1100 / (2351.0 / 2350));
  EXPECT_NE(r.adjusted.mixingWater, std::nearbyint(r.adjusted.mixingWater));
}

TEST(Adjustment, AirEntrainedKeepsTheDesignAir) {
  const Design d = workedDesign(6);
  const AdjustmentReport r =
      adjustProportions(d.in, d.p, ConcreteType::AirEntrained, {30, 7, 2250, 150});
  EXPECT_EQ(r.airContent, 6);
}

TEST(Adjustment, EqualSlumpAndAirGiveTheNetWater) {
  const Design d = workedDesign(6);
  const AdjustmentReport r =
      adjustProportions(d.in, d.p, ConcreteType::AirEntrained, {50, 6, 2250, 150});
  // Net water per cubic metre of the trial concrete, absolute-volume batch.
  const double fwF = 723 / 1.06 * 5.3 / 100;
  const double fwG = 1122 / 1.02 * 1.5 / 100;
  EXPECT_DOUBLE_EQ(r.adjusted.mixingWater, (fwF + fwG + 150) * 2250 / (150 + 351 + 1122 + 723));
}

struct ZeroCase {
  const char* name;
  ConcreteType type;
  double designRatio;
  TrialMeasurements trial;
};

class ZeroDivisors : public testing::TestWithParam<ZeroCase> {};

TEST_P(ZeroDivisors, RefuseWithoutResults) {
  Design d = workedDesign(6);
  d.p.waterCementRatio = GetParam().designRatio;
  const AdjustmentReport r = adjustProportions(d.in, d.p, GetParam().type, GetParam().trial);
  ASSERT_TRUE(r.refusal);
  EXPECT_EQ(r.refusal->message, texts::kAdjustmentNotComputable);
  EXPECT_EQ(r.refusal->title, texts::kErrorTitle);
  EXPECT_TRUE(r.lines.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ZeroDivisors, testing::Values(
    ZeroCase{"unit_weight_0",        ConcreteType::NonAirEntrained, 0.57, {30, 2, 0, 155}},
    ZeroCase{"unit_weight_0_air",    ConcreteType::AirEntrained,    0.57, {30, 2, 0, 155}},
    ZeroCase{"no_ratio",             ConcreteType::NonAirEntrained, 0,    {30, 2, 2350, 155}},
    ZeroCase{"air_divisor_0",        ConcreteType::AirEntrained,    0.57, {30, 106, 2250, 150}},
    ZeroCase{"batch_mass_0",         ConcreteType::NonAirEntrained, 0.57, {30, 2, 2350, -2196}},
    ZeroCase{"result_not_finite",    ConcreteType::NonAirEntrained, 0.57, {30, 2, 1e-320, 155}},
    ZeroCase{"huge_water",           ConcreteType::AirEntrained,    0.57, {30, 2, 2350, 1e308}},
    ZeroCase{"infinite_trial_air",   ConcreteType::NonAirEntrained, 0.57, {30, kInf, 2350, 155}}),
    CaseName());
// clang-format on

}  // namespace
}  // namespace veldora
