#pragma once

#include <cstddef>
#include <string>

namespace veldora {

// The hidden name ".NAME.veldora-xxxxxxxx" (eight random letters and digits) of a new file written
// beside the file NAME before it replaces it; NAME is shortened where the whole would be longer
// than longestName, the longest name the folder takes.
std::string temporaryNameFor(const std::string& name, std::size_t longestName);

// Whether candidate is a name temporaryNameFor could have given for name, exactly.
bool isTemporaryNameFor(const std::string& candidate, const std::string& name,
                        std::size_t longestName);

}  // namespace veldora
