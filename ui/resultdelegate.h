#pragma once

#include <QStyledItemDelegate>

namespace veldora {

// The display form of a result line: the number after the label's "=" isolated as left-to-right
// text, so that in a right-to-left line "-12" does not turn into "12-" and ".5" into "5.". The
// item's text itself stays exactly as the program built it.
QString displayLine(const QString& line);

class ResultLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QString displayText(const QVariant& value, const QLocale& locale) const override;
};

}  // namespace veldora
