// veldora-report: veldora-cli with the design report, which veldora-cli runs in its place when a
// report is asked for, so that the plain command line never loads Qt Gui.
#include "cli/reportwriter.h"
#include "platform/process.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  veldora::platform::prepareProcess();
  const std::vector<std::string> args = veldora::platform::programArguments(argc, argv);
  const int status = veldora::cli::run(args, std::cout, std::cerr, veldora::cli::writePdfReport);
  if (!std::cout.flush() && status == 0) {
    std::cerr << "veldora-cli: the output could not be written\n";
    return 1;
  }
  return status;
}
