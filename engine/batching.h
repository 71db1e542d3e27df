#pragma once

#include "engine/adjustment.h"
#include "engine/trace.h"

#include <optional>
#include <vector>

namespace veldora {

// The two ways ACI 211.1 finds the fine aggregate, by which a mix is batched.
enum class BatchMethod { Weight, Volume };

// The absolute volumes of a cubic metre, litres: each material's mass over its relative density
// (the water's at 1), and the air's share of the 1000 litres.
struct AbsoluteVolumes {
  double water = 0;
  double cement = 0;
  double coarseAggregate = 0;
  double fineAggregate = 0;
  double air = 0;
};

// A mix as the plant batches it, per cubic metre: before the moisture correction (the mixing
// water, the aggregates dry) and as batched (the water to add, the aggregates with their moisture).
struct SheetMix {
  BatchMasses dry;
  BatchMasses batched;
  double waterToAdd = 0;  // kg, before it is rounded to the whole kilogram of batched.water
  double waterCementRatio = 0;
  double airContent = 0;    // % of the volume
  AbsoluteVolumes volumes;  // litres: of the masses before the correction, and the air
};

// The absolute volumes of the masses of a cubic metre (the aggregates dry) with the relative
// densities of the inputs, and the air's share of the 1000 litres.
AbsoluteVolumes absoluteVolumes(const BatchMasses& dry, const MixInputs& in, double airContent);

// The mix of a batching sheet by a method: the design's (its water to add by the absolute-volume
// method counting that method's sand, rounded to the kilogram as the lines round the other), or,
// given an adjustment after the design, the adjusted one at the design's water-cement ratio.
SheetMix sheetMix(const MixInputs& in, const MixProportions& design, const MoistureTrace& moisture,
                  const AdjustmentReport* adjustment, BatchMethod method);

// The design's masses of a cubic metre as batched by one method: the water to add (the
// absolute-volume method's rounded to the kilogram as the lines round the weight method's), the
// cement, the aggregates with their moisture.
BatchMasses batchedMasses(const MixProportions& design, const MoistureTrace& moisture,
                          BatchMethod method);

// The masses of a cubic metre added up, kg: what a cubic metre of the mix weighs.
double totalMass(const BatchMasses& m);

// A mass of the pour as the sheet writes it: to 0.1 kg and, from 10 tonnes on, also to 0.01 t,
// both rounded as by hand, halves up.
struct PourMass {
  double kilograms = 0;
  std::optional<double> tonnes;
};
PourMass pourMass(double kg);

// A part's share of a whole in percent, to 0.1 % (halves to even); 0 of a whole of zero or less.
double shareInPercent(double part, double whole);

// The tolerance ASTM C94 allows on a slump given as a target, mm: up to 50 mm, 15; over 50 up to
// 100 mm, 25; over 100 mm, 40.
double slumpTolerance(double slump);
// The tolerance ASTM C94 allows on the air content of air-entrained concrete, percentage points.
inline constexpr double kAirTolerance = 1.5;

// What a quantity of a mix says that no concrete can have: a mass of zero or less, by which it
// cannot be batched, or a value outside what a concrete can be.
enum class MixWarning {
  MixingWaterNotPositive,
  WaterToAddNotPositive,
  CementNotPositive,
  CoarseNotPositive,
  FineNotPositive,
  AirBelowZero,             // air below 0 %
  AirAboveTwenty,           // above 20 %
  RatioBelowTwoTenths,      // water-cement ratio below 0.20
  RatioAboveOnePointTwo,    // above 1.20
  CementBelowHundred,       // cement below 100 kg/m^3
  CementAboveEightHundred,  // above 800 kg/m^3
  UnitMassBelow1800,        // a cubic metre below 1800 kg
  UnitMassAbove2800,        // above 2800 kg
};
struct MixWarningAt {
  MixWarning warning;
  double value;  // the quantity that gave it
  friend bool operator==(const MixWarningAt&, const MixWarningAt&) = default;
};

// The masses of zero or less of a sheet's mix, in the order of the sheet's rows.
std::vector<MixWarningAt> notBatchable(const SheetMix& mix);
// The values of a mix per cubic metre, before the moisture correction, that cannot be a concrete:
// its air, its water-cement ratio (of the masses), its cement and its mass.
std::vector<MixWarningAt> implausible(const BatchMasses& dry, double airContent);

// What the design, or the adjustment after it when given, says no concrete can have, by both ways
// of computing the sand: implausible values of either method's mix, each warning once (the weight
// method's value where both give it).
std::vector<MixWarningAt> implausibleMix(const MixInputs& in, const MixProportions& design,
                                         const MoistureTrace& moisture,
                                         const AdjustmentReport* adjustment);

// The mixer batches that make a pour: how many (the pour over the batch, rounded up), and the last
// one's volume (m^3), smaller than the others where the pour is not a whole number of batches.
struct MixerBatches {
  double count = 0;
  double lastVolume = 0;
  bool largerThanPour = false;  // one batch holds more than the whole pour
};
MixerBatches mixerBatches(double pourVolume, double batchVolume);

// What the plant and the site weigh out.
struct BatchingSheet {
  double fineRatio = 0;  // the mass ratio 1 : fine : coarse of the masses before the correction
  double coarseRatio = 0;
  double waterPerBag = 0;  // litres: the mixing water per kilogram of cement times the bag, to 0.1
  double waterToAddPerBag = 0;  // litres of water to add per bag on site, to 0.1
  BatchMasses batch;            // one batch: grams (to 0.001 kg) up to 0.1 m^3, else to 0.1 kg
  BatchMasses pour;             // the pour, to 0.1 kg
  double pourCement = 0;        // the pour's cement, to 0.1 kg
  double bagsPerBatch = 0;      // the cement of one batch in bags, to 0.01
  double bags = 0;              // cement bags to order: rounded up from pourCement
  MixerBatches batches;         // the batches of the pour
};

// The quantities of mix for a batch and a pour of the volumes given (m^3), with bags of bagMass
// (kg). Quantities are rounded as by hand, halves up.
BatchingSheet batchingSheet(const SheetMix& mix, double batchVolume, double pourVolume,
                            double bagMass);

// Whether a batch of this volume (m^3) is weighed in grams, as a laboratory trial batch is.
bool weighedInGrams(double batchVolume);

}  // namespace veldora
