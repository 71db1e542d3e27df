#pragma once

#include <QStyledItemDelegate>

namespace veldora {

// The role of a result line's display form (see displayLine); the item's own text stays exactly
// as the program built the line.
inline constexpr int kDisplayFormRole = Qt::UserRole + 1;

// Draws a result line in its display form, with its number isolated as left-to-right text.
class ResultLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace veldora
