// The six steps, each on the worked values of the method; the refusals and the run's order are
// tested on the design run.
#include "engine/steps.h"

#include "engine/texts.h"
#include "tests/support/names.h"

#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;
using testing_support::CaseName;
using C = ConcreteType;

DesignTrace trace;  // what the steps record; the trace test checks it

MixInputs inputs(double slump, double size, double strength = 210) {
  return {slump, size, strength, 2.8, 1700, 3.15, 2.68, 2.64, 0.5, 0.7, 0.5, 0.7};
}

struct WaterAirCase {
  const char* name;
  double slump, size;
  C type;
  EnvironmentClass environment;
  double water, air;
  const char* airText;  // the air line's number and unit
};

class WaterAir : public testing::TestWithParam<WaterAirCase> {};

TEST_P(WaterAir, InterpolatesAndRounds) {
  const WaterAirCase& c = GetParam();
  DesignConditions conditions;
  conditions.concreteType = c.type;
  conditions.environment = c.environment;
  MixProportions p;
  ResultsList lines;
  ASSERT_FALSE(mixingWaterAndAir(inputs(c.slump, c.size), conditions, p, lines, trace.water));
  EXPECT_EQ(p.mixingWater, c.water);
  EXPECT_EQ(p.airContent, c.air);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lineText(lines[0]), texts::kWaterLabel + numberText(lines[0]) + texts::kKilogram);
  const string label =
      c.type == C::AirEntrained ? texts::kRecommendedAirLabel : texts::kEntrappedAirLabel;
  EXPECT_EQ(lineText(lines[1]), label + c.airText);
}

using E = EnvironmentClass;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, WaterAir, testing::Values(
    //           name                           slump size  type                environment water  air   air text
    WaterAirCase{"default",                     50,   25.4, C::NonAirEntrained, E::Normal,   178.6, 1.48, " 1.48"},
    WaterAirCase{"air_severe",                  50,   25.4, C::AirEntrained,    E::Severe,   159.7, 6,    " 6"},
    WaterAirCase{"smallest_size",               0,    9.5,  C::NonAirEntrained, E::Normal,   207,   3,    " 3"},
    WaterAirCase{"air_below_one_in_hundredths", 40,   40,   C::NonAirEntrained, E::Normal,   163.6, 0.9,  " 90،"},
    WaterAirCase{"between_75_and_150",          25,   100,  C::NonAirEntrained, E::Normal,   124.3, 0.27, " 27،"},
    WaterAirCase{"high_slump_size_75_air",      150,  75,   C::AirEntrained,    E::Normal,   154,   1.5,  " 1.5"},
    WaterAirCase{"slump_100_size_150",          100,  150,  C::NonAirEntrained, E::Normal,   124,   0.2,  " 20،"},
    WaterAirCase{"largest_size_air",            25,   150,  C::AirEntrained,    E::Normal,   107,   1,    " 1"}), CaseName());
// clang-format on

struct RatioCase {
  const char* name;
  double strength;
  C type;
  SectionType section;
  ExposureClass exposure;
  CementType cement;
  double mixingWater, ratio, cementContent;
  const char* ratioText;
};

class WaterCement : public testing::TestWithParam<RatioCase> {};

TEST_P(WaterCement, FindsRatioAndCement) {
  const RatioCase& c = GetParam();
  const DesignConditions conditions{
      DesignMethod::ACI89, Workability::Medium,         E::Normal, c.exposure, c.cement, c.type,
      c.section,           ResultView::BeforeCorrection};
  MixProportions p;
  p.mixingWater = c.mixingWater;
  ResultsList lines;
  ASSERT_FALSE(
      waterCementRatioAndCement(inputs(50, 25, c.strength), conditions, p, lines, trace.ratio));
  EXPECT_EQ(p.waterCementRatio, c.ratio);
  EXPECT_EQ(p.cementContent, c.cementContent);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lineText(lines[0]), string(texts::kWaterCementLabel) + c.ratioText + "،");
}

using S = SectionType;
using X = ExposureClass;
using M = CementType;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, WaterCement, testing::Values(
    //        name                             strength type               section               exposure              cement                water  ratio cement text
    RatioCase{"default",                       210, C::NonAirEntrained, S::Ordinary,         X::Normal,          M::Ordinary,         178.6, 0.67, 266.6, " 67"},
    RatioCase{"air_entrained",                 210, C::AirEntrained,    S::Ordinary,         X::Normal,          M::Ordinary,         159.7, 0.58, 275.3, " 58"},
    RatioCase{"quotient_a_hair_above_285",     210, C::AirEntrained,    S::Ordinary,         X::Normal,          M::Ordinary,         165.3, 0.58, 285,   " 58"},
    RatioCase{"highest_strength",              400, C::NonAirEntrained, S::Ordinary,         X::Normal,          M::Ordinary,         200,   0.42, 476.2, " 42"},
    RatioCase{"sulfate_cement_0_495_to_0_50",  150, C::NonAirEntrained, S::Ordinary,         X::SeawaterSulfate, M::SulfateResisting, 200,   0.5,  400,   " 50"},
    RatioCase{"sulfate_cement_thin",           150, C::NonAirEntrained, S::ThinOrSmallCover, X::SeawaterSulfate, M::SulfateResisting, 200,   0.42, 476.2, " 42"},
    RatioCase{"seawater_thin",                 150, C::NonAirEntrained, S::ThinOrSmallCover, X::SeawaterSulfate, M::Ordinary,         200,   0.4,  500,   " 40"},
    RatioCase{"seawater_ordinary",             150, C::NonAirEntrained, S::Ordinary,         X::SeawaterSulfate, M::Ordinary,         200,   0.45, 444.4, " 45"},
    RatioCase{"air_below_the_limit",           350, C::AirEntrained,    S::ThinOrSmallCover, X::SeawaterSulfate, M::Ordinary,         200,   0.39, 512.8, " 39"},
    RatioCase{"freeze_thaw_thin",              150, C::AirEntrained,    S::ThinOrSmallCover, X::WetFreezeThaw,   M::Ordinary,         200,   0.45, 444.4, " 45"},
    RatioCase{"normal_ignores_cement_section", 210, C::NonAirEntrained, S::ThinOrSmallCover, X::Normal,          M::SulfateResisting, 178.6, 0.67, 266.6, " 67"}),
    CaseName());
// clang-format on

struct CoarseCase {
  const char* name;
  double size, fineness;
  Workability workability;
  double roddedDensity, mass;
  const char* volumeText;
};

class Coarse : public testing::TestWithParam<CoarseCase> {};

TEST_P(Coarse, InterpolatesBothWays) {
  const CoarseCase& c = GetParam();
  MixInputs in = inputs(50, c.size);
  in.finenessModulus = c.fineness;
  in.coarseRoddedDensity = c.roddedDensity;
  MixProportions p;
  ResultsList lines;
  ASSERT_FALSE(coarseAggregate(in, c.workability, p, lines, trace.coarse));
  EXPECT_EQ(p.coarseAggregateMass, c.mass);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lineText(lines[0]), string(texts::kCoarseVolumeLabel) + c.volumeText + "،");
}

using W = Workability;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Coarse, testing::Values(
    //         name                 size  FM   workability rodded mass  volume
    CoarseCase{"default",            25.4, 2.8, W::Medium, 1700, 1141, " 67"},
    CoarseCase{"low_workability",    25.4, 2.8, W::Low,    1700, 1255, " 74"},
    CoarseCase{"high_workability",   25.4, 2.8, W::High,   1700, 1027, " 60"},
    CoarseCase{"on_table_point",     19,   2.6, W::Medium, 1700, 1088, " 64"},
    CoarseCase{"first_row_column",   9.5,  2.4, W::Medium, 1700, 850,  " 50"},
    CoarseCase{"last_row_column",    150,  3.0, W::Medium, 1700, 1377, " 81"},
    CoarseCase{"between_columns",    12.5, 2.5, W::Medium, 1000, 580,  " 58"},
    CoarseCase{"between_both",       100,  2.7, W::Medium, 1500, 1210, " 81"}), CaseName());
// clang-format on

// The worked example: water 200, cement 350, coarse aggregate 1100, air 2%, and the densities
// of the default design.
MixProportions workedProportions() {
  MixProportions p;
  p.mixingWater = 200;
  p.cementContent = 350;
  p.coarseAggregateMass = 1100;
  p.airContent = 2;
  return p;
}

TEST(FineAggregate, WeightAndVolumeMethods) {
  MixProportions p = workedProportions();
  ResultsList lines;
  ASSERT_FALSE(fineAggregateByWeight(inputs(50, 25), p, lines, trace.fineByWeight));
  ASSERT_FALSE(fineAggregateByVolume(inputs(50, 25), p, lines, trace.fineByVolume));
  EXPECT_EQ(p.unitWeightByWeight, 2329);
  EXPECT_EQ(p.fineAggregateMassByWeight, 679);
  EXPECT_EQ(p.fineAggregateMassByVolume, 682);
  EXPECT_EQ(p.unitWeightByVolume, 2332);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lineText(lines[0]),
            string(texts::kUnitWeightByWeightLabel) + " 2329" + texts::kKilogramPerCubicMetre);
  EXPECT_EQ(lineText(lines[3]), string(texts::kSandByVolumeLabel) + " 682" + texts::kKilogram);
}

struct MoistureCase {
  const char* name;
  double coarseMoisture, fineMoisture, coarseAbsorption, fineAbsorption;
  double mixingWater, coarse, fineByWeight, fineByVolume;
  double batchWater, batchCoarse, batchFineByWeight, batchFineByVolume;
};

class Moisture : public testing::TestWithParam<MoistureCase> {};

TEST_P(Moisture, CorrectsBatchWeights) {
  const MoistureCase& c = GetParam();
  MixInputs in = inputs(50, 25);
  in.coarseMoisture = c.coarseMoisture;
  in.fineMoisture = c.fineMoisture;
  in.coarseAbsorption = c.coarseAbsorption;
  in.fineAbsorption = c.fineAbsorption;
  MixProportions p;
  p.mixingWater = c.mixingWater;
  p.coarseAggregateMass = c.coarse;
  p.fineAggregateMassByWeight = c.fineByWeight;
  p.fineAggregateMassByVolume = c.fineByVolume;
  ResultsList lines;
  ASSERT_FALSE(moistureCorrection(in, p, lines, trace.moisture));
  EXPECT_EQ(p.batchWater, c.batchWater);
  EXPECT_EQ(p.batchCoarseAggregateMass, c.batchCoarse);
  EXPECT_EQ(p.batchFineAggregateMassByWeight, c.batchFineByWeight);
  EXPECT_EQ(p.batchFineAggregateMassByVolume, c.batchFineByVolume);
  EXPECT_EQ(lines.size(), 4u);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Moisture, testing::Values(
    //           name                   moisture   absorption  water  coarse fine by weight, volume
    //                                  batch water, coarse, fine by weight, fine by volume
    MoistureCase{"at_absorption",       0.5, 0.7,  0.5, 0.7,   178.6, 1141, 779, 782,  179,  1147, 784,  787},
    MoistureCase{"wet_aggregates",      2,   6,    0.5, 0.7,   200,   1100, 679, 682,  148,  1122, 720,  723},
    MoistureCase{"negative_water",      30,  40,   1,   1,     150,   1000, 800, 800,  -452, 1300, 1120, 1120},
    MoistureCase{"negative_absorption", 0.5, 0.7,  -5,  -5,    178.6, 1141, 779, 782,  71,   1147, 784,  787}),
    CaseName());
// clang-format on

}  // namespace
}  // namespace veldora
