#include "engine/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include <locale.h>

namespace veldora {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// strtod under the "C" locale whatever the process locale is (a Qt application adopts the
// user's, whose decimal separator may not be ".").
double cLocaleStrtod(const std::string& text) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return strtod_l(text.c_str(), nullptr, cLocale);
}

}  // namespace

double parseNumber(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
  }

  // Collect the longest numeric prefix in a form strtod reads and nothing else (no "inf",
  // "nan" or hexadecimal).
  std::string number;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number.push_back(s[i++]);
  bool digits = false;
  while (i < s.size() && isDigit(s[i])) {
    number.push_back(s[i++]);
    digits = true;
  }
  if (i < s.size() && s[i] == '.') {
    number.push_back(s[i++]);
    while (i < s.size() && isDigit(s[i])) {
      number.push_back(s[i++]);
      digits = true;
    }
  }
  if (!digits) return 0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
    const size_t firstDigit = j;
    while (j < s.size() && isDigit(s[j])) exponent.push_back(s[j++]);
    if (j > firstDigit) number += exponent;  // an exponent without digits is not read
  }
  return cLocaleStrtod(number);
}

std::string plainText(double x) {
  std::string out = x < 0 ? "-" : " ";
  // Scientific with fourteen decimals is fifteen significant digits, correctly rounded; to_chars
  // does not depend on the process locale as printf does.
  char buf[64];
  const auto end =
      std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 14).ptr;
  const std::string_view sci(buf, static_cast<size_t>(end - buf));
  const size_t e = sci.find('e');
  std::string digits;
  digits.push_back(sci[0]);
  digits.append(sci.substr(2, e - 2));
  const int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  if (digits == "0") return out + "0";

  const int pointAt = exponent + 1;  // digits before the decimal point
  if (pointAt <= 0) {
    out += '.';
    out.append(static_cast<size_t>(-pointAt), '0');
    out += digits;
  } else if (static_cast<size_t>(pointAt) >= digits.size()) {
    out += digits;
    out.append(static_cast<size_t>(pointAt) - digits.size(), '0');
  } else {
    out += digits.substr(0, static_cast<size_t>(pointAt));
    out += '.';
    out += digits.substr(static_cast<size_t>(pointAt));
  }
  return out;
}

double roundToWhole(double x) { return std::nearbyint(x); }
double roundToTenths(double x) { return std::nearbyint(x * 10) / 10; }
double roundToHundredths(double x) { return std::nearbyint(x * 100) / 100; }

double roundHalfUp(double x, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::copysign(std::floor(std::fabs(x) * scale + 0.5 + 1e-5) / scale, x);
}

bool allFinite(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

}  // namespace veldora
