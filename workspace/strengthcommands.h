#pragma once

#include "workspace/workspacepart.h"

#include <array>
#include <string>
#include <string_view>
#include <variant>

namespace veldora {

// The required-strength window (OPTION > "&REQUIRED STRENGTH..."): from the specified strength
// f'c and, where the plant has one, its record of tests, the required average strength f'cr the
// mix is designed for, which its OK writes into the strength box. The basis goes with the box's
// text: any other change of the box ends it, and a run reports the strength as entered.
class StrengthCommands : public WorkspacePart {
 public:
  using WorkspacePart::WorkspacePart;

  void openWindow();
  void setText(StrengthBox box, std::string_view text);
  // OK: f'cr, rounded up to a whole kg/cm^2, into the strength box (also above the strength check's
  // 400, where the run will stop); false with a message and the focus in the box at fault.
  bool ok();
  void cancel();
  // The command line's way: the basis written into the strength box without any window.
  void apply(const StrengthBasis& basis);

 private:
  // What the boxes give, shown as the user types.
  void readBoxes();
};

// The largest specified strength and standard deviation the window takes, kg/cm^2 (98 MPa: past
// any concrete the design's tables reach).
inline constexpr double kHighestSpecifiedStrength = 1000;

// Why the required-strength window's boxes give no basis: the message and the box it names.
struct StrengthProblem {
  const char* message;
  StrengthBox box;
};

// The basis the boxes' texts give: f'c a number above zero; the standard deviation (above zero)
// and the number of tests (a whole number from 1; fewer than 15 count as no record) both given
// or both empty.
std::variant<StrengthBasis, StrengthProblem> readStrengthBasis(
    const std::array<std::string, 3>& boxes);

}  // namespace veldora
