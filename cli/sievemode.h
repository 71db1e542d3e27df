#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// veldora-cli --sieve-fine SAND.csv and/or --sieve-coarse GRAVEL.csv [--coarse-size N]: the sieve
// analyses of the files, their fineness modulus, sizes and grading checked against ASTM C33. No
// design is run.
namespace veldora::cli {

struct SieveRequest {
  std::optional<std::string> fine, coarse;  // the files
  std::optional<std::string> coarseSize;    // as given; the suggested size number without it
  bool json = false;
};

// Why the options given (names, in order) cannot go with the sieve options, or nothing where they
// can or none of them is given. A mix file named among the arguments is refused too.
std::optional<std::string> sieveOptionsRefusal(const std::vector<std::string>& given,
                                               bool mixFileGiven);

// Reads both files whole before printing anything. Returns the exit status: 0 every check passes,
// 1 a check fails, 2 a file refused or a size number that is none (said on err, nothing on out).
int runSieves(const SieveRequest& request, std::ostream& out, std::ostream& err);

}  // namespace veldora::cli
