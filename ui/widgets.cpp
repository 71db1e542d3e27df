#include "ui/widgets.h"

#include "presentation/fonts.h"
#include "ui/captions.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

QHBoxLayout* okCancelRow(QWidget* dialog, const std::vector<QLineEdit*>& boxes,
                         std::function<void()> ok, std::function<void()> cancel) {
  auto* okButton = new QPushButton(QString::fromUtf8(captions::kOk), dialog);
  okButton->setObjectName(QStringLiteral("OKButton"));
  auto* cancelButton = new QPushButton(QString::fromUtf8(captions::kCancel), dialog);
  cancelButton->setObjectName(QStringLiteral("CancelButton"));
  for (QLineEdit* box : boxes) {
    QObject::connect(box, &QLineEdit::returnPressed, okButton, &QPushButton::click);
  }
  QObject::connect(okButton, &QPushButton::clicked, dialog, std::move(ok));
  QObject::connect(cancelButton, &QPushButton::clicked, dialog, std::move(cancel));
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(okButton);
  row->addWidget(cancelButton);
  return row;
}

}  // namespace veldora
