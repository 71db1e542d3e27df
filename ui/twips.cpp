#include "ui/twips.h"

#include <cmath>

namespace veldora {
namespace {

constexpr double kLayoutScale = 1.25;

}  // namespace

int twips(int value) { return static_cast<int>(std::lround(value / 15.0 * kLayoutScale)); }

}  // namespace veldora
