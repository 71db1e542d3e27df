#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldora {

// How a line writes its number: in the plain number-to-text form, or as hundredths (the plain
// form of 100 times the value, a fraction such as a water-cement ratio).
enum class NumberForm { Plain, Hundredths };

// A line of a results list as a value: its label (which ends in "=" where it is followed by a
// number), the number and its form, and the unit text written after it. A heading or advice line
// is its label alone. Labels and units are the program's own texts, which live as long as it does.
struct ResultLine {
  std::string_view label;
  std::optional<double> value;
  NumberForm form = NumberForm::Plain;
  std::string_view unit;

  friend bool operator==(const ResultLine&, const ResultLine&) = default;
};

using ResultsList = std::vector<ResultLine>;

// A line of text alone: a heading or advice.
inline ResultLine textLine(std::string_view text) {
  return {text, std::nullopt, NumberForm::Plain, {}};
}

// The number of a line as it writes it: " " or "-" and the magnitude; empty without a number.
std::string numberText(const ResultLine& line);

// The line as the list shows it and the command line prints it: label, number and unit joined
// with nothing between them.
std::string lineText(const ResultLine& line);

// Whether a list gives a mass (a line in kilograms, the water to add among them) of zero or less,
// by which no concrete can be batched.
bool holdsNoMass(const ResultsList& lines);

}  // namespace veldora
