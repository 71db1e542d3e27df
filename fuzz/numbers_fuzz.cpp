// The lenient parse and what a box keeps of any text, and the number-to-text forms on any finite
// double: the forms write plain decimals that read back as the value to fifteen significant digits.
#include "engine/boxtext.h"
#include "engine/numbers.h"
#include "fuzz/check.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace veldora;

// x correctly rounded to fifteen significant digits, as a double.
double toFifteenDigits(double x) {
  char buf[64];
  const auto end = std::to_chars(buf, buf + sizeof buf - 1, x, std::chars_format::scientific, 14);
  *end.ptr = '\0';
  return std::strtod(buf, nullptr);
}

void checkPlainForm(double x) {
  const std::string text = plainText(x);
  VELDORA_FUZZ_CHECK(text.size() >= 2);
  VELDORA_FUZZ_CHECK(text[0] == (x < 0 ? '-' : ' '));
  const std::string magnitude = text.substr(1);
  const size_t point = magnitude.find('.');
  VELDORA_FUZZ_CHECK(magnitude.find_first_not_of("0123456789.") == std::string::npos);
  VELDORA_FUZZ_CHECK(point == std::string::npos ||
                     magnitude.find('.', point + 1) == std::string::npos);
  // No zero before the point or leading a whole number; no trailing zero after the point.
  VELDORA_FUZZ_CHECK(magnitude == "0" || magnitude[0] != '0');
  if (point != std::string::npos) {
    VELDORA_FUZZ_CHECK(point + 1 < magnitude.size() && magnitude.back() != '0');
  }
  const size_t significant = magnitude.find_first_not_of("0.");
  if (significant != std::string::npos) {
    std::string digits;
    for (char c : magnitude.substr(significant)) {
      if (c != '.') digits += c;
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    VELDORA_FUZZ_CHECK(digits.size() <= 15);
  }
  VELDORA_FUZZ_CHECK(parseNumber(text) == toFifteenDigits(x == 0 ? 0 : x));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double value = parseNumber(text);
  VELDORA_FUZZ_CHECK(!std::isnan(value));
  // Nothing appended can shorten the number read, and blanks anywhere are not there.
  VELDORA_FUZZ_CHECK(parseNumber(text + "x") == value);
  VELDORA_FUZZ_CHECK(parseNumber(" " + text.substr(0, size / 2) + " \t" + text.substr(size / 2)) ==
                     value);
  if (std::isfinite(value)) checkPlainForm(value);
  // A box keeps one line with ASCII digits only, and keeping it again changes nothing.
  const std::string kept = boxText(text);
  VELDORA_FUZZ_CHECK(kept.find_first_of("\r\n") == std::string::npos);
  VELDORA_FUZZ_CHECK(boxText(kept) == kept);
  for (const char* foreign : {"\xDB\xB0", "\xDB\xB9", "\xD9\xA0", "\xD9\xA9", "\xD9\xAB"}) {
    VELDORA_FUZZ_CHECK(kept.find(foreign) == std::string::npos);
  }

  if (size >= sizeof(double)) {
    double x;
    std::memcpy(&x, data, sizeof x);
    if (std::isfinite(x)) checkPlainForm(x);
  }
  return 0;
}
