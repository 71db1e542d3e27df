#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veldora::json {

// Minimal JSON text building for the command line's output: keys in the order given.
std::string string(std::string_view text);
// Full round-trip precision (17 significant digits); null for a value that is not finite.
std::string number(double value);
// The same written at buffer (32 bytes), a whole number quickly; the end of what it wrote. The
// caller writes null for a value that is not finite.
char* writeNumber(char* buffer, double value);
std::string boolean(bool value);
inline constexpr std::string_view null = "null";
std::string array(const std::vector<std::string>& items);
std::string stringArray(const std::vector<std::string>& texts);
std::string object(std::initializer_list<std::pair<std::string_view, std::string>> members);

}  // namespace veldora::json
