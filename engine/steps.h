#pragma once

#include "engine/mix.h"
#include "engine/trace.h"

#include <optional>

// The six calculation steps of the design run, in run order. Each reads its operands, writes its
// results into the referenced members and appends its lines to the results list; or it refuses,
// writes nothing more and appends nothing, and returns the message that ends the run. The steps
// with tables or intermediate values also record them in their trace as they evaluate them.
namespace veldora {

using StepResult = std::optional<Stop>;

// Mixing water (kg/m^3) and air content (% of volume), ACI 211.1 Table 6.3.3, by the slump (mm),
// the maximum aggregate size (mm), the concrete type code and, for air-entrained concrete, the
// environment code. Refuses slump above 100 mm with a maximum size above 75 mm (the table's empty
// cell).
StepResult mixingWaterAndAir(double slump, double maximumSize, double concreteType,
                             double& airContent, double& mixingWater, double environment,
                             ResultsList& list, MixingWaterTrace& trace);

// Water-cement ratio (Table 6.3.4(a), then the limits for severe exposure) and cement content
// (kg/m^3). Refuses air-entrained concrete above 350 kg/cm^2 and non-air-entrained concrete under
// freezing and thawing; the latter leaves the unrounded ratio in waterCementRatio.
StepResult waterCementRatioAndCement(double strength, double concreteType, double section,
                                     double exposure, double cement, double& waterCementRatio,
                                     double mixingWater, double& cementContent, ResultsList& list,
                                     WaterCementTrace& trace);

// Coarse aggregate mass (kg/m^3, oven-dry) from the dry-rodded volume of Table 6.3.6 by maximum
// size and fineness modulus, adjusted for workability, times the dry-rodded density.
StepResult coarseAggregate(double maximumSize, double finenessModulus, double workability,
                           double& coarseAggregateMass, double roddedDensity, ResultsList& list,
                           CoarseAggregateTrace& trace);

// Fine aggregate mass and concrete unit weight by the weight method (an estimated unit weight).
StepResult fineAggregateByWeight(double mixingWater, double cementContent,
                                 double coarseAggregateMass, double& fineAggregateMass,
                                 double airContent, double coarseRelativeDensity,
                                 double fineRelativeDensity, double& unitWeight,
                                 double cementRelativeDensity, ResultsList& list,
                                 FineByWeightTrace& trace);

// Fine aggregate mass and concrete unit weight by the absolute-volume method.
StepResult fineAggregateByVolume(double mixingWater, double cementContent,
                                 double coarseAggregateMass, double& fineAggregateMass,
                                 double airContent, double coarseRelativeDensity,
                                 double fineRelativeDensity, double& unitWeight,
                                 double cementRelativeDensity, ResultsList& list,
                                 FineByVolumeTrace& trace);

// Batch masses corrected for the moisture the aggregates carry beyond saturated-surface-dry: the
// aggregates are weighed wet, and the free water they bring is taken off the mixing water.
StepResult moistureCorrection(double coarseMoisture, double fineMoisture, double mixingWater,
                              double coarseAggregateMass, double fineMassByWeight,
                              double coarseAbsorption, double fineAbsorption,
                              double fineMassByVolume, double& batchCoarseMass,
                              double& batchFineMassByWeight, double& batchWater,
                              double& batchFineMassByVolume, ResultsList& list);

}  // namespace veldora
