#pragma once

#include <QStyledItemDelegate>

namespace veldora {

// Draws a result line with its number isolated as left-to-right text (see displayLine); the
// item's text itself stays exactly as the program built it.
class ResultLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QString displayText(const QVariant& value, const QLocale& locale) const override;
};

}  // namespace veldora
