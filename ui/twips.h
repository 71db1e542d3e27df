#pragma once

namespace veldora {

// The twips of the original layout (1/1440 inch) to pixels of this program's windows, which are
// drawn a quarter larger than 96 dpi so that the Persian captions fit.
int twips(int value);

}  // namespace veldora
