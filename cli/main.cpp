#include "cli/cliapp.h"

#include <climits>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// The program that writes reports: beside this one in a build folder, in the program's own
// library folder once installed.
std::string reportProgram() {
  char self[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return {};
  std::string folder(self, static_cast<size_t>(length));
  folder.resize(folder.rfind('/') + 1);
  for (const char* candidate : {"veldora-report", VELDORA_REPORT_PROGRAM_FROM_BINDIR}) {
    const std::string path = folder + candidate;
    if (::access(path.c_str(), X_OK) == 0) return path;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  // Past a file-size limit a write must fail and be reported, not kill the program.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> args(argv + 1, argv + argc);
  // A report needs Qt Gui and its fonts: the report's program does all of it, with the same
  // arguments, so that everything else starts without them.
  if (veldora::cli::asksForReport(args)) {
    const std::string program = reportProgram();
    if (!program.empty()) {
      argv[0] = const_cast<char*>(program.c_str());
      ::execv(program.c_str(), argv);
    }
    std::cerr << "veldora-cli: the report program veldora-report is missing or cannot run"
              << (program.empty() ? "" : " (" + program + ")") << "\n";
    return 1;
  }
  const int status = veldora::cli::run(args, std::cout, std::cerr);
  // Output that could not be written (a full disk, a file-size limit) is no success.
  if (!std::cout.flush() && status == 0) {
    std::cerr << "veldora-cli: the output could not be written\n";
    return 1;
  }
  return status;
}
