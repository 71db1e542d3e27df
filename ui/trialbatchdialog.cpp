#include "ui/trialbatchdialog.h"

#include "presentation/fonts.h"
#include "ui/captions.h"
#include "ui/twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veldora {

TrialBatchDialog::TrialBatchDialog(Workspace& workspace, QWidget* parent)
    : AnsweredWindow(parent, kDialogWindowFlags, [&workspace] { workspace.trialBatch().cancel(); }),
      mWorkspace(workspace) {
  setObjectName(QStringLiteral("Dialog6"));
  setWindowTitle(QString::fromUtf8(captions::kTrialCaption));

  const auto label = [this](int index) {
    return persianLabel(captions::kTrialLabels[index], QStringLiteral("Label1_%1").arg(index),
                        this);
  };
  // Rows top to bottom: slump, unit weight, water, air; label left of the box, unit right.
  struct Row {
    TrialBox box;
    int label;
    int unit;  // -1: none
  };
  constexpr std::array<Row, 4> kRows = {{{TrialBox::Slump, 0, 3},
                                         {TrialBox::UnitWeight, 2, 4},
                                         {TrialBox::Water, 5, 6},
                                         {TrialBox::Air, 1, -1}}};
  auto* grid = new QGridLayout;
  for (int r = 0; r < 4; ++r) {
    const Row& row = kRows[static_cast<size_t>(r)];
    QLabel* caption = label(row.label);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Text%1").arg(static_cast<int>(row.box)));
    edit->setFont(persianFont(9.75));
    edit->setFixedWidth(twips(975));
    takeLongTexts(edit, mWorkspace);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, box = row.box](const QString& text) {
      mWorkspace.trialBatch().setText(box, text.toStdString());
    });
    grid->addWidget(caption, r, 0);
    grid->addWidget(edit, r, 1);
    if (row.unit >= 0) {
      QLabel* unit = label(row.unit);
      unit->setLayoutDirection(Qt::LeftToRight);
      unit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      unit->setFont(persianFont(8.25, true, true));
      grid->addWidget(unit, r, 2);
    }
    mBoxes[TrialBatchWindowState::index(row.box)] = edit;
    if (row.box == TrialBox::Air) mAirLabel = caption;
  }
  grid->setColumnMinimumWidth(2, twips(700));

  auto* ok = new QPushButton(QString::fromUtf8(captions::kOk), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  auto* cancel = new QPushButton(QString::fromUtf8(captions::kCancel), this);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  connect(ok, &QPushButton::clicked, this, [this] { mWorkspace.trialBatch().ok(); });
  connect(cancel, &QPushButton::clicked, this, [this] { mWorkspace.trialBatch().cancel(); });
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(twips(240));
  layout->addLayout(buttons);
}

void TrialBatchDialog::follow(const WorkspaceState& state) {
  const TrialBatchWindowState& window = state.trialBatch;
  for (TrialBox which : kTrialBoxes) showText(box(which), window.text(which));
  QLineEdit* air = box(TrialBox::Air);
  if (air->isVisibleTo(this) != window.airRowVisible) {
    air->setVisible(window.airRowVisible);
    mAirLabel->setVisible(window.airRowVisible);
    adjustSize();
  }
  air->setEnabled(window.airBoxEnabled);
}

bool TrialBatchDialog::eventFilter(QObject* watched, QEvent* event) {
  const auto it = std::find(mBoxes.begin(), mBoxes.end(), watched);
  const std::optional<bool> forward = boxMoveDirection(event);
  if (it == mBoxes.end() || !forward) return QWidget::eventFilter(watched, event);
  const auto from = static_cast<TrialBox>(it - mBoxes.begin() + 1);
  box(mWorkspace.trialBatch().nextBox(from, *forward))->setFocus();
  return true;
}

QWidget* TrialBatchDialog::focusBox(int number) const { return box(static_cast<TrialBox>(number)); }

}  // namespace veldora
