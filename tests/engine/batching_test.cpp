#include "engine/batching.h"

#include "tests/support/names.h"

#include <optional>
#include <tuple>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using W = MixWarning;

// The batching sheet's arithmetic, worked out by hand: bags rounded up from the exact cement of
// the pour, but not past a whole number the binary arithmetic overshoots (400 x 1.1 / 40 is 11);
// litres per bag halves up (0.57 x 25 = 14.25 is 14.3), both from the same kilogram of cement;
// bags per batch to 0.01; one batch in grams up to 0.1 m^3, to 0.1 kg above.
struct SheetCase {
  const char* name;
  double water, cement, waterToAdd;  // kg per m^3: the mixing water, the cement, the water to add
  double batchVolume, pourVolume, bagMass;
  double bags, waterPerBag, waterToAddPerBag, bagsPerBatch, batchCement, pourCement;
};

class SheetArithmetic : public testing::TestWithParam<SheetCase> {};

TEST_P(SheetArithmetic, IsWhatAHandCalculationGives) {
  const SheetCase& c = GetParam();
  SheetMix mix;
  mix.dry = {c.water, c.cement, 1100, 700};
  mix.batched = {c.waterToAdd, c.cement, 1105, 720};
  mix.waterToAdd = c.waterToAdd;
  const BatchingSheet sheet = batchingSheet(mix, c.batchVolume, c.pourVolume, c.bagMass);
  EXPECT_EQ(sheet.bags, c.bags);
  EXPECT_EQ(sheet.waterPerBag, c.waterPerBag);
  EXPECT_EQ(sheet.waterToAddPerBag, c.waterToAddPerBag);
  EXPECT_EQ(sheet.bagsPerBatch, c.bagsPerBatch);
  EXPECT_EQ(sheet.batch.cement, c.batchCement);
  EXPECT_EQ(sheet.pourCement, c.pourCement);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, SheetArithmetic, testing::Values(
    //       name                    water  cement  to add  batch  pour  bag  bags  L/bag L add/bag per batch batch cement pour cement
    SheetCase{"bags_of_a_whole_number", 160,  400,   150,    1,     1.1,  40,  11,   16.0, 15.0,    10,       400,   440},
    SheetCase{"litres_half_up",         171,  300,   171,    1,     1,    25,  12,   14.3, 14.3,    12,       300,   300},
    SheetCase{"bags_per_batch_to_0_01", 192.6, 287.5, 170.4,  1,     3,    50,  18,   33.5, 29.6,    5.75,     287.5, 862.5},
    SheetCase{"grams_up_to_0_1_m3",     192.6, 287.5, 170.4,  0.1,   1,    50,  6,    33.5, 29.6,    0.58,     28.75, 287.5},
    SheetCase{"kilograms_above_0_1_m3", 192.6, 287.5, 170.4,  0.11,  1,    50,  6,    33.5, 29.6,    0.63,     31.6,  287.5},
    SheetCase{"bags_rounded_up",        178.6, 266.6, 178.6,  1,     1,    50,  6,    33.5, 33.5,    5.33,     266.6, 266.6}),
    testing_support::CaseName());
// clang-format on

// The batches of a pour: the pour over the batch rounded up, not past a quotient the arithmetic
// leaves a hair over a whole number (0.3 / 0.1), and the last batch's volume.
struct BatchesCase {
  const char* name;
  double pour, batch;
  double count, last;
  bool larger;
};

class Batches : public testing::TestWithParam<BatchesCase> {};

TEST_P(Batches, MakeThePour) {
  const BatchesCase& c = GetParam();
  const MixerBatches b = mixerBatches(c.pour, c.batch);
  EXPECT_EQ(b.count, c.count);
  EXPECT_EQ(b.lastVolume, c.last);
  EXPECT_EQ(b.largerThanPour, c.larger);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Batches, testing::Values(
    BatchesCase{"whole_number",         3,     0.3,    10, 0.3,    false},
    BatchesCase{"binary_fraction",      0.3,   0.1,    3,  0.1,    false},
    BatchesCase{"last_one_smaller",     10,    3,      4,  1,      false},
    BatchesCase{"laboratory",           1,     0.0125, 80, 0.0125, false},
    BatchesCase{"one_batch_exactly",    2,     2,      1,  2,      false},
    BatchesCase{"larger_than_the_pour", 0.5,   3,      1,  0.5,    true}),
    testing_support::CaseName());
// clang-format on

// ASTM C94's tolerance on a slump given as a target, at its band edges.
TEST(SlumpTolerance, ByTheTargetSlump) {
  const std::pair<double, double> cases[] = {{25, 15},  {50, 15},    {50.5, 25},
                                             {100, 25}, {100.5, 40}, {175, 40}};
  for (const auto& [slump, tolerance] : cases) EXPECT_EQ(slumpTolerance(slump), tolerance) << slump;
}

// A pour's mass to 0.1 kg, and from 10 tonnes on also to 0.01 t, halves up (9999.95 kg is 10000.0
// kg yet under 10 t); a share to 0.1 %, halves to even, none of nothing.
TEST(PourMassAndShare, AreRoundedAsWritten) {
  const std::tuple<double, double, std::optional<double>> masses[] = {
      {9999.95, 10000, std::nullopt},
      {10000, 10000, 10},
      {12345.65, 12345.7, 12.35},
      {-10005, -10005, -10.01}};
  for (const auto& [kg, kilograms, tonnes] : masses) {
    EXPECT_EQ(pourMass(kg).kilograms, kilograms) << kg;
    EXPECT_EQ(pourMass(kg).tonnes, tonnes) << kg;
  }
  EXPECT_EQ(shareInPercent(1, 3), 33.3);
  EXPECT_EQ(shareInPercent(0.5625, 1), 56.2);
  EXPECT_EQ(shareInPercent(5, 0), 0);
}

// What no concrete can be, at the bounds and past them; the bounds themselves are a concrete.
struct ImplausibleCase {
  const char* name;
  BatchMasses dry;
  double air;
  std::vector<MixWarningAt> warnings;
};

class Implausible : public testing::TestWithParam<ImplausibleCase> {};

TEST_P(Implausible, IsSaidOfEachValue) {
  const ImplausibleCase& c = GetParam();
  EXPECT_EQ(implausible(c.dry, c.air), c.warnings);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Implausible, testing::Values(
    ImplausibleCase{"ordinary",           {192.6, 287.5, 1141, 728}, 1.48, {}},
    ImplausibleCase{"at_every_bound",     {160, 800, 1240, 600}, 20, {}},
    ImplausibleCase{"lowest_bounds",      {60, 300, 1000, 440}, 0, {}},
    ImplausibleCase{"trial_in_wrong_unit", {4, 5, 1141, 700}, -6.74,
                    {{W::AirBelowZero, -6.74}, {W::CementBelowHundred, 5}}},
    ImplausibleCase{"ratio_and_air_high", {300, 240, 1141, 728}, 20.5,
                    {{W::AirAboveTwenty, 20.5}, {W::RatioAboveOnePointTwo, 1.25}}},
    ImplausibleCase{"ratio_low_cement_high", {150, 801, 1141, 700}, 2,
                    {{W::RatioBelowTwoTenths, 150 / 801.0}, {W::CementAboveEightHundred, 801}}},
    ImplausibleCase{"light",              {192.5, 287.5, 800, 500}, 2,
                    {{W::UnitMassBelow1800, 1780}}},
    ImplausibleCase{"heavy",              {192.5, 287.5, 1500, 821}, 2,
                    {{W::UnitMassAbove2800, 2801}}},
    ImplausibleCase{"no_cement_no_ratio", {192.6, 0, 1141, 728}, 2,
                    {{W::CementBelowHundred, 0}}}),
    testing_support::CaseName());
// clang-format on

}  // namespace
}  // namespace veldora
