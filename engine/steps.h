#pragma once

#include "engine/mix.h"

#include <optional>

// The six calculation steps of the design run, in run order. Each reads its operands, writes its
// results into the referenced members and appends its lines to the results list; or it refuses,
// writes nothing more and appends nothing, and returns the message that ends the run.
namespace veldora {

using StepResult = std::optional<Stop>;

// Mixing water and air content, ACI 211.1 Table 6.3.3. Refuses slump above 100 mm with a maximum
// size above 75 mm (the table's empty cell).
StepResult WATERAIR(double SL, double D, double AIR, double& AIRP, double& WATER, double MH,
                    ResultsList& list);

// Water-cement ratio (Table 6.3.4(a), then the exposure limits) and cement content. Refuses
// air-entrained concrete above 350 kg/cm^2 and non-air-entrained concrete under freezing and
// thawing; the latter leaves the unrounded ratio in WOC.
StepResult WC(double FC, double AIR, double SEC, double RT, double CEM, double& WOC, double WATER,
              double& SIM, ResultsList& list);

// Coarse aggregate (Table 6.3.6); despite the name, wsand is the coarse aggregate.
StepResult sand(double D, double MN, double WORK, double& wsand, double dgs, ResultsList& list);

// Fine aggregate and unit weight by the weight method; wgravel is the fine aggregate.
StepResult grw(double WATER, double SIM, double wsand, double& wgravel, double AIRP, double GS,
               double GG, double& u, double gc, ResultsList& list);

// Fine aggregate and unit weight by the absolute-volume method.
StepResult grv(double WATER, double SIM, double wsand, double& vwgravel, double AIRP, double GS,
               double GG, double& vu, double gc, ResultsList& list);

// Batch weights corrected for the moisture the aggregates carry beyond saturated-surface-dry.
StepResult eslah(double ws, double wg, double WATER, double wsand, double wgravel, double wsd,
                 double wgd, double vwgravel, double& ewsand, double& ewgravel, double& ewater,
                 double& evwgravel, ResultsList& list);

}  // namespace veldora
