#include "ui/optiondialog.h"

#include "presentation/fonts.h"
#include "ui/captions.h"
#include "ui/twips.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace veldora {

OptionDialogWindow::OptionDialogWindow(OptionDialog dialog, Workspace& workspace, QWidget* parent)
    : AnsweredWindow(parent, kDialogWindowFlags,
                     [&workspace, dialog] { workspace.conditions().dialogCancel(dialog); }),
      mDialog(dialog),
      mWorkspace(workspace) {
  setObjectName(QString::fromLatin1(optionDialogInfo(dialog).objectName));
  setWindowTitle(QString::fromUtf8(captions::kDialogCaptions[static_cast<size_t>(dialog)]));
  auto* group = new QButtonGroup(this);
  auto* options = new QVBoxLayout;
  for (int i = 0; i < optionCount(dialog); ++i) {
    auto* option = new QRadioButton(QString::fromStdString(optionCaption(dialog, i)), this);
    option->setObjectName(QStringLiteral("Option1_%1").arg(i));
    option->setFont(persianFont(9.75));
    option->setLayoutDirection(Qt::RightToLeft);
    group->addButton(option, i);
    options->addWidget(option);
    mOptions.push_back(option);
  }
  connect(group, &QButtonGroup::idClicked, this,
          [this](int id) { mWorkspace.conditions().selectOption(mDialog, id); });

  // OK above Cancel at the right.
  auto* buttons = new QVBoxLayout;
  auto* ok = new QPushButton(QString::fromUtf8(captions::kOk), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  auto* cancel = new QPushButton(QString::fromUtf8(captions::kCancel), this);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  connect(ok, &QPushButton::clicked, this, [this] { mWorkspace.conditions().dialogOk(mDialog); });
  connect(cancel, &QPushButton::clicked, this,
          [this] { mWorkspace.conditions().dialogCancel(mDialog); });
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();

  // The options at the left, OK and Cancel at the right.
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options, 1);
  layout->addSpacing(twips(240));
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
}

void OptionDialogWindow::follow(const WorkspaceState& state) {
  const int selected = optionDialogInfo(mDialog).selection(state.conditions);
  for (size_t i = 0; i < mOptions.size(); ++i) {
    if (static_cast<int>(i) == selected) mOptions[i]->setChecked(true);
  }
}

}  // namespace veldora
