#include "cli/json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

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

char* writeNumber(char* buffer, double value) {
  // A whole number below 10^15 is its digits, as the general form to 17 digits writes it.
  if (value == std::trunc(value) && std::abs(value) < 1e15 &&
      !(value == 0 && std::signbit(value))) {
    return std::to_chars(buffer, buffer + 32, static_cast<long long>(value)).ptr;
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
