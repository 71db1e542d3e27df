#include "platform/process.h"

#include <climits>
#include <csignal>

#include <unistd.h>

namespace veldora::platform {

void prepareProcess() { std::signal(SIGXFSZ, SIG_IGN); }

std::vector<std::string> programArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string programFolder() {
  char self[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return {};
  std::string folder(self, static_cast<size_t>(length));
  folder.resize(folder.rfind('/') + 1);
  return folder;
}

std::optional<int> runInPlace(const std::string& path, const std::vector<std::string>& arguments) {
  std::vector<char*> argv = {const_cast<char*>(path.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  ::execv(path.c_str(), argv.data());
  return std::nullopt;
}

}  // namespace veldora::platform
