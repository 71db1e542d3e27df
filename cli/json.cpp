#include "cli/json.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace veldora::json {

std::string string(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

namespace {

__extension__ typedef unsigned __int128 Wide;

// value (finite, not whole, 10^-4 <= |value| < 10^15) to 17 significant digits, as the general
// form writes it: the exact binary value times a power of ten, rounded to a whole number of 17
// digits (halves to even), in 128-bit arithmetic; nullptr where that is not so.
char* writeSeventeenDigits(char* out, double value) {
  static constexpr auto kPowers = [] {
    std::array<Wide, 22> powers{};
    powers[0] = 1;
    for (size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
    return powers;
  }();
  // |value| = mantissa / 2^shift, from its bits (a normal number here).
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int binaryExponent = biasedExponent - 1022;  // as frexp gives it
  const int shift = 53 - binaryExponent;
  if (shift <= 0 || shift > 72) return nullptr;
  // 2^(binaryExponent - 1) <= |value|: its power of ten, or one less.
  int decimalExponent = ((binaryExponent - 1) * 78913) >> 18;
  std::uint64_t digits = 0;
  for (int attempt = 0; attempt < 3 && digits == 0; ++attempt) {
    const int power = 16 - decimalExponent;
    if (power < 0 || power >= static_cast<int>(kPowers.size())) return nullptr;
    const Wide scaled = mantissa * kPowers[static_cast<size_t>(power)];
    Wide quotient = scaled >> shift;
    const Wide remainder = scaled - (quotient << shift);
    const Wide half = Wide{1} << (shift - 1);
    if (remainder > half || (remainder == half && (quotient & 1) != 0)) ++quotient;
    if (quotient >= kPowers[17]) {
      ++decimalExponent;
    } else if (quotient < kPowers[16]) {
      --decimalExponent;
    } else {
      digits = static_cast<std::uint64_t>(quotient);
    }
  }
  if (digits == 0 || decimalExponent < -4 || decimalExponent > 14) return nullptr;
  char text[18];
  for (int i = 16; i > 0; i -= 2, digits /= 100) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    std::memcpy(text + i - 1, kPairs + 2 * (digits % 100), 2);
  }
  text[0] = static_cast<char>('0' + digits);
  int length = 17;
  while (text[length - 1] == '0') --length;
  if (value < 0) *out++ = '-';
  if (decimalExponent < 0) {
    *out++ = '0';
    *out++ = '.';
    for (int i = -1; i > decimalExponent; --i) *out++ = '0';
    std::memcpy(out, text, static_cast<size_t>(length));
    return out + length;
  }
  const int whole = decimalExponent + 1;
  std::memcpy(out, text, static_cast<size_t>(whole));
  out += whole;
  if (length > whole) {
    *out++ = '.';
    std::memcpy(out, text + whole, static_cast<size_t>(length - whole));
    out += length - whole;
  }
  return out;
}

}  // namespace

char* writeNumber(char* buffer, double value) {
  const double magnitude = std::abs(value);
  // A whole number below 10^15 is its digits, as the general form to 17 digits writes it.
  if (magnitude < 1e15) {
    const auto whole = static_cast<long long>(value);
    if (static_cast<double>(whole) == value && !(value == 0 && std::signbit(value))) {
      return std::to_chars(buffer, buffer + 32, whole).ptr;
    }
  }
  if (magnitude >= 1e-4 && magnitude < 1e15) {
    if (char* end = writeSeventeenDigits(buffer, value)) return end;
  }
  return std::to_chars(buffer, buffer + 32, value, std::chars_format::general, 17).ptr;
}

std::string number(double value) {
  if (!std::isfinite(value)) return std::string(null);
  char buf[32];
  return std::string(buf, writeNumber(buf, value));
}

std::string boolean(bool value) { return value ? "true" : "false"; }

std::string array(const std::vector<std::string>& items) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
  return out + "]";
}

std::string stringArray(const std::vector<std::string>& texts) {
  std::vector<std::string> items;
  items.reserve(texts.size());
  for (const std::string& t : texts) items.push_back(string(t));
  return array(items);
}

std::string object(std::initializer_list<std::pair<std::string_view, std::string>> members) {
  std::string out = "{";
  bool first = true;
  for (const auto& [key, value] : members) {
    if (!first) out += ",";
    first = false;
    out += string(key) + ":" + value;
  }
  return out + "}";
}

}  // namespace veldora::json
