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
    {&MixInputs::SL,  Valid::InRange,  0,   175, Box::Text1,  texts::kSlumpRangeMessage},
    {&MixInputs::D,   Valid::InRange,  9.5, 150, Box::Text2,  texts::kMaxSizeRangeMessage},
    {&MixInputs::FC,  Valid::InRange,  150, 400, Box::Text3,  texts::kStrengthRangeMessage},
    {&MixInputs::MN,  Valid::InRange,  2.4, 3,   Box::Text4,  texts::kFinenessRangeMessage},
    {&MixInputs::dgs, Valid::Positive, 0,   0,   Box::Text5,  texts::kRoddedDensityMessage},
    {&MixInputs::gc,  Valid::Positive, 0,   0,   Box::Text6,  texts::kCementDensityMessage},
    {&MixInputs::GS,  Valid::Positive, 0,   0,   Box::Text7,  texts::kCoarseDensityMessage},
    {&MixInputs::GG,  Valid::Positive, 0,   0,   Box::Text8,  texts::kFineDensityMessage},
    {&MixInputs::ws,  Valid::InRange,  0,   100, Box::Text9,  texts::kCoarseMoistureMessage},
    {&MixInputs::wg,  Valid::InRange,  0,   100, Box::Text10, texts::kFineMoistureMessage},
    {&MixInputs::wsd, Valid::Finite,   0,   0,   Box::Text11, texts::kCoarseAbsorptionMessage},
    {&MixInputs::wgd, Valid::Finite,   0,   0,   Box::Text12, texts::kFineAbsorptionMessage},
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

RunReport designRun(const MixInputs& in, const DesignConditions& conditions, ConditionCodes& codes,
                    MixProportions& p) {
  RunReport report;
  if (conditions.method == DesignMethod::ACI89) report.lines.push_back(texts::kHeadingAci89);

  if (auto stop = checkInputs(in)) {
    report.end = RunEnd::InputRejected;
    report.stop = std::move(stop);
    return report;
  }

  auto refuse = [&report](Stop stop) {
    report.end = RunEnd::Refused;
    report.stop = std::move(stop);
    report.lines.clear();
    return report;
  };

  p.WATER = 0;
  p.AIRP = 0;
  codes.AIR = codeAIR(conditions);
  codes.MH = codeMH(conditions);
  if (auto stop = WATERAIR(in.SL, in.D, codes.AIR, p.AIRP, p.WATER, codes.MH, report.lines)) {
    return refuse(std::move(*stop));
  }

  codes.RT = codeRT(conditions);
  codes.SEC = codeSEC(conditions);
  codes.CEM = codeCEM(conditions);
  codes.WORK = codeWORK(conditions);
  if (auto stop = WC(in.FC, codes.AIR, codes.SEC, codes.RT, codes.CEM, p.WOC, p.WATER, p.SIM,
                     report.lines)) {
    return refuse(std::move(*stop));
  }

  StepResult stop = sand(in.D, in.MN, codes.WORK, p.wsand, in.dgs, report.lines);
  if (!stop)
    stop = grw(p.WATER, p.SIM, p.wsand, p.wgravel, p.AIRP, in.GS, in.GG, p.u, in.gc, report.lines);
  if (!stop)
    stop =
        grv(p.WATER, p.SIM, p.wsand, p.vwgravel, p.AIRP, in.GS, in.GG, p.vu, in.gc, report.lines);
  if (!stop)
    stop = eslah(in.ws, in.wg, p.WATER, p.wsand, p.wgravel, in.wsd, in.wgd, p.vwgravel, p.ewsand,
                 p.ewgravel, p.ewater, p.evwgravel, report.lines);
  if (stop) return refuse(std::move(*stop));
  return report;
}

}  // namespace veldora
