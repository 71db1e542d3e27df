#include "engine/steps.h"

#include "engine/numbers.h"
#include "engine/texts.h"
#include "tests/support/names.h"

#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;
using testing_support::CaseName;

// What the steps record along the way; the trace test checks it.
MixingWaterTrace waterTrace;
WaterCementTrace ratioTrace;
CoarseAggregateTrace coarseTrace;
FineByWeightTrace byWeightTrace;
FineByVolumeTrace byVolumeTrace;

// Mixing water and air content, ACI 211.1 Table 6.3.3.
struct WaterAirCase {
  const char* name;
  double requiredSlump, maximumAggregateSize, concreteType, environment;
  double water;
  double air;
  const char* airText;  // the number part of the air line
};

class WaterAir : public testing::TestWithParam<WaterAirCase> {};

TEST_P(WaterAir, InterpolatesAndRounds) {
  const WaterAirCase& c = GetParam();
  double airContent = 0, mixingWater = 0;
  ResultsList lines;
  ASSERT_FALSE(mixingWaterAndAir(c.requiredSlump, c.maximumAggregateSize, c.concreteType,
                                 airContent, mixingWater, c.environment, lines, waterTrace));
  EXPECT_EQ(mixingWater, c.water);
  EXPECT_EQ(airContent, c.air);
  ASSERT_EQ(lines.size(), 2u);
  const string airLabel =
      c.concreteType == 2 ? texts::kRecommendedAirLabel : texts::kEntrappedAirLabel;
  EXPECT_EQ(lines[1], airLabel + c.airText);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, WaterAir, testing::Values(
    //           name                          requiredSlump    maximumAggregateSize     concreteType environment water  air   air text
    WaterAirCase{"default",                     50,   25.4, 1,  1, 178.6, 1.48, " 1.48"},
    WaterAirCase{"air_mild",                    50,   25.4, 2,  1, 159.7, 3,    " 3"},
    WaterAirCase{"air_moderate",                50,   25.4, 2,  2, 159.7, 4.5,  " 4.5"},
    WaterAirCase{"air_severe",                  50,   25.4, 2,  3, 159.7, 6,    " 6"},
    WaterAirCase{"on_table_point",              75,   19,   1,  1, 205,   2,    " 2"},
    WaterAirCase{"environment_ignored_no_air",  50,   19,   1,  3, 190,   2,    " 2"},
    WaterAirCase{"slump_100_in_75_to_100_row",  100,  19,   1,  1, 205,   2,    " 2"},
    WaterAirCase{"slump_50_5_in_75_to_100_row", 50.5, 19,   1,  1, 205,   2,    " 2"},
    WaterAirCase{"smallest_size",               0,    9.5,  1,  1, 207,   3,    " 3"},
    WaterAirCase{"air_below_one_in_hundredths", 40,   40,   1,  1, 163.6, 0.9,  " 90،"},
    WaterAirCase{"air_exactly_one",             25,   37.5, 1,  1, 166,   1,    " 1"},
    WaterAirCase{"between_75_and_150",          25,   100,  1,  1, 124.3, 0.27, " 27،"},
    WaterAirCase{"high_slump_size_75",          150,  75,   1,  1, 160,   0.3,  " 30،"},
    WaterAirCase{"high_slump_size_75_air",      150,  75,   2,  1, 154,   1.5,  " 1.5"},
    WaterAirCase{"slump_100_size_150",          100,  150,  1,  1, 124,   0.2,  " 20،"},
    WaterAirCase{"highest_slump_air",           175,  9.5,  2,  1, 216,   4.5,  " 4.5"},
    WaterAirCase{"largest_size_air",            25,   150,  2,  1, 107,   1,    " 1"}), CaseName());
// clang-format on

TEST(WaterAirRefusal, HighSlumpWithLargeAggregateIsRefused) {
  for (double maximumAggregateSize : {75.5, 100.0, 150.0}) {
    double airContent = 0, mixingWater = 0;
    ResultsList lines;
    const StepResult stop = mixingWaterAndAir(150, maximumAggregateSize, 1, airContent, mixingWater,
                                              1, lines, waterTrace);
    ASSERT_TRUE(stop) << maximumAggregateSize;
    EXPECT_EQ(stop->message, texts::kSlumpSizeRefusal);
    EXPECT_EQ(stop->focus, Box::Text1);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(mixingWater, 0);
  }
}

TEST(WaterAirLines, WaterLineCarriesItsUnit) {
  double airContent = 0, mixingWater = 0;
  ResultsList lines;
  mixingWaterAndAir(50, 25.4, 1, airContent, mixingWater, 1, lines, waterTrace);
  EXPECT_EQ(lines[0], string(texts::kWaterLabel) + " 178.6" + texts::kKilogram);
}

// Water-cement ratio, Table 6.3.4(a) and the exposure limits.
struct RatioCase {
  const char* name;
  double requiredStrength, concreteType, section, exposure, cement, mixingWater;
  double ratio;
  double cementContent;
  const char* ratioText;
};

class WaterCement : public testing::TestWithParam<RatioCase> {};

TEST_P(WaterCement, FindsRatioAndCement) {
  const RatioCase& c = GetParam();
  double waterCementRatio = -1, cementContent = -1;
  ResultsList lines;
  ASSERT_FALSE(waterCementRatioAndCement(c.requiredStrength, c.concreteType, c.section, c.exposure,
                                         c.cement, waterCementRatio, c.mixingWater, cementContent,
                                         lines, ratioTrace));
  EXPECT_EQ(waterCementRatio, c.ratio);
  EXPECT_EQ(cementContent, c.cementContent);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], string(texts::kWaterCementLabel) + c.ratioText + "،");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, WaterCement, testing::Values(
    //        name                            requiredStrength   concreteType section exposure cement mixingWater  ratio cement text
    RatioCase{"default",                       210, 1,  2,  1, 1,  178.6, 0.67, 266.6, " 67"},
    RatioCase{"air_entrained",                 210, 2,  2,  1, 1,  159.7, 0.58, 275.3, " 58"},
    RatioCase{"quotient_a_hair_above_285",     210, 2,  2,  1, 1,  165.3, 0.58, 285,   " 58"},
    RatioCase{"lowest_strength",               150, 1,  2,  1, 1,  200,   0.79, 253.2, " 79"},
    RatioCase{"highest_strength",              400, 1,  2,  1, 1,  200,   0.42, 476.2, " 42"},
    RatioCase{"air_at_350",                    350, 2,  2,  1, 1,  200,   0.39, 512.8, " 39"},
    RatioCase{"sulfate_cement_0_495_to_0_50",  150, 1,  2,  3, 2,  200,   0.5,  400,   " 50"},
    RatioCase{"sulfate_cement_thin",           150, 1,  1,  3, 2,  200,   0.42, 476.2, " 42"},
    RatioCase{"seawater_thin",                 150, 1,  1,  3, 1,  200,   0.4,  500,   " 40"},
    RatioCase{"seawater_thin_strongest",       400, 1,  1,  3, 1,  200,   0.4,  500,   " 40"},
    RatioCase{"seawater_ordinary",             150, 1,  2,  3, 1,  200,   0.45, 444.4, " 45"},
    RatioCase{"air_below_the_limit",           350, 2,  1,  3, 1,  200,   0.39, 512.8, " 39"},
    RatioCase{"freeze_thaw_ordinary",          150, 2,  2,  2, 1,  200,   0.5,  400,   " 50"},
    RatioCase{"freeze_thaw_thin",              150, 2,  1,  2, 1,  200,   0.45, 444.4, " 45"},
    RatioCase{"freeze_thaw_thin_300",          300, 2,  1,  2, 1,  200,   0.45, 444.4, " 45"},
    RatioCase{"normal_ignores_cement_section", 210, 1,  1,  1, 2,  178.6, 0.67, 266.6, " 67"}),
    CaseName());
// clang-format on

TEST(WaterCementRefusal, AirEntrainedAbove350IsRefusedWithoutWriting) {
  double waterCementRatio = 0.5, cementContent = 300;
  ResultsList lines;
  const StepResult stop = waterCementRatioAndCement(350.5, 2, 2, 1, 1, waterCementRatio, 200,
                                                    cementContent, lines, ratioTrace);
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->message, texts::kAirStrengthRefusal);
  EXPECT_EQ(stop->focus, Box::Text3);
  EXPECT_EQ(waterCementRatio, 0.5);
  EXPECT_EQ(cementContent, 300);
  EXPECT_TRUE(lines.empty());
}

TEST(WaterCementRefusal, FreezeThawNeedsAirAndLeavesTheUnroundedRatio) {
  for (double requiredStrength : {150.0, 210.0, 400.0}) {
    double waterCementRatio = 0, cementContent = 300;
    ResultsList lines;
    const StepResult stop = waterCementRatioAndCement(
        requiredStrength, 1, 2, 2, 1, waterCementRatio, 200, cementContent, lines, ratioTrace);
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->message, texts::kAirRequiredRefusal);
    EXPECT_FALSE(stop->focus);
    EXPECT_EQ(cementContent, 300);
    EXPECT_TRUE(lines.empty());
    if (requiredStrength == 210) {
      EXPECT_DOUBLE_EQ(waterCementRatio, 0.674);
    }
  }
}

// Coarse aggregate, Table 6.3.6 with the workability factor.
struct CoarseCase {
  const char* name;
  double maximumAggregateSize, finenessModulus, workability, coarseRoddedDensity;
  double coarseAggregateMass;
  const char* volumeText;
};

class Coarse : public testing::TestWithParam<CoarseCase> {};

TEST_P(Coarse, InterpolatesBothWays) {
  const CoarseCase& c = GetParam();
  double coarseAggregateMass = -1;
  ResultsList lines;
  ASSERT_FALSE(coarseAggregate(c.maximumAggregateSize, c.finenessModulus, c.workability,
                               coarseAggregateMass, c.coarseRoddedDensity, lines, coarseTrace));
  EXPECT_EQ(coarseAggregateMass, c.coarseAggregateMass);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], string(texts::kCoarseVolumeLabel) + c.volumeText + "،");
  EXPECT_EQ(lines[1], string(texts::kCoarseWeightLabel) + plainText(c.coarseAggregateMass) +
                          texts::kKilogram);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Coarse, testing::Values(
    //         name                 maximumAggregateSize     finenessModulus   workability coarseRoddedDensity   coarseAggregateMass volume
    CoarseCase{"default",            25.4, 2.8, 2,   1700, 1141, " 67"},
    CoarseCase{"low_workability",    25.4, 2.8, 1,   1700, 1255, " 74"},
    CoarseCase{"high_workability",   25.4, 2.8, 3,   1700, 1027, " 60"},
    CoarseCase{"on_table_point",     19,   2.6, 2,   1700, 1088, " 64"},
    CoarseCase{"first_row_column",   9.5,  2.4, 2,   1700, 850,  " 50"},
    CoarseCase{"last_row_column",    150,  3.0, 2,   1700, 1377, " 81"},
    CoarseCase{"between_columns",    12.5, 2.5, 2,   1000, 580,  " 58"},
    CoarseCase{"between_both",       100,  2.7, 2,   1500, 1210, " 81"}), CaseName());
// clang-format on

TEST(CoarseContinuity, JustAboveATableRowStaysBesideIt) {
  double below = 0, above = 0;
  ResultsList lines;
  coarseAggregate(25, 2.8, 2, below, 1e6, lines, coarseTrace);
  coarseAggregate(25.0001, 2.8, 2, above, 1e6, lines, coarseTrace);
  EXPECT_NEAR(above, below, 2);
  coarseAggregate(25, 2.8000001, 2, above, 1e6, lines, coarseTrace);
  EXPECT_NEAR(above, below, 2);
}

TEST(FineAggregate, WeightAndVolumeMethods) {
  double fineAggregateMassByWeight = 0, unitWeightByWeight = 0, fineAggregateMassByVolume = 0,
         unitWeightByVolume = 0;
  ResultsList lines;
  ASSERT_FALSE(fineAggregateByWeight(200, 350, 1100, fineAggregateMassByWeight, 2, 2.68, 2.64,
                                     unitWeightByWeight, 3.15, lines, byWeightTrace));
  ASSERT_FALSE(fineAggregateByVolume(200, 350, 1100, fineAggregateMassByVolume, 2, 2.68, 2.64,
                                     unitWeightByVolume, 3.15, lines, byVolumeTrace));
  EXPECT_EQ(unitWeightByWeight, 2329);
  EXPECT_EQ(fineAggregateMassByWeight, 679);
  EXPECT_EQ(fineAggregateMassByVolume, 682);
  EXPECT_EQ(unitWeightByVolume, 2332);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0],
            string(texts::kUnitWeightByWeightLabel) + " 2329" + texts::kKilogramPerCubicMetre);
  EXPECT_EQ(lines[3], string(texts::kSandByVolumeLabel) + " 682" + texts::kKilogram);
}

TEST(FineAggregate, UnitDensitiesLeaveTheRemainingVolume) {
  double fineAggregateMassByWeight = 0, unitWeightByWeight = 0, fineAggregateMassByVolume = 0,
         unitWeightByVolume = 0;
  ResultsList lines;
  fineAggregateByWeight(180, 300, 400, fineAggregateMassByWeight, 0, 1, 1, unitWeightByWeight, 1,
                        lines, byWeightTrace);
  fineAggregateByVolume(180, 300, 400, fineAggregateMassByVolume, 0, 1, 1, unitWeightByVolume, 1,
                        lines, byVolumeTrace);
  EXPECT_EQ(unitWeightByWeight, 1000);
  EXPECT_EQ(fineAggregateMassByVolume, 1000 - 180 - 300 - 400);
}

TEST(FineAggregate, NegativeSandIsShownWithItsSign) {
  double fineAggregateMassByWeight = 0, unitWeightByWeight = 0;
  ResultsList lines;
  fineAggregateByWeight(200, 350, 2500, fineAggregateMassByWeight, 2, 2.68, 2.64,
                        unitWeightByWeight, 3.15, lines, byWeightTrace);
  EXPECT_LT(fineAggregateMassByWeight, 0);
  EXPECT_EQ(lines[1], string(texts::kSandByWeightLabel) + "-721" + texts::kKilogram);
}

struct MoistureCase {
  const char* name;
  double coarseMoisture, fineMoisture, mixingWater, coarseAggregateMass, fineAggregateMassByWeight,
      coarseAbsorption, fineAbsorption, fineAggregateMassByVolume;
  double batchWater, batchCoarseAggregateMass, batchFineAggregateMassByWeight,
      batchFineAggregateMassByVolume;
};

class Moisture : public testing::TestWithParam<MoistureCase> {};

TEST_P(Moisture, CorrectsBatchWeights) {
  const MoistureCase& c = GetParam();
  double batchCoarseAggregateMass = 0, batchFineAggregateMassByWeight = 0, batchWater = 0,
         batchFineAggregateMassByVolume = 0;
  ResultsList lines;
  ASSERT_FALSE(moistureCorrection(c.coarseMoisture, c.fineMoisture, c.mixingWater,
                                  c.coarseAggregateMass, c.fineAggregateMassByWeight,
                                  c.coarseAbsorption, c.fineAbsorption, c.fineAggregateMassByVolume,
                                  batchCoarseAggregateMass, batchFineAggregateMassByWeight,
                                  batchWater, batchFineAggregateMassByVolume, lines));
  EXPECT_EQ(batchWater, c.batchWater);
  EXPECT_EQ(batchCoarseAggregateMass, c.batchCoarseAggregateMass);
  EXPECT_EQ(batchFineAggregateMassByWeight, c.batchFineAggregateMassByWeight);
  EXPECT_EQ(batchFineAggregateMassByVolume, c.batchFineAggregateMassByVolume);
  EXPECT_EQ(lines.size(), 4u);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Moisture, testing::Values(
    //           name                coarseMoisture   fineMoisture   mixingWater  coarseAggregateMass fineAggregateMassByWeight coarseAbsorption  fineAbsorption  fineAggregateMassByVolume
    //                                   batchWater batchCoarseAggregateMass batchFineAggregateMassByWeight batchFineAggregateMassByVolume
    MoistureCase{"at_absorption",     0.5, 0.7, 178.6, 1141, 779,    0.5, 0.7, 782,
                                      179,   1147,  784,     787},
    MoistureCase{"wet_aggregates",    2,   6,   200,   1100, 679,    0.5, 0.7, 682,
                                      148,   1122,  720,     723},
    MoistureCase{"dry_aggregates",    0,   0,   200,   1000, 700,    1,   2,   700,
                                      224,   1000,  700,     700},
    MoistureCase{"negative_water",    30,  40,  150,   1000, 800,    1,   1,   800,
                                      -452,  1300,  1120,    1120},
    MoistureCase{"negative_absorption", 0.5, 0.7, 178.6, 1141, 779,  -5,  -5,  782,
                                      71,    1147,  784,     787}), CaseName());
// clang-format on

TEST(NonFiniteResults, StepsRefuseAndStoreNothing) {
  const double tiny = 1e-307;
  double fineAggregateMassByWeight = 7, unitWeightByWeight = 7, fineAggregateMassByVolume = 7,
         unitWeightByVolume = 7;
  ResultsList lines;
  StepResult stop = fineAggregateByWeight(200, 350, 1100, fineAggregateMassByWeight, 2, 2.68, 2.64,
                                          unitWeightByWeight, tiny, lines, byWeightTrace);
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->message, texts::kNotComputableRefusal);
  EXPECT_FALSE(stop->focus);
  stop = fineAggregateByVolume(200, 350, 1100, fineAggregateMassByVolume, 2, tiny, 2.64,
                               unitWeightByVolume, 3.15, lines, byVolumeTrace);
  ASSERT_TRUE(stop);
  EXPECT_EQ(fineAggregateMassByWeight, 7);
  EXPECT_EQ(unitWeightByWeight, 7);
  EXPECT_EQ(fineAggregateMassByVolume, 7);
  EXPECT_EQ(unitWeightByVolume, 7);
  EXPECT_TRUE(lines.empty());

  double batchCoarseAggregateMass = 7, batchFineAggregateMassByWeight = 7, batchWater = 7,
         batchFineAggregateMassByVolume = 7;
  const double huge = std::numeric_limits<double>::max();
  EXPECT_TRUE(moistureCorrection(0.5, 0.7, 200, 1000, huge, 0.5, -1e300, 700,
                                 batchCoarseAggregateMass, batchFineAggregateMassByWeight,
                                 batchWater, batchFineAggregateMassByVolume, lines));
  EXPECT_EQ(batchWater, 7);
  EXPECT_EQ(batchCoarseAggregateMass, 7);
  EXPECT_TRUE(lines.empty());
}

}  // namespace
}  // namespace veldora
