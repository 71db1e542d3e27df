#include "workspace/strengthcommands.h"

#include "engine/acitables.h"
#include "engine/boxtext.h"
#include "engine/numbers.h"
#include "engine/texts.h"
#include "workspace/messages.h"
#include "workspace/reportcommands.h"

#include <cmath>

namespace veldora {

std::variant<StrengthBasis, StrengthProblem> readStrengthBasis(
    const std::array<std::string, 3>& boxes) {
  const auto text = [&boxes](StrengthBox box) -> const std::string& {
    return boxes[static_cast<size_t>(box) - 1];
  };
  const std::optional<double> specified = readDecimalNumber(text(StrengthBox::Specified));
  if (!specified || *specified <= 0 || *specified > kHighestSpecifiedStrength) {
    return StrengthProblem{messages::kSpecifiedStrengthInvalid, StrengthBox::Specified};
  }
  const bool noDeviation =
      text(StrengthBox::StandardDeviation).find_first_not_of(" \t") == std::string::npos;
  const bool noTests = text(StrengthBox::Tests).find_first_not_of(" \t") == std::string::npos;
  if (noDeviation && noTests) return requiredAverageStrength(*specified, std::nullopt);
  const std::optional<double> deviation = readDecimalNumber(text(StrengthBox::StandardDeviation));
  // No plant's tests agree to the last kilogram: a deviation of 0 is a record not given.
  if (!deviation || *deviation <= 0 || *deviation > kHighestSpecifiedStrength) {
    return StrengthProblem{messages::kStandardDeviationInvalid, StrengthBox::StandardDeviation};
  }
  const std::optional<double> tests = readDecimalNumber(text(StrengthBox::Tests));
  if (!tests || *tests < 1 || *tests != std::floor(*tests) || *tests > 1e6) {
    return StrengthProblem{messages::kTestCountInvalid, StrengthBox::Tests};
  }
  return requiredAverageStrength(*specified, StrengthRecord{*deviation, static_cast<int>(*tests)});
}

void StrengthCommands::openWindow() {
  const Command command(*this);
  if (!mState.holds(Window::Main)) return;
  // What Cancel puts back.
  mState.strengthWindow.opened = mState.strengthWindow.boxes;
  hold(Window::RequiredStrength);
  requestFocus(Window::RequiredStrength, static_cast<int>(StrengthBox::Specified));
}

void StrengthCommands::setText(StrengthBox box, std::string_view text) {
  const Command command(*this);
  if (!mState.holds(Window::RequiredStrength)) return;
  StrengthWindowState& window = mState.strengthWindow;
  window.boxes[static_cast<size_t>(box) - 1] = boxText(text);
  readBoxes();
}

void StrengthCommands::readBoxes() {
  StrengthWindowState& window = mState.strengthWindow;
  const auto read = readStrengthBasis(window.boxes);
  window.basis = std::holds_alternative<StrengthBasis>(read)
                     ? std::optional(std::get<StrengthBasis>(read))
                     : std::nullopt;
  const std::optional<double> specified = readDecimalNumber(window.boxes[0]);
  window.specified = specified && *specified > 0 && *specified <= kHighestSpecifiedStrength
                         ? specified
                         : std::nullopt;
  window.outsideDesignRange = window.basis && (window.basis->required < aci::kStrengths.front() ||
                                               window.basis->required > aci::kStrengths.back());
}

bool StrengthCommands::ok() {
  const Command command(*this);
  if (!mState.holds(Window::RequiredStrength)) return false;
  const auto read = readStrengthBasis(mState.strengthWindow.boxes);
  if (const auto* problem = std::get_if<StrengthProblem>(&read)) {
    showMessage(texts::kErrorTitle, problem->message);
    requestFocus(Window::RequiredStrength, static_cast<int>(problem->box));
    return false;
  }
  apply(std::get<StrengthBasis>(read));
  hold(Window::Main);
  return true;
}

void StrengthCommands::cancel() {
  const Command command(*this);
  if (!mState.holds(Window::RequiredStrength)) return;
  StrengthWindowState& window = mState.strengthWindow;
  for (size_t i = 0; i < window.boxes.size(); ++i) {
    window.boxes[i] = window.opened[i];
  }
  readBoxes();
  hold(Window::Main);
}

void StrengthCommands::apply(const StrengthBasis& basis) {
  const Command command(*this);
  // A whole number, written as a person writes it.
  mState.mainWindow.boxes[static_cast<size_t>(Box::Text3) - 1] =
      plainText(basis.required).substr(1);
  mState.strengthBasis = basis;
}

}  // namespace veldora
