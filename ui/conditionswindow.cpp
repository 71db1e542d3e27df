#include "ui/conditionswindow.h"

#include "presentation/fonts.h"
#include "ui/captions.h"
#include "ui/twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veldora {

ConditionsWindow::ConditionsWindow(Workspace& workspace, QWidget* parent)
    : AnsweredWindow(parent, kDialogWindowFlags, [&workspace] { workspace.conditions().cancel(); }),
      mWorkspace(workspace) {
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
    connect(button, &QPushButton::clicked, this,
            [this, row] { mWorkspace.conditions().openDialog(rowDialog(row)); });
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
    connect(button, &QPushButton::clicked, this,
            [this, action = action] { (mWorkspace.conditions().*action)(); });
    buttons->addWidget(button);
    buttons->addStretch();
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rows);
  layout->addSpacing(twips(120));
  layout->addLayout(buttons);
}

void ConditionsWindow::follow(const WorkspaceState& state) {
  const ConditionsWindowState& window = state.conditionsWindow;
  for (size_t i = 0; i < mRowButtons.size(); ++i) {
    mRowButtons[i]->setEnabled(window.offered[i]);
    const QString text = QString::fromStdString(window.texts[i]);
    if (mRowTexts[i]->text() != text) mRowTexts[i]->setText(text);
  }
  // Its size is fixed by the rows it first shows.
  if (!mSized) {
    setFixedSize(sizeHint());
    mSized = true;
  }
}

}  // namespace veldora
