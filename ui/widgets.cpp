#include "ui/widgets.h"

#include "presentation/fonts.h"
#include "ui/captions.h"
#include "ui/followingwindow.h"
#include "workspace/workspace.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <limits>
#include <memory>

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

void FollowingWindow::bringUp() {
  QWidget* window = widget();
  window->show();
  window->raise();
  window->activateWindow();
}

namespace {

// Stands between a box and the pastes it is given. Qt lays out a line edit's whole text on every
// key and paint: a clipboard of a million characters would freeze the window for minutes.
class PasteGuard : public QObject {
 public:
  PasteGuard(QLineEdit* box, Workspace& workspace)
      : QObject(box), mBox(box), mWorkspace(workspace) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != mBox) return false;
    switch (event->type()) {
      case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
          return refused(QClipboard::Clipboard);
        }
        return false;
      case QEvent::MouseButtonRelease:
        return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
               QGuiApplication::clipboard()->supportsSelection() && refused(QClipboard::Selection);
      case QEvent::ContextMenu:
        showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
      default:
        return false;
    }
  }

 private:
  // Whether the paste is refused: the message is shown and nothing of it taken.
  bool refused(QClipboard::Mode mode) {
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (mBox->isReadOnly() || text.size() <= kLongestPaste ||
        text.toUcs4().size() <= kLongestPaste) {
      return false;
    }
    mWorkspace.windows().refuseLongPaste();
    return true;
  }

  // The box's own menu, its Paste through the same check.
  void showContextMenu(const QPoint& at) {
    const std::unique_ptr<QMenu> menu(mBox->createStandardContextMenu());
    // Found by its caption, as the line edit writes it (translated where Qt is).
    const QString caption = QLineEdit::tr("&Paste");
    for (QAction* paste : menu->actions()) {
      if (!paste->text().startsWith(caption)) continue;
      paste->setObjectName(QStringLiteral("edit-paste"));
      paste->disconnect(mBox);
      connect(paste, &QAction::triggered, mBox, [this] {
        if (!refused(QClipboard::Clipboard)) mBox->paste();
      });
    }
    menu->exec(at);
  }

  QLineEdit* mBox;
  Workspace& mWorkspace;
};

}  // namespace

void takeLongTexts(QLineEdit* box, Workspace& workspace) {
  box->setMaxLength(std::numeric_limits<int>::max());
  refuseLongPastes(box, workspace);
}

void refuseLongPastes(QLineEdit* box, Workspace& workspace) {
  box->installEventFilter(new PasteGuard(box, workspace));
}

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

QPushButton* persianButton(const char* caption, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  button->setFont(persianFont(8.25));
  button->setAutoDefault(false);
  return button;
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
