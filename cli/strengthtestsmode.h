#pragma once

#include "engine/strength.h"

#include <optional>
#include <ostream>
#include <string>

namespace veldora::cli {

// veldora-cli --strength-tests FILE.csv [--specified-strength FC]: the statistics of a plant's
// strength tests, and with f'c (kg/cm^2) their acceptance and the f'cr they lead to. Runs no
// design. Returns the exit status: 0 done (accepted, or no f'c given), 1 a test or an average of
// three fails acceptance, 2 a file that cannot be read or is refused, naming the line and why.
int runStrengthTests(const std::string& path, std::optional<double> specified, bool json,
                     std::ostream& out, std::ostream& err);

// The basis of a required strength as the JSON output gives it, or null.
std::string strengthBasisJson(const std::optional<StrengthBasis>& basis);

}  // namespace veldora::cli
