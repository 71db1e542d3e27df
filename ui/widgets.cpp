#include "ui/widgets.h"

#include "presentation/fonts.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace veldora {

AnsweredWindow::AnsweredWindow(QWidget* parent, Qt::WindowFlags flags, std::function<void()> cancel)
    : QWidget(parent, flags), mCancel(std::move(cancel)) {}

void AnsweredWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    mCancel();
    return;
  }
  QWidget::keyPressEvent(event);
}

void AnsweredWindow::closeEvent(QCloseEvent* event) {
  // The workspace hides the window, or keeps it where it cannot close (a dialog of it is open).
  event->ignore();
  mCancel();
}

void setWindowShown(QWidget* window, bool shown) {
  if (shown && !window->isVisible()) {
    window->show();
    window->raise();
    window->activateWindow();
  } else if (!shown && window->isVisible()) {
    window->hide();
  }
}

void takeLongTexts(QLineEdit* box) { box->setMaxLength(std::numeric_limits<int>::max()); }

void showText(QLineEdit* box, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (box->text() == shown) return;
  const int cursor = box->cursorPosition();
  box->setText(shown);
  if (box->hasFocus()) box->setCursorPosition(std::min<int>(cursor, shown.size()));
}

QLabel* persianLabel(const char* text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  label->setLayoutDirection(Qt::RightToLeft);
  label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
  label->setFont(persianFont(9.75));
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
