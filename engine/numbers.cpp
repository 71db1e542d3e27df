#include "engine/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

namespace veldora {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The number at the start of a text: the longest prefix in a form strtod reads and nothing else
// (no "inf", "nan" or hexadecimal), "D" standing for "E" as an exponent. Nothing where a blank
// stands in the prefix or right after it, which the caller takes out first.
std::optional<double> parseCompact(std::string_view t) {
  size_t i = 0;
  const bool negative = i < t.size() && t[i] == '-';
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  // The digits as a whole number while it is exact, and where the point stands among them.
  std::uint64_t mantissa = 0;
  bool exact = true;
  int scale = 0;  // the power of ten the digits are multiplied by
  bool digits = false;
  const auto takeDigits = [&](bool fraction) {
    for (; i < t.size() && isDigit(t[i]); ++i) {
      digits = true;
      if (mantissa < (std::uint64_t{1} << 53) / 10) {
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(t[i] - '0');
        if (fraction) --scale;
      } else {
        exact = false;
      }
    }
  };
  takeDigits(false);
  const size_t point = i;
  if (i < t.size() && t[i] == '.') {
    ++i;
    takeDigits(true);
  }
  if (i < t.size() && isBlank(t[i])) return std::nullopt;
  if (!digits) return 0;
  size_t end = i;
  long exponent = 0;
  bool exponentRead = false;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
    size_t j = i + 1;
    const bool negativeExponent = j < t.size() && t[j] == '-';
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    const size_t firstDigit = j;
    for (; j < t.size() && isDigit(t[j]); ++j) {
      // Counted far enough to tell a result beyond the doubles from one within them.
      if (exponent < 1000000000) exponent = exponent * 10 + (t[j] - '0');
    }
    if (exponent >= 100000) exact = false;
    if (j < t.size() && isBlank(t[j])) return std::nullopt;
    if (j > firstDigit) {  // an exponent without digits is not read
      exponentRead = true;
      if (negativeExponent) exponent = -exponent;
      end = j;
    }
  }
  // Few enough digits and a small enough power of ten: one exact operation on two exact doubles,
  // correctly rounded, which is what strtod gives (Clinger's fast path).
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const long power = scale + exponent;
  if (exact && power >= -22 && power <= 22) {
    const auto m = static_cast<double>(mantissa);
    const double value = power < 0 ? m / kPowers[-power] : m * kPowers[power];
    return negative ? -value : value;
  }
  // Otherwise the prefix through from_chars, which rounds correctly as strtod does and never
  // looks at the process locale (a Qt application adopts the user's, whose decimal separator may
  // not be "."; a Windows one, its regional settings).
  const size_t sign = t[0] == '+' || t[0] == '-' ? 1 : 0;
  std::string number(t.substr(sign, end - sign));
  if (exponentRead) number[number.find_first_of("EeDd", point - sign)] = 'e';
  double value = 0;
  const auto [stop, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Beyond the doubles: infinite where the number is large, zero where it is small, as strtod
    // gives. The first significant digit stands at the power of ten that tells which.
    const size_t first = number.find_first_of("123456789");
    const long lead = static_cast<long>(first < point - sign ? point - sign - first : 0) -
                      static_cast<long>(first > point - sign ? first - (point - sign) : 0);
    value = lead + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

}  // namespace

double parseNumber(std::string_view text) {
  // Blanks, tabs and line feeds inside a number are not read (nor anywhere before it).
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  if (const std::optional<double> value = parseCompact(text)) return *value;
  std::string compact;
  compact.reserve(text.size());
  for (const char c : text) {
    if (!isBlank(c)) compact.push_back(c);
  }
  return *parseCompact(compact);
}

std::optional<double> readWholeNumber(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  const std::string_view t = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
  size_t i = t.size() > 0 && (t[0] == '+' || t[0] == '-') ? 1 : 0;
  size_t digits = 0;
  for (; i < t.size() && isDigit(t[i]); ++i) ++digits;
  if (i < t.size() && t[i] == '.') {
    for (++i; i < t.size() && isDigit(t[i]); ++i) ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    const size_t exponentStart = i;
    while (i < t.size() && isDigit(t[i])) ++i;
    if (i == exponentStart) return std::nullopt;
  }
  if (i != t.size()) return std::nullopt;
  const double value = parseNumber(t);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::string fixedText(double x, int decimals) {
  char buffer[400];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals).ptr;
  std::string text(buffer, end);
  // A negative number that rounds to nothing is nothing.
  if (text.starts_with('-') && text.find_first_of("123456789") == std::string::npos) {
    text.erase(0, 1);
  }
  return text;
}

std::string decimalText(double x, int decimals) {
  std::string text = fixedText(x, decimals);
  if (text.find('.') != std::string::npos) {
    while (text.ends_with('0')) text.pop_back();
    if (text.ends_with('.')) text.pop_back();
  }
  return text;
}

std::string plainText(double x) {
  std::string out = x < 0 ? "-" : " ";
  // A whole number of at most fifteen digits is its digits, as the form below writes it.
  if (std::trunc(x) == x && std::fabs(x) < 1e15) {
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(std::fabs(x))).ptr;
    return out.append(buf, end);
  }
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

std::optional<double> readDecimalNumber(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
  // from_chars takes a minus sign only.
  if (text.starts_with('+') && text.size() > 1 && text[1] != '-') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace veldora
