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

bool validUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80   ? 1
                       : lead < 0xC2 ? 0
                       : lead < 0xE0 ? 2
                       : lead < 0xF0 ? 3
                       : lead < 0xF5 ? 4
                                     : 0;
    if (length == 0 || i + static_cast<size_t>(length) > text.size()) return false;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kShortest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
      return false;
    }
    i += static_cast<size_t>(length);
  }
  return true;
}

}  // namespace veldora
