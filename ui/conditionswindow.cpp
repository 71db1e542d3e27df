#include "ui/conditionswindow.h"

#include "report/fonts.h"
#include "ui/captions.h"
#include "ui/twips.h"
#include "ui/widgets.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veldora {

ConditionsWindow::ConditionsWindow(Workspace& workspace, std::function<void()> changed,
                                   QWidget* parent)
    : QWidget(parent, kDialogWindowFlags), mWorkspace(workspace), mChanged(std::move(changed)) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QString::fromUtf8(captions::kConditionsCaption));
  auto* rows = new QGridLayout;
  rows->setColumnMinimumWidth(0, twips(3000));
  rows->setColumnMinimumWidth(1, twips(4800));
  rows->setHorizontalSpacing(twips(240));
  constexpr std::array<const char*, kConditionRows> kButtonNames = {
      "Command2", "Command3", "Command4", "Command5", "Command6", "Command10_0"};
  for (int row = 0; row < kConditionRows; ++row) {
    const auto i = static_cast<size_t>(row);
    auto* button = new QPushButton(QString::fromUtf8(captions::kConditionRowButtons[i]), this);
    button->setObjectName(QString::fromLatin1(kButtonNames[i]));
    button->setLayoutDirection(Qt::RightToLeft);
    button->setFont(persianFont(8.25));
    button->setMinimumHeight(twips(row == 2 ? 600 : 420));
    const auto dialog = static_cast<OptionDialog>(row);
    connect(button, &QPushButton::clicked, this, [this, dialog] {
      mWorkspace.conditionWindows().openDialog(dialog);
      mChanged();
    });
    // Each row's text is centred; the exposure and section texts wrap onto two lines.
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("Label%1").arg(row + 1));
    text->setLayoutDirection(Qt::RightToLeft);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    text->setFont(persianFont(9.75));
    text->setMaximumWidth(twips(4800));
    rows->addWidget(button, row, 0);
    rows->addWidget(text, row, 1);
    mRowButtons[i] = button;
    mRowTexts[i] = text;
  }

  auto* buttons = new QHBoxLayout;
  const std::array<std::tuple<const char*, const char*, void (ConditionCommands::*)()>, 3>
      kButtons = {{
          {captions::kDefaultButton, "Command8", &ConditionCommands::restoreDefaults},
          {captions::kCancelButton, "Command7", &ConditionCommands::cancel},
          {captions::kOk, "Command1", &ConditionCommands::ok},
      }};
  for (const auto& [caption, name, action] : kButtons) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedWidth(twips(1500));
    connect(button, &QPushButton::clicked, this, [this, action = action] { command(action); });
    buttons->addWidget(button);
    buttons->addStretch();
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rows);
  layout->addSpacing(twips(120));
  layout->addLayout(buttons);
  refresh();
  setFixedSize(sizeHint());
}

void ConditionsWindow::command(void (ConditionCommands::*action)()) {
  (mWorkspace.conditionWindows().*action)();
  mChanged();
}

void ConditionsWindow::refresh() {
  const ConditionsWindowState& state = mWorkspace.state().conditionsWindow;
  for (size_t i = 0; i < mRowButtons.size(); ++i) {
    mRowButtons[i]->setEnabled(state.offered[i]);
    mRowTexts[i]->setText(QString::fromStdString(state.texts[i]));
  }
  setEnabled(state.enabled);
  setWindowShown(this, state.shown);
}

void ConditionsWindow::closeEvent(QCloseEvent* event) {
  // The close box acts as CANCEL, so the main window is never left disabled; while one of the
  // window's dialogs is open it does nothing.
  event->ignore();
  command(&ConditionCommands::cancel);
}

}  // namespace veldora
