#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace veldora::cli {

// Runs veldora-cli with the given arguments (without the program name). Returns the exit status:
// 0 done, 1 the run or the adjustment stopped, 2 usage error.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace veldora::cli
