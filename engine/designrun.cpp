#include "engine/designrun.h"

#include "engine/steps.h"
#include "engine/texts.h"

#include <array>
#include <cmath>

namespace veldora {
namespace {

enum class Valid { InRange, Positive, Finite };

struct InputCheck {
  double MixInputs::*member;
  Valid valid;
  double low;
  double high;
  Box focus;
  const char* message;
};

// clang-format off
constexpr std::array<InputCheck, 12> kChecks = {{
    {&MixInputs::requiredSlump,  Valid::InRange,  0,   175, Box::Text1,  texts::kSlumpRangeMessage},
    {&MixInputs::maximumAggregateSize,   Valid::InRange,  9.5, 150, Box::Text2,  texts::kMaxSizeRangeMessage},
    {&MixInputs::requiredStrength,  Valid::InRange,  150, 400, Box::Text3,  texts::kStrengthRangeMessage},
    {&MixInputs::finenessModulus,  Valid::InRange,  2.4, 3,   Box::Text4,  texts::kFinenessRangeMessage},
    {&MixInputs::coarseRoddedDensity, Valid::Positive, 0,   0,   Box::Text5,  texts::kRoddedDensityMessage},
    {&MixInputs::cementRelativeDensity,  Valid::Positive, 0,   0,   Box::Text6,  texts::kCementDensityMessage},
    {&MixInputs::coarseRelativeDensity,  Valid::Positive, 0,   0,   Box::Text7,  texts::kCoarseDensityMessage},
    {&MixInputs::fineRelativeDensity,  Valid::Positive, 0,   0,   Box::Text8,  texts::kFineDensityMessage},
    {&MixInputs::coarseMoisture,  Valid::InRange,  0,   100, Box::Text9,  texts::kCoarseMoistureMessage},
    {&MixInputs::fineMoisture,  Valid::InRange,  0,   100, Box::Text10, texts::kFineMoistureMessage},
    {&MixInputs::coarseAbsorption, Valid::Finite,   0,   0,   Box::Text11, texts::kCoarseAbsorptionMessage},
    {&MixInputs::fineAbsorption, Valid::Finite,   0,   0,   Box::Text12, texts::kFineAbsorptionMessage},
}};
// clang-format on

bool passes(const InputCheck& check, double x) {
  if (!std::isfinite(x)) return false;
  switch (check.valid) {
    case Valid::InRange:
      return check.low <= x && x <= check.high;
    case Valid::Positive:
      return x > 0;
    case Valid::Finite:
      return true;
  }
  return false;
}

}  // namespace

std::optional<Stop> checkInputs(const MixInputs& in) {
  for (const InputCheck& check : kChecks) {
    if (!passes(check, in.*check.member)) {
      return Stop{texts::kErrorTitle, check.message, check.focus};
    }
  }
  return std::nullopt;
}

void designRun(const MixInputs& in, const DesignConditions& conditions, ConditionCodes& codes,
               MixProportions& p, RunReport& report) {
  report.end = RunEnd::Completed;
  report.lines.clear();
  report.stop.reset();
  report.trace = DesignTrace{};
  if (conditions.method == DesignMethod::ACI89) {
    report.lines.push_back(textLine(texts::kHeadingAci89));
  }

  if (auto stop = checkInputs(in)) {
    report.end = RunEnd::InputRejected;
    report.stop = std::move(stop);
    return;
  }

  const auto refuse = [&report](Stop stop) {
    report.end = RunEnd::Refused;
    report.stop = std::move(stop);
    report.lines.clear();
  };

  // The codes are recorded as the run reaches them: those of the first step, then the others.
  p.mixingWater = 0;
  p.airContent = 0;
  codes.concreteType = code(conditions.concreteType);
  codes.environment = code(conditions.environment);
  if (auto stop = mixingWaterAndAir(in, conditions, p, report.lines, report.trace.water)) {
    return refuse(std::move(*stop));
  }
  codes.exposure = code(conditions.exposure);
  codes.section = code(conditions.section);
  codes.cement = code(conditions.cement);
  codes.workability = code(conditions.workability);
  if (auto stop = waterCementRatioAndCement(in, conditions, p, report.lines, report.trace.ratio)) {
    return refuse(std::move(*stop));
  }

  DesignTrace& trace = report.trace;
  StepResult stop = coarseAggregate(in, conditions.workability, p, report.lines, trace.coarse);
  if (!stop) stop = fineAggregateByWeight(in, p, report.lines, trace.fineByWeight);
  if (!stop) stop = fineAggregateByVolume(in, p, report.lines, trace.fineByVolume);
  if (!stop) stop = moistureCorrection(in, p, report.lines, trace.moisture);
  if (stop) refuse(std::move(*stop));
}

RunReport designRun(const MixInputs& in, const DesignConditions& conditions, ConditionCodes& codes,
                    MixProportions& p) {
  RunReport report;
  report.lines.reserve(kMostResultLines);
  designRun(in, conditions, codes, p, report);
  return report;
}

}  // namespace veldora
