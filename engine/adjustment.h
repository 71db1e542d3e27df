#pragma once

#include "engine/conditions.h"
#include "engine/mix.h"

#include <optional>

namespace veldora {

// What the trial batch measured, read from the trial-batch window's boxes.
struct TrialMeasurements {
  double sl1 = 0;     // slump, mm
  double airp1 = 0;   // air content, percent
  double roc1 = 0;    // unit weight, kg/m^3
  double water1 = 0;  // water added, kg per cubic metre of the design
};

// The adjustment's members. The shown ones (sim1, ewater1, ewsand1, ewgravel1, evwgravel1,
// evwater1) hold whole numbers; water2, wsand1 and wgravel1 are not rounded. Each holds the value
// of the method part that computed it last (water2, sim1, wsand1, ewsand1: the volume part).
struct AdjustedMembers {
  double sl1 = 0;
  double airp1 = 0;
  double roc1 = 0;
  double water1 = 0;
  double water2 = 0;
  double sim1 = 0;
  double wsand1 = 0;    // coarse aggregate, dry
  double wgravel1 = 0;  // sand, dry, weight method
  double ewater1 = 0;
  double ewsand1 = 0;
  double ewgravel1 = 0;
  double evwgravel1 = 0;
  double evwater1 = 0;
};

struct AdjustmentReport {
  std::optional<Stop> refusal;  // set when nothing could be computed; the rest is then empty
  ResultsList lines;
  AdjustedMembers members;
  double AIRP = 0;  // the design air content afterwards: A' for non-air-entrained concrete
};

// Re-proportions the last design from a trial batch in the manner of ACI 211.1-89. Pure: the
// caller commits members, AIRP and the lines. Refuses (changing nothing) when a divisor is zero
// or a result would not be finite.
AdjustmentReport adjustProportions(const MixInputs& in, const MixProportions& design,
                                   ConcreteType concreteType, const TrialMeasurements& trial);

}  // namespace veldora
