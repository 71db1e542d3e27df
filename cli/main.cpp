#include "cli/cliapp.h"
#include "platform/process.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  veldora::platform::prepareProcess();
  const std::vector<std::string> args = veldora::platform::programArguments(argc, argv);
  // A report needs Qt Gui and its fonts: the report's program does all of it, with the same
  // arguments, so that everything else starts without them. It stands beside this program in a
  // build folder and on Windows, in the program's library folder once installed on Debian.
  if (veldora::cli::asksForReport(args)) {
    const std::string folder = veldora::platform::programFolder();
    for (const char* name : {VELDORA_REPORT_PROGRAM, VELDORA_REPORT_PROGRAM_FROM_BINDIR}) {
      if (const auto status = veldora::platform::runInPlace(folder + name, args)) return *status;
    }
    std::cerr << "veldora-cli: the report program " VELDORA_REPORT_PROGRAM
                 " is missing or cannot run\n";
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
