#include "engine/designrun.h"

#include "engine/texts.h"
#include "tests/support/files.h"
#include "tests/support/names.h"

#include <limits>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;
using testing_support::CaseName;

MixInputs defaultInputs() {
  return {50, 25.4, 210, 2.8, 1700, 3.15, 2.68, 2.64, 0.5, 0.7, 0.5, 0.7};
}

struct CheckCase {
  const char* name;
  double MixInputs::*member;
  double value;
  std::optional<Box> focus;  // none when the value passes
  const char* message;
};

class InputChecks : public testing::TestWithParam<CheckCase> {};

TEST_P(InputChecks, BothEndsInclusive) {
  MixInputs in = defaultInputs();
  in.*GetParam().member = GetParam().value;
  const std::optional<Stop> stop = checkInputs(in);
  if (!GetParam().focus) {
    EXPECT_FALSE(stop) << stop->message;
    return;
  }
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->title, texts::kErrorTitle);
  EXPECT_EQ(stop->message, GetParam().message);
  EXPECT_EQ(stop->focus, GetParam().focus);
}

constexpr double kInf = std::numeric_limits<double>::infinity();
using namespace texts;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, InputChecks, testing::Values(
    CheckCase{"slump_0",             &MixInputs::requiredSlump,  0,      {}, nullptr},
    CheckCase{"slump_175",           &MixInputs::requiredSlump,  175,    {}, nullptr},
    CheckCase{"slump_175_01",        &MixInputs::requiredSlump,  175.01, Box::Text1, kSlumpRangeMessage},
    CheckCase{"size_9_5",            &MixInputs::maximumAggregateSize,   9.5,    {}, nullptr},
    CheckCase{"size_9_49",           &MixInputs::maximumAggregateSize,   9.49,   Box::Text2, kMaxSizeRangeMessage},
    CheckCase{"size_150_5",          &MixInputs::maximumAggregateSize,   150.5,  Box::Text2, kMaxSizeRangeMessage},
    CheckCase{"strength_150",        &MixInputs::requiredStrength,  150,    {}, nullptr},
    CheckCase{"strength_149_9",      &MixInputs::requiredStrength,  149.9,  Box::Text3, kStrengthRangeMessage},
    CheckCase{"strength_400_1",      &MixInputs::requiredStrength,  400.1,  Box::Text3, kStrengthRangeMessage},
    CheckCase{"strength_empty",      &MixInputs::requiredStrength,  0,      Box::Text3, kStrengthRangeMessage},
    CheckCase{"fineness_2_4",        &MixInputs::finenessModulus,  2.4,    {}, nullptr},
    CheckCase{"fineness_2_39",       &MixInputs::finenessModulus,  2.39,   Box::Text4, kFinenessRangeMessage},
    CheckCase{"fineness_3_01",       &MixInputs::finenessModulus,  3.01,   Box::Text4, kFinenessRangeMessage},
    CheckCase{"rodded_0",            &MixInputs::coarseRoddedDensity, 0,      Box::Text5, kRoddedDensityMessage},
    CheckCase{"rodded_infinite",     &MixInputs::coarseRoddedDensity, kInf,   Box::Text5, kRoddedDensityMessage},
    CheckCase{"cement_negative",     &MixInputs::cementRelativeDensity,  -1,     Box::Text6, kCementDensityMessage},
    CheckCase{"coarse_density_0",    &MixInputs::coarseRelativeDensity,  0,      Box::Text7, kCoarseDensityMessage},
    CheckCase{"fine_density_0",      &MixInputs::fineRelativeDensity,  0,      Box::Text8, kFineDensityMessage},
    CheckCase{"coarse_moisture_over",&MixInputs::coarseMoisture,  100.5,  Box::Text9, kCoarseMoistureMessage},
    CheckCase{"fine_moisture_under", &MixInputs::fineMoisture,  -0.1,   Box::Text10, kFineMoistureMessage},
    CheckCase{"fine_moisture_minus_infinite", &MixInputs::fineMoisture, -kInf, Box::Text10,
              kFineMoistureMessage},
    CheckCase{"coarse_absorption_negative", &MixInputs::coarseAbsorption, -50, {}, nullptr},
    CheckCase{"coarse_absorption_infinite", &MixInputs::coarseAbsorption, kInf, Box::Text11,
              kCoarseAbsorptionMessage},
    CheckCase{"fine_absorption_infinite",   &MixInputs::fineAbsorption, -kInf, Box::Text12,
              kFineAbsorptionMessage}), CaseName());
// clang-format on

TEST(InputChecksOrder, OnlyTheFirstFailureIsReported) {
  MixInputs in = defaultInputs();
  in.fineRelativeDensity = 0;
  in.requiredStrength = 0;
  in.fineAbsorption = kInf;
  EXPECT_EQ(checkInputs(in)->message, texts::kStrengthRangeMessage);
}

// A stopped run: how far it wrote the codes and the proportions (the members it did not reach
// keep the earlier run's 9s), what is left of its lines, its message and focus.
struct StopCase {
  const char* name;
  std::vector<std::pair<double MixInputs::*, double>> changes;  // to the default inputs
  ExposureClass exposure;
  RunEnd end;
  size_t lines;
  const char* message;
  std::optional<Box> focus;
  double exposureCode, mixingWater, waterCementRatio, coarseAggregateMass;
};

class DesignRunStops : public testing::TestWithParam<StopCase> {};

TEST_P(DesignRunStops, AsFarAsTheRunCame) {
  const StopCase& c = GetParam();
  ConditionCodes codes{9, 9, 9, 9, 9, 9};
  MixProportions p{9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
  MixInputs in = defaultInputs();
  for (const auto& [member, value] : c.changes) in.*member = value;
  DesignConditions conditions;
  conditions.exposure = c.exposure;
  const RunReport report = designRun(in, conditions, codes, p);
  EXPECT_EQ(report.end, c.end);
  EXPECT_EQ(report.lines.size(), c.lines);
  EXPECT_EQ(report.stop->message, c.message);
  EXPECT_EQ(report.stop->focus, c.focus);
  EXPECT_EQ(codes.exposure, c.exposureCode);
  EXPECT_EQ(p.mixingWater, c.mixingWater);
  EXPECT_DOUBLE_EQ(p.waterCementRatio, c.waterCementRatio);
  EXPECT_EQ(p.coarseAggregateMass, c.coarseAggregateMass);
  EXPECT_EQ(p.unitWeightByWeight, 9);  // no stop reaches it with a value
}

using X = ExposureClass;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, DesignRunStops, testing::Values(
    //       name              inputs                                                          exposure          end                    lines message                focus       RT water  ratio  coarse
    StopCase{"input_check",    {{&MixInputs::finenessModulus, 3.5}},                           X::Normal,        RunEnd::InputRejected, 1, kFinenessRangeMessage, Box::Text4, 9, 9,     9,     9},
    StopCase{"slump_and_size", {{&MixInputs::requiredSlump, 150}, {&MixInputs::maximumAggregateSize, 100}},
                                                                                               X::Normal,        RunEnd::Refused,       0, kSlumpSizeRefusal,     Box::Text1, 9, 0,     9,     9},
    StopCase{"air_required",   {},                                                             X::WetFreezeThaw, RunEnd::Refused,       0, kAirRequiredRefusal,   {},         2, 178.6, 0.674, 9},
    StopCase{"overflow",       {{&MixInputs::cementRelativeDensity, 1e-307}},                  X::Normal,        RunEnd::Refused,       0, kNotComputableRefusal, {},         1, 178.6, 0.67,  1141}),
    CaseName());
// clang-format on

TEST(DesignRunConditions, CodesFollowTheSelections) {
  ConditionCodes codes;
  MixProportions p;
  DesignConditions c;
  c.concreteType = ConcreteType::AirEntrained;
  c.environment = EnvironmentClass::Severe;
  c.exposure = ExposureClass::SeawaterSulfate;
  c.cement = CementType::SulfateResisting;
  c.section = SectionType::ThinOrSmallCover;
  c.workability = Workability::High;
  ASSERT_EQ(designRun(defaultInputs(), c, codes, p).end, RunEnd::Completed);
  EXPECT_EQ(codes.concreteType, 2);
  EXPECT_EQ(codes.environment, 3);
  EXPECT_EQ(codes.exposure, 3);
  EXPECT_EQ(codes.cement, 2);
  EXPECT_EQ(codes.section, 1);
  EXPECT_EQ(codes.workability, 3);
  EXPECT_EQ(p.airContent, 6);
  EXPECT_EQ(p.waterCementRatio, 0.42);
  EXPECT_EQ(p.coarseAggregateMass, 1027);
}

}  // namespace
}  // namespace veldora
