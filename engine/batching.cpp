#include "engine/batching.h"

#include "engine/numbers.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace veldora {
namespace {

BatchMasses times(const BatchMasses& m, double volume, int decimals) {
  return {roundHalfUp(m.water * volume, decimals), roundHalfUp(m.cement * volume, decimals),
          roundHalfUp(m.coarseAggregate * volume, decimals),
          roundHalfUp(m.fineAggregate * volume, decimals)};
}

}  // namespace

bool weighedInGrams(double batchVolume) { return batchVolume <= 0.1; }

AbsoluteVolumes absoluteVolumes(const BatchMasses& dry, const MixInputs& in, double airContent) {
  return {dry.water, dry.cement / in.cementRelativeDensity,
          dry.coarseAggregate / in.coarseRelativeDensity,
          dry.fineAggregate / in.fineRelativeDensity, 10 * airContent};
}

SheetMix sheetMix(const MixInputs& in, const MixProportions& p, const MoistureTrace& m,
                  const AdjustmentReport* adjustment, BatchMethod method) {
  const bool byWeight = method == BatchMethod::Weight;
  SheetMix mix;
  mix.waterCementRatio = p.waterCementRatio;
  if (adjustment) {
    mix.dry = byWeight ? adjustment->dryByWeight : adjustment->dryByVolume;
    mix.batched = byWeight ? adjustment->byWeight : adjustment->byVolume;
    mix.waterToAdd = byWeight ? adjustment->waterToAddByWeight : adjustment->waterToAddByVolume;
    // Cement carries no moisture: before the correction it is what is weighed, as the lines give.
    mix.dry.cement = mix.batched.cement;
    mix.airContent = adjustment->airContent;
  } else {
    mix.dry = {p.mixingWater, p.cementContent, p.coarseAggregateMass,
               byWeight ? p.fineAggregateMassByWeight : p.fineAggregateMassByVolume};
    mix.waterToAdd = byWeight ? m.batchWater : m.batchWaterByVolume;
    mix.batched = batchedMasses(p, m, method);
    mix.airContent = p.airContent;
  }
  mix.volumes = absoluteVolumes(mix.dry, in, mix.airContent);
  return mix;
}

BatchMasses batchedMasses(const MixProportions& p, const MoistureTrace& m, BatchMethod method) {
  const bool byWeight = method == BatchMethod::Weight;
  return {byWeight ? p.batchWater : roundToWhole(m.batchWaterByVolume), p.cementContent,
          p.batchCoarseAggregateMass,
          byWeight ? p.batchFineAggregateMassByWeight : p.batchFineAggregateMassByVolume};
}

PourMass pourMass(double kg) {
  PourMass mass{roundHalfUp(kg, 1), std::nullopt};
  if (std::abs(kg) >= 10000) mass.tonnes = roundHalfUp(kg / 1000, 2);
  return mass;
}

double shareInPercent(double part, double whole) {
  return whole > 0 ? std::nearbyint(part / whole * 1000) / 10 : 0;
}

double totalMass(const BatchMasses& m) {
  return m.water + m.cement + m.coarseAggregate + m.fineAggregate;
}

double slumpTolerance(double slump) { return slump <= 50 ? 15 : slump <= 100 ? 25 : 40; }

std::vector<MixWarningAt> notBatchable(const SheetMix& mix) {
  std::vector<MixWarningAt> warnings;
  for (const auto& [quantity, warning] :
       {std::pair{mix.dry.water, MixWarning::MixingWaterNotPositive},
        {mix.batched.water, MixWarning::WaterToAddNotPositive},
        {mix.dry.cement, MixWarning::CementNotPositive},
        {mix.batched.coarseAggregate, MixWarning::CoarseNotPositive},
        {mix.batched.fineAggregate, MixWarning::FineNotPositive}}) {
    if (quantity <= 0) warnings.push_back({warning, quantity});
  }
  return warnings;
}

std::vector<MixWarningAt> implausible(const BatchMasses& dry, double airContent) {
  std::vector<MixWarningAt> warnings;
  const auto outside = [&warnings](double value, double low, double high, MixWarning below,
                                   MixWarning above) {
    if (value < low) warnings.push_back({below, value});
    if (value > high) warnings.push_back({above, value});
  };
  outside(airContent, 0, 20, MixWarning::AirBelowZero, MixWarning::AirAboveTwenty);
  // Without cement there is no ratio; the cement's own warning says so.
  if (dry.cement > 0) {
    outside(dry.water / dry.cement, 0.20, 1.20, MixWarning::RatioBelowTwoTenths,
            MixWarning::RatioAboveOnePointTwo);
  }
  outside(dry.cement, 100, 800, MixWarning::CementBelowHundred,
          MixWarning::CementAboveEightHundred);
  outside(totalMass(dry), 1800, 2800, MixWarning::UnitMassBelow1800, MixWarning::UnitMassAbove2800);
  return warnings;
}

std::vector<MixWarningAt> implausibleMix(const MixInputs& in, const MixProportions& design,
                                         const MoistureTrace& moisture,
                                         const AdjustmentReport* adjustment) {
  std::vector<MixWarningAt> warnings;
  for (const BatchMethod method : {BatchMethod::Weight, BatchMethod::Volume}) {
    const SheetMix mix = sheetMix(in, design, moisture, adjustment, method);
    for (const MixWarningAt& w : implausible(mix.dry, mix.airContent)) {
      const auto same = [&w](const MixWarningAt& o) { return o.warning == w.warning; };
      if (std::none_of(warnings.begin(), warnings.end(), same)) warnings.push_back(w);
    }
  }
  return warnings;
}

MixerBatches mixerBatches(double pourVolume, double batchVolume) {
  MixerBatches batches;
  // A quotient a hair over a whole number of batches (0.3 / 0.1) is that number.
  batches.count = std::max(1.0, std::ceil(pourVolume / batchVolume - 1e-9));
  // To the cubic centimetre: what the subtraction leaves past that is the binary fractions' noise.
  batches.lastVolume = std::round((pourVolume - (batches.count - 1) * batchVolume) * 1e6) / 1e6;
  if (std::abs(batches.lastVolume - batchVolume) < 1e-9) batches.lastVolume = batchVolume;
  batches.largerThanPour = batchVolume > pourVolume;
  return batches;
}

BatchingSheet batchingSheet(const SheetMix& mix, double batchVolume, double pourVolume,
                            double bagMass) {
  BatchingSheet sheet;
  sheet.fineRatio = mix.dry.fineAggregate / mix.dry.cement;
  sheet.coarseRatio = mix.dry.coarseAggregate / mix.dry.cement;
  // Per kilogram of the cement weighed, as the water to add is: with dry aggregates the two agree.
  sheet.waterPerBag = roundHalfUp(mix.dry.water / mix.batched.cement * bagMass, 1);
  sheet.waterToAddPerBag = roundHalfUp(mix.waterToAdd / mix.batched.cement * bagMass, 1);
  sheet.batch = times(mix.batched, batchVolume, weighedInGrams(batchVolume) ? 3 : 1);
  sheet.pour = times(mix.batched, pourVolume, 1);
  const double pourCement = mix.batched.cement * pourVolume;
  sheet.pourCement = roundHalfUp(pourCement, 1);
  // A bag's worth that the arithmetic leaves a hair over a whole number of bags is not one more.
  sheet.bags = std::ceil(pourCement / bagMass - 1e-9);
  sheet.bagsPerBatch = roundHalfUp(mix.batched.cement * batchVolume / bagMass, 2);
  sheet.batches = mixerBatches(pourVolume, batchVolume);
  return sheet;
}

}  // namespace veldora
