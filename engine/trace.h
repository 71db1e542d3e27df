#pragma once

#include <optional>

// The intermediate values of a design run, as each step evaluates them: which piece of each ACI
// table it interpolated in, and the values it held before rounding. A checking engineer can redo
// every step by hand from them. Table pieces: piece k lies between points k and k + 1 of the
// table's sizes, strengths or fineness moduli (strictly above the first, up to and including the
// second); -1 means the value is at or below the table's first point, whose entry is used as it
// stands.
namespace veldora {

// Mixing water and air content, ACI 211.1 Table 6.3.3.
struct MixingWaterTrace {
  int slumpRow = 0;  // 0: 25 to 50 mm, 1: 75 to 100 mm, 2: 150 to 175 mm
  bool airEntrained = false;
  int exposureRow = 0;  // of the recommended air content: 0 mild, 1 moderate, 2 extreme
  int sizePiece = -1;
  double water = 0;       // kg/m^3, interpolated, before rounding
  double airContent = 0;  // %, interpolated, before rounding
};

// Water-cement ratio, Table 6.3.4(a), and the maximum for severe exposure.
struct WaterCementTrace {
  bool airEntrained = false;
  int strengthPiece = 0;
  double tableRatio = 0;        // interpolated
  std::optional<double> limit;  // the maximum that applied to the exposure, if any
  double ratio = 0;             // after the limit, before rounding
  double cementContent = 0;     // the mixing water over the rounded ratio, before rounding
};

// Dry-rodded volume of coarse aggregate, Table 6.3.6, and its mass.
struct CoarseAggregateTrace {
  int sizePiece = -1;
  int finenessPiece = -1;        // the same in both rows
  double sizeFraction = 0;       // t = (D - lower size) / (upper size - lower size), between rows
  double lowerRowVolume = 0;     // the lower (or only) row at the fineness modulus
  double upperRowVolume = 0;     // the upper row at the fineness modulus, between rows
  double tableVolume = 0;        // m^3 per m^3 of concrete, interpolated
  double workabilityFactor = 1;  // 1.1 low, 1 medium, 0.9 high
  double volume = 0;             // after the workability factor
  double shownVolume = 0;        // to hundredths, as the results list shows it
  double mass = 0;               // the volume times the dry-rodded density, before rounding
};

// Fine aggregate by the weight method: ACI 211.1's estimate of the unit weight of fresh concrete.
struct FineByWeightTrace {
  double meanRelativeDensity = 0;  // Ga, the plain mean of the two aggregates'
  double unitWeight = 0;           // U, kg/m^3, before rounding
  double fineMass = 0;             // U - cement - water - coarse aggregate, before rounding
};

// Fine aggregate by the absolute-volume method. The absolute volumes of a cubic metre, in litres:
// each material's mass over its relative density (the water's at 1), the air's share of the 1000
// litres, and what is left of them for the sand.
struct FineByVolumeTrace {
  double waterVolume = 0;
  double cementVolume = 0;
  double coarseVolume = 0;
  double airVolume = 0;
  double volumeLeftForSand = 0;
  double fineMass = 0;    // the litres left for sand times its relative density, before rounding
  double unitWeight = 0;  // the sum of the four masses, before rounding
  double fineVolume = 0;  // the absolute volume of the rounded sand mass
};

// The moisture correction: the masses to batch before rounding, and the free water each aggregate
// brings (its moisture beyond saturated-surface-dry; negative where it is drier and takes water).
struct MoistureTrace {
  double batchCoarseAggregateMass = 0;
  double batchFineAggregateMassByWeight = 0;
  double batchFineAggregateMassByVolume = 0;
  double coarseFreeWater = 0;
  double fineFreeWater = 0;  // of the weight method's sand, the one the batch water counts
  double batchWater = 0;
  // The water to add by the absolute-volume method, whose sand brings its own free water; the
  // result lines give the weight method's for both.
  double fineFreeWaterByVolume = 0;
  double batchWaterByVolume = 0;
};

struct DesignTrace {
  MixingWaterTrace water;
  WaterCementTrace ratio;
  CoarseAggregateTrace coarse;
  FineByWeightTrace fineByWeight;
  FineByVolumeTrace fineByVolume;
  MoistureTrace moisture;
};

}  // namespace veldora
