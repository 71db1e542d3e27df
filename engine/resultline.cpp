#include "engine/resultline.h"

#include "engine/numbers.h"

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

}  // namespace veldora
