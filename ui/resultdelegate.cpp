#include "ui/resultdelegate.h"

namespace veldora {

void ResultLineDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (const QVariant shown = index.data(kDisplayFormRole); shown.isValid()) {
    option->text = shown.toString();
  }
}

}  // namespace veldora
