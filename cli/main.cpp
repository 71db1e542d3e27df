#include "cli/cliapp.h"

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  // Past a file-size limit a write must fail and be reported, not kill the program.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return veldora::cli::run(args, std::cout, std::cerr);
}
