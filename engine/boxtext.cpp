#include "engine/boxtext.h"

namespace veldora {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string firstLine(std::string_view entered) {
  return std::string(entered.substr(0, entered.find_first_of("\r\n")));
}

std::string asciiDigits(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (lead == 0xDB && next >= 0xB0 && next <= 0xB9) {  // U+06F0..U+06F9
      kept += static_cast<char>('0' + (next - 0xB0));
      ++i;
    } else if (lead == 0xD9 && next >= 0xA0 && next <= 0xA9) {  // U+0660..U+0669
      kept += static_cast<char>('0' + (next - 0xA0));
      ++i;
    } else {
      kept += text[i];
    }
  }
  return kept;
}

std::string boxText(std::string_view entered) {
  const std::string line = asciiDigits(firstLine(entered));
  std::string kept;
  kept.reserve(line.size());
  for (size_t i = 0; i < line.size(); ++i) {
    const auto lead = static_cast<unsigned char>(line[i]);
    const auto next = i + 1 < line.size() ? static_cast<unsigned char>(line[i + 1]) : 0;
    if (lead == 0xD9 && next == 0xAB) {  // U+066B
      kept += '.';
      ++i;
    } else if (lead == '/' && !kept.empty() && isDigit(kept.back()) && isDigit(char(next))) {
      kept += '.';  // "3/5": the decimal mark of Persian handwriting
    } else {
      kept += line[i];
    }
  }
  return kept;
}

}  // namespace veldora
