#include "engine/resultline.h"

#include "engine/numbers.h"
#include "engine/texts.h"

#include <algorithm>

namespace veldora {

std::string numberText(const ResultLine& line) {
  if (!line.value) return {};
  return plainText(line.form == NumberForm::Hundredths ? *line.value * 100 : *line.value);
}

std::string lineText(const ResultLine& line) {
  std::string text(line.label);
  text += numberText(line);
  text += line.unit;
  return text;
}

bool holdsNoMass(const ResultsList& lines) {
  return std::any_of(lines.begin(), lines.end(), [](const ResultLine& line) {
    return line.value && line.unit == texts::kKilogram && *line.value <= 0;
  });
}

}  // namespace veldora
