#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veldora {

// The twelve numbers of a design, read from the main window's boxes Text1..Text12 at the start of
// every run. ws and wsd belong to the coarse aggregate, wg and wgd to the fine aggregate.
struct MixInputs {
  double SL = 0;   // required slump, mm
  double D = 0;    // maximum aggregate size, mm
  double FC = 0;   // 28-day cylinder strength, kg/cm^2
  double MN = 0;   // fineness modulus of the sand
  double dgs = 0;  // dry-rodded bulk density of the coarse aggregate, kg/m^3
  double gc = 0;   // relative density of the cement
  double GS = 0;   // relative density of the coarse aggregate
  double GG = 0;   // relative density of the fine aggregate
  double ws = 0;   // total moisture of the coarse aggregate, %
  double wg = 0;   // total moisture of the fine aggregate, %
  double wsd = 0;  // saturated-surface-dry moisture of the coarse aggregate, %
  double wgd = 0;  // saturated-surface-dry moisture of the fine aggregate, %
};

// The condition codes a run hands to the steps: 1 + the index of the selected option.
struct ConditionCodes {
  double AIR = 0;   // concrete type
  double MH = 0;    // environment
  double RT = 0;    // exposure
  double CEM = 0;   // cement type
  double SEC = 0;   // section type
  double WORK = 0;  // workability
};

// What a run computes per cubic metre. The names are the program's own and are misleading on
// purpose of history: wsand and its relatives hold the COARSE aggregate, wgravel and its
// relatives the FINE aggregate (sand).
struct MixProportions {
  double WATER = 0;
  double AIRP = 0;
  double WOC = 0;
  double SIM = 0;
  double wsand = 0;
  double wgravel = 0;
  double u = 0;
  double vwgravel = 0;
  double vu = 0;
  double ewater = 0;
  double ewsand = 0;
  double ewgravel = 0;
  double evwgravel = 0;
};

using ResultsList = std::vector<std::string>;

// The main window's input boxes, numbered as the controls are.
enum class Box {
  Text1 = 1,
  Text2,
  Text3,
  Text4,
  Text5,
  Text6,
  Text7,
  Text8,
  Text9,
  Text10,
  Text11,
  Text12
};

inline constexpr int kBoxCount = 12;

// A message that ends a run or refuses a command: always an error box with an OK button.
struct Stop {
  std::string title;
  std::string message;
  std::optional<Box> focus;  // the box that receives the keyboard focus, if any
};

}  // namespace veldora
