#include "ui/reportdialog.h"

#include "report/fonts.h"
#include "ui/captions.h"
#include "ui/twips.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veldora {

ReportDialog::ReportDialog(Workspace& workspace, std::function<void()> changed,
                           std::function<void(const ReportSettings&)> accepted, QWidget* parent)
    : QWidget(parent, kDialogWindowFlags),
      mWorkspace(workspace),
      mChanged(std::move(changed)),
      mAccepted(std::move(accepted)) {
  setObjectName(QStringLiteral("ReportDialog"));
  setWindowTitle(QString::fromUtf8(captions::kReportCaption));
  setLayoutDirection(Qt::RightToLeft);
  auto* grid = new QGridLayout;
  using Setter = void (ReportCommands::*)(std::string_view);
  const std::array<std::pair<const char*, Setter>, 3> rows = {{
      {captions::kReportProjectName, &ReportCommands::setProjectName},
      {captions::kReportPourVolume, &ReportCommands::setPourVolume},
      {captions::kReportBagMass, &ReportCommands::setBagMass},
  }};
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto [caption, setter] = rows[i];
    grid->addWidget(persianLabel(caption, QStringLiteral("Label%1").arg(i + 1), this),
                    static_cast<int>(i), 0);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Text%1").arg(i + 1));
    edit->setFont(persianFont(9.75, false));
    edit->setMinimumWidth(twips(i == 0 ? 3600 : 1500));
    // Numbers are typed left to right; the project name is Persian.
    if (i > 0) edit->setLayoutDirection(Qt::LeftToRight);
    if (i == 0) edit->setMaxLength(static_cast<int>(kLongestProjectName));
    connect(edit, &QLineEdit::textEdited, this, [this, setter = setter](const QString& text) {
      (mWorkspace.report().*setter)(text.toStdString());
      mChanged();
    });
    grid->addWidget(edit, static_cast<int>(i), 1, Qt::AlignRight);
    mBoxes[i] = edit;
  }
  mIncludeAdjustment = new QCheckBox(QString::fromUtf8(captions::kReportIncludeAdjustment), this);
  mIncludeAdjustment->setObjectName(QStringLiteral("IncludeAdjustment"));
  mIncludeAdjustment->setFont(persianFont(9.75));
  connect(mIncludeAdjustment, &QCheckBox::toggled, this, [this](bool include) {
    mWorkspace.report().setIncludeAdjustment(include);
    mChanged();
  });
  grid->addWidget(mIncludeAdjustment, 3, 0, 1, 2);

  auto* ok = new QPushButton(QString::fromUtf8(captions::kOk), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  auto* cancel = new QPushButton(QString::fromUtf8(captions::kCancel), this);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  // Enter in a box presses OK, as in the dialogs of the desktop.
  for (QLineEdit* edit : mBoxes) connect(edit, &QLineEdit::returnPressed, ok, &QPushButton::click);
  connect(ok, &QPushButton::clicked, this, [this] {
    const std::optional<ReportSettings> settings = mWorkspace.report().ok();
    mChanged();
    if (settings) mAccepted(*settings);
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    mWorkspace.report().cancel();
    mChanged();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  refresh();
}

void ReportDialog::refresh() {
  const ReportDialogState& state = mWorkspace.state().reportDialog;
  const std::array<const std::string*, 3> texts = {&state.projectName, &state.pourVolume,
                                                   &state.bagMass};
  for (size_t i = 0; i < texts.size(); ++i) {
    const QString text = QString::fromStdString(*texts[i]);
    if (mBoxes[i]->text() != text) mBoxes[i]->setText(text);
  }
  if (mIncludeAdjustment->isVisibleTo(this) != state.adjustmentOffered) {
    mIncludeAdjustment->setVisible(state.adjustmentOffered);
    adjustSize();  // no gap where the box was
  }
  mIncludeAdjustment->setChecked(state.includeAdjustment);
  setEnabled(state.shown);
  setWindowShown(this, state.shown);
}

void ReportDialog::keyPressEvent(QKeyEvent* event) {
  // Escape acts as Cancel, as in the dialogs of the desktop.
  if (event->key() == Qt::Key_Escape) {
    mWorkspace.report().cancel();
    mChanged();
    return;
  }
  QWidget::keyPressEvent(event);
}

void ReportDialog::closeEvent(QCloseEvent* event) {
  // The close box acts as Cancel, so the main window is never left disabled.
  event->ignore();
  mWorkspace.report().cancel();
  mChanged();
}

}  // namespace veldora
