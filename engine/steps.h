#pragma once

#include "engine/conditions.h"
#include "engine/mix.h"
#include "engine/resultline.h"
#include "engine/trace.h"

#include <optional>

// The six calculation steps of the design run, in run order. Each reads the run's inputs, its
// conditions and the proportions the steps before it wrote, writes its own results into the
// proportions and appends its lines to the results list; or it refuses, appends nothing, and
// returns the message that ends the run. Each records in its trace the table pieces it
// interpolated in and the values it held before rounding, as it evaluates them.
namespace veldora {

using StepResult = std::optional<Stop>;

// Mixing water (kg/m^3) and air content (% of volume), ACI 211.1 Table 6.3.3, by the slump, the
// maximum aggregate size, the concrete type and, for air-entrained concrete, the environment.
// Refuses a slump above 100 mm with a maximum size above 75 mm (the table's empty cell).
StepResult mixingWaterAndAir(const MixInputs& in, const DesignConditions& conditions,
                             MixProportions& p, ResultsList& lines, MixingWaterTrace& trace);

// Water-cement ratio (Table 6.3.4(a), then the limits for severe exposure) and cement content
// (kg/m^3). Refuses air-entrained concrete above 350 kg/cm^2 and non-air-entrained concrete under
// freezing and thawing; the latter leaves the unrounded ratio in the proportions.
StepResult waterCementRatioAndCement(const MixInputs& in, const DesignConditions& conditions,
                                     MixProportions& p, ResultsList& lines,
                                     WaterCementTrace& trace);

// Coarse aggregate mass (kg/m^3, oven-dry) from the dry-rodded volume of Table 6.3.6 by maximum
// size and fineness modulus, adjusted for workability, times the dry-rodded density.
StepResult coarseAggregate(const MixInputs& in, Workability workability, MixProportions& p,
                           ResultsList& lines, CoarseAggregateTrace& trace);

// Fine aggregate mass and concrete unit weight by the weight method (an estimated unit weight).
StepResult fineAggregateByWeight(const MixInputs& in, MixProportions& p, ResultsList& lines,
                                 FineByWeightTrace& trace);

// Fine aggregate mass and concrete unit weight by the absolute-volume method.
StepResult fineAggregateByVolume(const MixInputs& in, MixProportions& p, ResultsList& lines,
                                 FineByVolumeTrace& trace);

// Batch masses corrected for the moisture the aggregates carry beyond saturated-surface-dry: the
// aggregates are weighed wet, and the free water they bring is taken off the mixing water.
StepResult moistureCorrection(const MixInputs& in, MixProportions& p, ResultsList& lines,
                              MoistureTrace& trace);

}  // namespace veldora
