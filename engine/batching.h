#pragma once

#include "engine/adjustment.h"

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

// What the plant and the site weigh out.
struct BatchingSheet {
  double fineRatio = 0;  // the mass ratio 1 : fine : coarse of the masses before the correction
  double coarseRatio = 0;
  double waterPerBag = 0;       // litres: the water-cement ratio times the bag, to 0.1
  double waterToAddPerBag = 0;  // litres of water to add per bag on site, to 0.1
  BatchMasses batch;            // one batch: grams (to 0.001 kg) up to 0.1 m^3, else to 0.1 kg
  BatchMasses pour;             // the pour, to 0.1 kg
  double pourCement = 0;        // the pour's cement, to 0.1 kg
  double bagsPerBatch = 0;      // the cement of one batch in bags, to 0.01
  double bags = 0;              // cement bags to order: rounded up from pourCement
};

// The quantities of mix for a batch and a pour of the volumes given (m^3), with bags of bagMass
// (kg). Quantities are rounded as by hand, halves up.
BatchingSheet batchingSheet(const SheetMix& mix, double batchVolume, double pourVolume,
                            double bagMass);

// Whether a batch of this volume (m^3) is weighed in grams, as a laboratory trial batch is.
bool weighedInGrams(double batchVolume);

}  // namespace veldora
