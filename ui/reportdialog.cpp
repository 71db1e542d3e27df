#include "ui/reportdialog.h"

#include "presentation/fonts.h"
#include "ui/captions.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace veldora {

ReportDialog::ReportDialog(Workspace& workspace, QWidget* parent)
    : AnsweredWindow(parent, kDialogWindowFlags, [&workspace] { workspace.report().cancel(); }),
      mWorkspace(workspace) {
  setObjectName(QStringLiteral("ReportDialog"));
  setWindowTitle(QString::fromUtf8(captions::kReportCaption));
  setLayoutDirection(Qt::RightToLeft);
  auto* grid = new QGridLayout;
  const std::array<const char*, 4> captions = {
      captions::kReportProjectName, captions::kReportPourVolume, captions::kReportBagMass,
      captions::kReportBatchVolume};
  for (size_t i = 0; i < captions.size(); ++i) {
    grid->addWidget(persianLabel(captions[i], QStringLiteral("Label%1").arg(i + 1), this),
                    static_cast<int>(i), 0);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Text%1").arg(i + 1));
    edit->setFont(persianFont(9.75, false));
    edit->setMinimumWidth(twips(i == 0 ? 3600 : 1500));
    // Numbers are typed left to right; the project name is Persian, and has a limit of its own.
    if (i > 0) {
      edit->setLayoutDirection(Qt::LeftToRight);
      takeLongTexts(edit, mWorkspace);
    } else {
      edit->setMaxLength(static_cast<int>(kLongestProjectName));
      refuseLongPastes(edit, mWorkspace);
    }
    connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) {
      mWorkspace.report().setText(static_cast<ReportBox>(i + 1), text.toStdString());
    });
    grid->addWidget(edit, static_cast<int>(i), 1, Qt::AlignRight);
    mBoxes[i] = edit;
  }
  // The method of the batching sheet; only the user's click is a command.
  grid->addWidget(persianLabel(captions::kReportMethod, QStringLiteral("Label5"), this), 4, 0);
  auto* methods = new QHBoxLayout;
  const auto method = [this, methods](const char* caption, const char* name, BatchMethod m) {
    auto* button = new QRadioButton(QString::fromUtf8(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(persianFont(9.75));
    connect(button, &QRadioButton::clicked, this, [this, m] { mWorkspace.report().setMethod(m); });
    methods->addWidget(button);
    return button;
  };
  mVolumeMethod = method(captions::kReportVolumeMethod, "VolumeMethod", BatchMethod::Volume);
  mWeightMethod = method(captions::kReportWeightMethod, "WeightMethod", BatchMethod::Weight);
  methods->addStretch();
  grid->addLayout(methods, 4, 1);

  mIncludeAdjustment = new QCheckBox(QString::fromUtf8(captions::kReportIncludeAdjustment), this);
  mIncludeAdjustment->setObjectName(QStringLiteral("IncludeAdjustment"));
  mIncludeAdjustment->setFont(persianFont(9.75));
  // Only the user's click: the box is also ticked by the program as it follows the workspace.
  connect(mIncludeAdjustment, &QCheckBox::clicked, this,
          [this](bool include) { mWorkspace.report().setIncludeAdjustment(include); });
  grid->addWidget(mIncludeAdjustment, 5, 0, 1, 2);

  QHBoxLayout* buttons = okCancelRow(
      this, {mBoxes.begin(), mBoxes.end()}, [this] { mWorkspace.report().ok(); },
      [this] { mWorkspace.report().cancel(); });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

void ReportDialog::follow(const WorkspaceState& state) {
  const ReportDialogState& dialog = state.reportDialog;
  showText(box(ReportBox::ProjectName), dialog.texts.projectName);
  showText(box(ReportBox::PourVolume), dialog.texts.pourVolume);
  showText(box(ReportBox::BagMass), dialog.texts.bagMass);
  showText(box(ReportBox::BatchVolume), dialog.texts.batchVolume);
  mVolumeMethod->setChecked(dialog.method == BatchMethod::Volume);
  mWeightMethod->setChecked(dialog.method == BatchMethod::Weight);
  if (mIncludeAdjustment->isVisibleTo(this) != dialog.adjustmentOffered) {
    mIncludeAdjustment->setVisible(dialog.adjustmentOffered);
    adjustSize();  // no gap where the box was
  }
  mIncludeAdjustment->setChecked(dialog.includeAdjustment);
}

QWidget* ReportDialog::focusBox(int number) const { return box(static_cast<ReportBox>(number)); }

}  // namespace veldora
