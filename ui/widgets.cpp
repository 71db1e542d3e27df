#include "ui/widgets.h"

#include "report/fonts.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QLabel>

namespace veldora {

QLabel* persianLabel(const char* text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  label->setLayoutDirection(Qt::RightToLeft);
  label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
  label->setFont(persianFont(9.75));
  return label;
}

void setWindowShown(QWidget* window, bool shown) {
  if (shown && !window->isVisible()) {
    window->show();
    window->raise();
    window->activateWindow();
  } else {
    window->setVisible(shown);
  }
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
