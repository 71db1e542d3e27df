#include "ui/optiondialog.h"

#include "report/fonts.h"
#include "ui/captions.h"
#include "ui/twips.h"
#include "ui/widgets.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace veldora {

OptionDialogWindow::OptionDialogWindow(OptionDialog dialog, Workspace& workspace,
                                       std::function<void()> changed, QWidget* parent)
    : QWidget(parent, kDialogWindowFlags),
      mDialog(dialog),
      mWorkspace(workspace),
      mChanged(std::move(changed)) {
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
  connect(group, &QButtonGroup::idClicked, this, [this](int id) {
    mWorkspace.conditionWindows().selectOption(mDialog, id);
    mChanged();
  });

  // OK above Cancel at the right.
  auto* buttons = new QVBoxLayout;
  auto* ok = new QPushButton(QString::fromUtf8(captions::kOk), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  auto* cancel = new QPushButton(QString::fromUtf8(captions::kCancel), this);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  connect(ok, &QPushButton::clicked, this, [this] {
    mWorkspace.conditionWindows().dialogOk(mDialog);
    mChanged();
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    mWorkspace.conditionWindows().dialogCancel(mDialog);
    mChanged();
  });
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();

  // The options at the left, OK and Cancel at the right.
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options, 1);
  layout->addSpacing(twips(240));
  layout->addLayout(buttons);
  refresh();
  setFixedSize(sizeHint());
}

void OptionDialogWindow::refresh() {
  const int selected = mWorkspace.conditionWindows().selection(mDialog);
  for (size_t i = 0; i < mOptions.size(); ++i) {
    if (static_cast<int>(i) == selected) mOptions[i]->setChecked(true);
  }
  const bool shown = mWorkspace.state().dialog(mDialog).shown;
  setEnabled(shown);
  setWindowShown(this, shown);
}

void OptionDialogWindow::closeEvent(QCloseEvent* event) {
  // The close box acts as Cancel, so the owner is never left disabled.
  event->ignore();
  mWorkspace.conditionWindows().dialogCancel(mDialog);
  mChanged();
}

}  // namespace veldora
