#pragma once

#include "engine/conditions.h"
#include "engine/mix.h"
#include "engine/resultline.h"
#include "engine/trace.h"

#include <optional>

namespace veldora {

enum class RunEnd {
  Completed,      // every step ran; the list shows all lines
  InputRejected,  // an input check failed; the list is hidden and keeps the heading
  Refused,        // a step refused; the list is emptied and hidden
};

struct RunReport {
  RunEnd end = RunEnd::Completed;
  ResultsList lines;  // the results list as the run leaves it
  std::optional<Stop> stop;
  DesignTrace trace;  // as far as the run came
};

// The input checks of a run in their order; the first failure, if any. A value that is not
// finite fails its own check; wsd and wgd are checked for that alone.
std::optional<Stop> checkInputs(const MixInputs& in);

// The design run after the inputs have been read: heading, checks, condition codes and the six
// steps. Codes and proportions are written exactly as far as the run comes, so a stopped run
// leaves the previous run's values in the members it did not reach.
RunReport designRun(const MixInputs& in, const DesignConditions& conditions, ConditionCodes& codes,
                    MixProportions& p);
// The same into a report that is reused run after run, its list keeping its storage.
void designRun(const MixInputs& in, const DesignConditions& conditions, ConditionCodes& codes,
               MixProportions& p, RunReport& report);

// The most lines a run gives.
inline constexpr size_t kMostResultLines = 15;

}  // namespace veldora
