#include "engine/batching.h"

#include "engine/numbers.h"

#include <cmath>

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

BatchingSheet batchingSheet(const SheetMix& mix, double batchVolume, double pourVolume,
                            double bagMass) {
  BatchingSheet sheet;
  sheet.fineRatio = mix.dry.fineAggregate / mix.dry.cement;
  sheet.coarseRatio = mix.dry.coarseAggregate / mix.dry.cement;
  sheet.waterPerBag = roundHalfUp(mix.waterCementRatio * bagMass, 1);
  sheet.waterToAddPerBag = roundHalfUp(mix.waterToAdd / mix.batched.cement * bagMass, 1);
  sheet.batch = times(mix.batched, batchVolume, weighedInGrams(batchVolume) ? 3 : 1);
  sheet.pour = times(mix.batched, pourVolume, 1);
  const double pourCement = mix.batched.cement * pourVolume;
  sheet.pourCement = roundHalfUp(pourCement, 1);
  // A bag's worth that the arithmetic leaves a hair over a whole number of bags is not one more.
  sheet.bags = std::ceil(pourCement / bagMass - 1e-9);
  sheet.bagsPerBatch = roundHalfUp(mix.batched.cement * batchVolume / bagMass, 2);
  return sheet;
}

}  // namespace veldora
