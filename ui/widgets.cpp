#include "ui/widgets.h"

#include "ui/fonts.h"

#include <QKeyEvent>
#include <QLabel>

namespace veldora {

QLabel* persianLabel(const char* text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  label->setLayoutDirection(Qt::RightToLeft);
  label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
  label->setFont(lotusFont(9.75));
  return label;
}

std::optional<bool> boxMoveDirection(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return std::nullopt;
  switch (static_cast<const QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
      return true;
    case Qt::Key_Up:
      return false;
    default:
      return std::nullopt;
  }
}

}  // namespace veldora
