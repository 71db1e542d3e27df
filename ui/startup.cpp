#include "ui/startup.h"

#include <filesystem>

namespace veldora {

StartupRequest readStartupArguments(const std::vector<std::string>& arguments) {
  StartupRequest request;
  bool optionsEnded = false;  // after "--" every argument is a file name
  for (const std::string& argument : arguments) {
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
      request.help = true;
    } else if (!optionsEnded && argument.starts_with("-")) {
      request.usageError = "veldora: unknown option '" + argument + "'; " + kStartupUsage;
    } else if (request.file) {
      request.usageError = std::string("veldora: one mix file at a time; ") + kStartupUsage;
    } else {
      // UTF-8 both ways, whatever the system's own encoding of names.
      std::error_code error;
      const std::filesystem::path absolute =
          std::filesystem::absolute(std::u8string(argument.begin(), argument.end()), error);
      const std::u8string normal = absolute.lexically_normal().u8string();
      request.file = error ? argument : std::string(normal.begin(), normal.end());
    }
    if (request.usageError) return StartupRequest{{}, request.usageError, false};
  }
  return request;
}

}  // namespace veldora
