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

BatchingSheet batchingSheet(const SheetMix& mix, double batchVolume, double pourVolume,
                            double bagMass) {
  BatchingSheet sheet;
  sheet.fineRatio = mix.dry.fineAggregate / mix.dry.cement;
  sheet.coarseRatio = mix.dry.coarseAggregate / mix.dry.cement;
  sheet.waterPerBag = roundHalfUp(mix.waterCementRatio * bagMass, 1);
  sheet.waterToAddPerBag = roundHalfUp(mix.batched.water / mix.batched.cement * bagMass, 1);
  sheet.batch = times(mix.batched, batchVolume, weighedInGrams(batchVolume) ? 3 : 1);
  sheet.pour = times(mix.batched, pourVolume, 1);
  sheet.pourCement = mix.batched.cement * pourVolume;
  // A bag's worth that the arithmetic leaves a hair over a whole number of bags is not one more.
  sheet.bags = std::ceil(sheet.pourCement / bagMass - 1e-9);
  return sheet;
}

}  // namespace veldora
