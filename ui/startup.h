#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veldora {

// How the program was started, once Qt has taken the options it knows: with one mix file to
// open (as a file manager starts it), with nothing, or wrongly.
struct StartupRequest {
  std::optional<std::string> file;
  std::optional<std::string> usageError;  // one line, for standard error; the program exits 2
  bool help = false;
};

inline constexpr char kStartupUsage[] = "usage: veldora [--] [FILE.vdr]";

// arguments: without the program's name. A file name is made absolute, as a file dialog gives it
// ("." and ".." resolved, links kept).
StartupRequest readStartupArguments(const std::vector<std::string>& arguments);

}  // namespace veldora
