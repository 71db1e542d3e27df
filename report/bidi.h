#pragma once

#include <QString>

namespace veldora {

// The display form of a result line: the number after the label's "=" isolated as left-to-right
// text, so that in a right-to-left line "-12" does not turn into "12-" and ".5" into "5.". The
// line itself stays exactly as the program built it.
QString displayLine(const QString& line);

// A number as left-to-right text inside right-to-left text.
QString isolatedNumber(const QString& number);

}  // namespace veldora
