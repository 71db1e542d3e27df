// The trace a run records is what a checking engineer redoes by hand: the table points of each
// lookup interpolate to the recorded value, and the recorded value rounds to the member the
// results list shows.
#include "engine/acitables.h"
#include "engine/designrun.h"
#include "engine/numbers.h"
#include "tests/support/names.h"

#include <random>

#include <gtest/gtest.h>

namespace veldora {
namespace {

// The table value at x from the piece the trace names, interpolated as ACI 211.1 does.
template <size_t N>
double fromPiece(const std::array<double, N>& points, const std::array<double, N>& values, double x,
                 int piece) {
  if (piece < 0) {
    EXPECT_LE(x, points[0]);
    return values[0];
  }
  const auto k = static_cast<size_t>(piece);
  EXPECT_TRUE((points[k] < x || k == 0) && x <= points[k + 1]) << x << " in piece " << piece;
  return values[k] + (x - points[k]) / (points[k + 1] - points[k]) * (values[k + 1] - values[k]);
}

void checkTrace(const MixInputs& in, const DesignConditions& conditions) {
  ConditionCodes codes;
  MixProportions p;
  const RunReport run = designRun(in, conditions, codes, p);
  ASSERT_EQ(run.end, RunEnd::Completed) << (run.stop ? run.stop->message : "");
  const DesignTrace& t = run.trace;
  const double D = in.maximumAggregateSize;

  const MixingWaterTrace& w = t.water;
  EXPECT_EQ(w.slumpRow, in.requiredSlump <= 50 ? 0 : in.requiredSlump <= 100 ? 1 : 2);
  const auto& waterRows = w.airEntrained ? aci::kWaterAirEntrained : aci::kWaterNonAirEntrained;
  EXPECT_EQ(w.water, fromPiece(aci::kSizes, waterRows[size_t(w.slumpRow)], D, w.sizePiece));
  const auto& airRow =
      w.airEntrained ? aci::kRecommendedAir[size_t(w.exposureRow)] : aci::kEntrappedAir;
  EXPECT_EQ(w.airContent, fromPiece(aci::kSizes, airRow, D, w.sizePiece));
  EXPECT_EQ(roundToTenths(w.water), p.mixingWater);
  EXPECT_EQ(w.airEntrained ? roundToTenths(w.airContent) : roundToHundredths(w.airContent),
            p.airContent);

  const WaterCementTrace& r = t.ratio;
  const auto& ratios = r.airEntrained ? aci::kRatioAirEntrained : aci::kRatioNonAirEntrained;
  EXPECT_EQ(r.tableRatio,
            fromPiece(aci::kStrengths, ratios, in.requiredStrength, std::max(r.strengthPiece, 0)));
  EXPECT_EQ(r.ratio, r.limit && r.tableRatio > *r.limit ? *r.limit : r.tableRatio);
  EXPECT_EQ(roundToHundredths(r.ratio), p.waterCementRatio);
  EXPECT_EQ(roundToTenths(p.mixingWater / p.waterCementRatio), p.cementContent);

  const CoarseAggregateTrace& c = t.coarse;
  const auto row = [&](int piece) {
    return fromPiece(aci::kFinenessModuli, aci::kCoarseVolume[size_t(piece)], in.finenessModulus,
                     c.finenessPiece);
  };
  if (c.sizePiece < 0) {
    EXPECT_EQ(c.tableVolume, c.lowerRowVolume);
    EXPECT_EQ(c.lowerRowVolume, row(0));
  } else {
    const auto k = size_t(c.sizePiece);
    EXPECT_EQ(c.sizeFraction, (D - aci::kSizes[k]) / (aci::kSizes[k + 1] - aci::kSizes[k]));
    EXPECT_EQ(c.lowerRowVolume, row(c.sizePiece));
    EXPECT_EQ(c.upperRowVolume, row(c.sizePiece + 1));
    EXPECT_EQ(c.tableVolume,
              (1 - c.sizeFraction) * c.lowerRowVolume + c.sizeFraction * c.upperRowVolume);
  }
  EXPECT_EQ(c.volume,
            c.workabilityFactor == 1 ? c.tableVolume : c.tableVolume * c.workabilityFactor);
  EXPECT_EQ(c.shownVolume, roundToHundredths(c.volume));
  EXPECT_EQ(roundToWhole(c.volume * in.coarseRoddedDensity), p.coarseAggregateMass);

  const FineByWeightTrace& f = t.fineByWeight;
  EXPECT_EQ(f.meanRelativeDensity, (in.coarseRelativeDensity + in.fineRelativeDensity) / 2);
  EXPECT_EQ(f.fineMass, f.unitWeight - p.cementContent - p.mixingWater - p.coarseAggregateMass);
  EXPECT_EQ(roundToWhole(f.unitWeight), p.unitWeightByWeight);
  EXPECT_EQ(roundToWhole(f.fineMass), p.fineAggregateMassByWeight);
  const FineByVolumeTrace& v = t.fineByVolume;
  EXPECT_EQ(v.unitWeight, v.fineMass + p.cementContent + p.mixingWater + p.coarseAggregateMass);
  EXPECT_EQ(roundToWhole(v.fineMass), p.fineAggregateMassByVolume);
  EXPECT_EQ(roundToWhole(v.unitWeight), p.unitWeightByVolume);
}

struct TraceCase {
  const char* name;
  double slump, size, strength, fineness;
  ConcreteType type;
  EnvironmentClass environment;
  ExposureClass exposure;
  CementType cement;
  SectionType section;
  Workability workability;
};

class TraceOfARun : public testing::TestWithParam<TraceCase> {};

TEST_P(TraceOfARun, ReproducesEveryShownValue) {
  const TraceCase& c = GetParam();
  const MixInputs in{c.slump, c.size, c.strength, c.fineness, 1650, 3.15, 2.7, 2.6, 1.5, 4, 0.6, 1};
  DesignConditions conditions;
  conditions.concreteType = c.type;
  conditions.environment = c.environment;
  conditions.exposure = c.exposure;
  conditions.cement = c.cement;
  conditions.section = c.section;
  conditions.workability = c.workability;
  checkTrace(in, conditions);
}

using C = ConcreteType;
using E = EnvironmentClass;
using X = ExposureClass;
using M = CementType;
using S = SectionType;
using W = Workability;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TraceOfARun, testing::Values(
    TraceCase{"default_between_points",  50,  25.4, 210, 2.8,  C::NonAirEntrained, E::Normal,   X::Normal,          M::Ordinary,         S::Ordinary,         W::Medium},
    TraceCase{"on_table_points",         75,  19,   250, 2.6,  C::NonAirEntrained, E::Normal,   X::Normal,          M::Ordinary,         S::Ordinary,         W::Low},
    TraceCase{"smallest_size",           25,  9.5,  150, 2.4,  C::NonAirEntrained, E::Normal,   X::Normal,          M::Ordinary,         S::Ordinary,         W::High},
    TraceCase{"largest_size",            40,  150,  400, 3.0,  C::NonAirEntrained, E::Normal,   X::Normal,          M::Ordinary,         S::ThinOrSmallCover, W::Medium},
    TraceCase{"air_mild",                100, 37.5, 300, 2.9,  C::AirEntrained,    E::Normal,   X::Normal,          M::Ordinary,         S::Ordinary,         W::Medium},
    TraceCase{"air_moderate_freeze",     60,  50,   180, 2.45, C::AirEntrained,    E::Moderate, X::WetFreezeThaw,   M::Ordinary,         S::Ordinary,         W::Low},
    TraceCase{"air_severe_thin_freeze",  150, 75,   160, 2.7,  C::AirEntrained,    E::Severe,   X::WetFreezeThaw,   M::Ordinary,         S::ThinOrSmallCover, W::High},
    TraceCase{"sulfate_limit_applies",   50,  12.5, 150, 2.5,  C::NonAirEntrained, E::Normal,   X::SeawaterSulfate, M::SulfateResisting, S::Ordinary,         W::Medium},
    TraceCase{"seawater_below_limit",    80,  100,  390, 2.55, C::NonAirEntrained, E::Normal,   X::SeawaterSulfate, M::Ordinary,         S::ThinOrSmallCover, W::Medium},
    TraceCase{"air_at_350_seawater",     30,  25,   350, 2.8,  C::AirEntrained,    E::Severe,   X::SeawaterSulfate, M::SulfateResisting, S::ThinOrSmallCover, W::Low}),
    testing_support::CaseName());
// clang-format on

// Random designs over every range of the checks and every combination of conditions; those the
// tables cannot give are refused and skipped.
TEST(TraceOfRandomRuns, ReproducesEveryShownValue) {
  std::mt19937 random(211);
  const auto uniform = [&random](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  int complete = 0;
  for (int i = 0; i < 2000; ++i) {
    const MixInputs in{uniform(0, 175),     uniform(9.5, 150), uniform(150, 400), uniform(2.4, 3),
                       uniform(1200, 2000), uniform(2.9, 3.3), uniform(2.4, 2.9), uniform(2.4, 2.9),
                       uniform(0, 6),       uniform(0, 10),    uniform(0, 3),     uniform(0, 3)};
    DesignConditions conditions;
    conditions.concreteType = ConcreteType(random() % 2);
    conditions.environment = EnvironmentClass(random() % 3);
    conditions.exposure = ExposureClass(random() % 3);
    conditions.cement = CementType(random() % 2);
    conditions.section = SectionType(random() % 2);
    conditions.workability = Workability(random() % 3);
    ConditionCodes codes;
    MixProportions p;
    if (designRun(in, conditions, codes, p).end != RunEnd::Completed) continue;
    ++complete;
    checkTrace(in, conditions);
    if (testing::Test::HasFailure()) FAIL() << "design " << i;
  }
  EXPECT_GT(complete, 1000);
}

}  // namespace
}  // namespace veldora
