#pragma once

#include <QString>

namespace veldora {

// A result line cut around the number after its label's "=": the label up to it (with the "=" and
// the blank that stands for a positive sign), the number, and what follows (the unit). The number
// is empty for a line without one, such as a heading.
struct ResultLineParts {
  QString label;
  QString number;
  QString rest;
};
ResultLineParts splitResultLine(const QString& line);

// The display form of a result line: the number after the label's "=" isolated as left-to-right
// text, so that in a right-to-left line "-12" does not turn into "12-" and ".5" into "5.". The
// line itself stays exactly as the program built it.
QString displayLine(const QString& line);

// A number as left-to-right text inside right-to-left text.
QString isolatedNumber(const QString& number);

// A number in the program's plain form, without the blank that stands for a positive sign.
QString plainNumber(double x);

}  // namespace veldora
