#pragma once

#include "engine/resultline.h"

#include <QString>

namespace veldora {

// A number as left-to-right text inside right-to-left text.
QString isolatedNumber(const QString& number);

// A text with every number in it (a sign, digits, a point, a following "%") isolated as
// left-to-right text: a message whose numbers the program put in, shown right to left.
QString withIsolatedNumbers(const QString& text);

// The display form of a result line: its number isolated as left-to-right text, so that in a
// right-to-left line "-12" does not turn into "12-" and ".5" into "5."; the blank that stands for
// a positive sign stays beside the label. The line's own text stays as the program builds it.
QString displayLine(const ResultLine& line);

}  // namespace veldora
