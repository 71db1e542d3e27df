#include "engine/boxtext.h"

namespace veldora {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the text from at starts with a digit, ASCII, Persian or Arabic-Indic.
bool followedByDigit(std::string_view text, size_t at) {
  if (at >= text.size()) return false;
  if (isDigit(text[at])) return true;
  if (at + 1 >= text.size()) return false;
  const auto lead = static_cast<unsigned char>(text[at]);
  const auto next = static_cast<unsigned char>(text[at + 1]);
  return (lead == 0xDB && next >= 0xB0 && next <= 0xB9) ||
         (lead == 0xD9 && next >= 0xA0 && next <= 0xA9);
}

}  // namespace

std::string firstLine(std::string_view entered) {
  return std::string(entered.substr(0, entered.find_first_of("\r\n")));
}

std::string boxText(std::string_view entered) {
  const std::string line = firstLine(entered);
  std::string kept;
  kept.reserve(line.size());
  for (size_t i = 0; i < line.size(); ++i) {
    const auto lead = static_cast<unsigned char>(line[i]);
    const auto next = i + 1 < line.size() ? static_cast<unsigned char>(line[i + 1]) : 0;
    if (lead == 0xDB && next >= 0xB0 && next <= 0xB9) {  // U+06F0..U+06F9
      kept += static_cast<char>('0' + (next - 0xB0));
      ++i;
    } else if (lead == 0xD9 && next >= 0xA0 && next <= 0xA9) {  // U+0660..U+0669
      kept += static_cast<char>('0' + (next - 0xA0));
      ++i;
    } else if (lead == 0xD9 && next == 0xAB) {  // U+066B
      kept += '.';
      ++i;
    } else if (lead == '/' && !kept.empty() && isDigit(kept.back()) &&
               followedByDigit(line, i + 1)) {
      kept += '.';  // "3/5": the decimal mark of Persian handwriting
    } else {
      kept += line[i];
    }
  }
  return kept;
}

}  // namespace veldora
