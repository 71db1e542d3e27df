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
      std::error_code error;
      const std::filesystem::path absolute = std::filesystem::absolute(argument, error);
      request.file = error ? argument : absolute.lexically_normal().string();
    }
    if (request.usageError) return StartupRequest{{}, request.usageError, false};
  }
  return request;
}

}  // namespace veldora
