#pragma once

#include <QString>

namespace veldora {

// A number in the program's plain form, without the blank that stands for a positive sign.
QString plainNumber(double x);

}  // namespace veldora
