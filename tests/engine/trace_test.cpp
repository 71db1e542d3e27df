// The trace a run records is what a checking engineer redoes by hand: the table points of each
// lookup interpolate to the recorded value, and the recorded value rounds to the member the
// results list shows.
#include "engine/acitables.h"
#include "engine/designrun.h"
#include "engine/numbers.h"

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
  EXPECT_EQ(r.cementContent, p.mixingWater / p.waterCementRatio);
  EXPECT_EQ(roundToTenths(r.cementContent), p.cementContent);

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
  EXPECT_EQ(c.mass, c.volume * in.coarseRoddedDensity);
  EXPECT_EQ(roundToWhole(c.mass), p.coarseAggregateMass);

  const FineByWeightTrace& f = t.fineByWeight;
  EXPECT_EQ(f.meanRelativeDensity, (in.coarseRelativeDensity + in.fineRelativeDensity) / 2);
  EXPECT_EQ(f.fineMass, f.unitWeight - p.cementContent - p.mixingWater - p.coarseAggregateMass);
  EXPECT_EQ(roundToWhole(f.unitWeight), p.unitWeightByWeight);
  EXPECT_EQ(roundToWhole(f.fineMass), p.fineAggregateMassByWeight);
  const FineByVolumeTrace& v = t.fineByVolume;
  EXPECT_EQ(v.unitWeight, v.fineMass + p.cementContent + p.mixingWater + p.coarseAggregateMass);
  EXPECT_EQ(roundToWhole(v.fineMass), p.fineAggregateMassByVolume);
  EXPECT_EQ(roundToWhole(v.unitWeight), p.unitWeightByVolume);
  // The absolute volumes add up to the cubic metre, the sand's from what is left for it.
  EXPECT_NEAR(v.waterVolume + v.cementVolume + v.coarseVolume + v.airVolume + v.volumeLeftForSand,
              1000, 1e-9);
  EXPECT_NEAR(v.volumeLeftForSand * in.fineRelativeDensity, v.fineMass, 1e-9);
  EXPECT_EQ(v.fineVolume, p.fineAggregateMassByVolume / in.fineRelativeDensity);
  const MoistureTrace& m = t.moisture;
  EXPECT_EQ(m.batchWater, p.mixingWater - m.coarseFreeWater - m.fineFreeWater);
  EXPECT_EQ(roundToWhole(m.batchWater), p.batchWater);
  EXPECT_EQ(roundToWhole(m.batchCoarseAggregateMass), p.batchCoarseAggregateMass);
  EXPECT_EQ(roundToWhole(m.batchFineAggregateMassByWeight), p.batchFineAggregateMassByWeight);
  EXPECT_EQ(roundToWhole(m.batchFineAggregateMassByVolume), p.batchFineAggregateMassByVolume);
  EXPECT_NEAR(m.coarseFreeWater,
              (in.coarseMoisture - in.coarseAbsorption) / 100 * p.coarseAggregateMass, 1e-9);
}

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
