#pragma once

#include "engine/conditions.h"
#include "engine/mix.h"
#include "engine/resultline.h"

#include <optional>

namespace veldora {

// What the trial batch measured, read from the trial-batch window's boxes.
struct TrialMeasurements {
  double slump = 0;       // mm
  double airContent = 0;  // % of volume
  double unitWeight = 0;  // kg/m^3
  double water = 0;       // water added, kg per cubic metre of the design
};

// The re-proportioned mix, per cubic metre. The shown masses are whole numbers; mixingWater,
// coarseAggregateMass and fineAggregateMassByWeight are not rounded. Where both methods compute a
// quantity, it holds the value of the part that computed it last (mixingWater, cementContent,
// coarseAggregateMass, batchCoarseAggregateMass: the absolute-volume part).
struct AdjustedProportions {
  TrialMeasurements measured;
  double mixingWater = 0;                     // kg, saturated-surface-dry basis
  double cementContent = 0;                   // kg, shown
  double coarseAggregateMass = 0;             // kg, dry
  double fineAggregateMassByWeight = 0;       // kg, dry, weight method
  double batchWaterByWeight = 0;              // kg, shown
  double batchCoarseAggregateMass = 0;        // kg, wet, shown
  double batchFineAggregateMassByWeight = 0;  // kg, wet, shown
  double batchFineAggregateMassByVolume = 0;  // kg, wet, shown
  double batchWaterByVolume = 0;              // kg, shown
};

// The masses of a cubic metre by one method: the water and the aggregates before the moisture
// correction (the aggregates dry), or as batched (the water to add, the aggregates with their
// moisture).
struct BatchMasses {
  double water = 0;
  double cement = 0;
  double coarseAggregate = 0;
  double fineAggregate = 0;
};

struct AdjustmentReport {
  std::optional<Stop> refusal;  // set when nothing could be computed; the rest is then empty
  ResultsList lines;
  AdjustedProportions adjusted;
  BatchMasses byWeight, byVolume;        // as batched: the lines' numbers, whole kilograms
  BatchMasses dryByWeight, dryByVolume;  // before the moisture correction, before rounding
  double waterToAddByWeight = 0, waterToAddByVolume = 0;  // kg, before the lines round them
  double airContent = 0;  // the design's air content afterwards: A' for non-air-entrained concrete
};

// Re-proportions the last design from a trial batch in the manner of ACI 211.1-89. Pure: the
// caller commits the proportions, the air content and the lines. Refuses (changing nothing) when
// a divisor is zero or a result would not be finite.
AdjustmentReport adjustProportions(const MixInputs& in, const MixProportions& design,
                                   ConcreteType concreteType, const TrialMeasurements& trial);

}  // namespace veldora
