#pragma once

#include <string>
#include <vector>

namespace veldora::testing_support {

// The lines of a file's bytes, each ended by CR LF (the last one may lack it).
inline std::vector<std::string> splitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = bytes.find("\r\n", start);
    lines.push_back(bytes.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) break;  // a last line without its end
    start = end + 2;
  }
  return lines;
}

// The bytes of lines, each followed by end.
inline std::string joinLines(const std::vector<std::string>& lines,
                             const std::string& end = "\r\n") {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + end;
  return bytes;
}

}  // namespace veldora::testing_support
