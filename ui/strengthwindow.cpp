#include "ui/strengthwindow.h"

#include "presentation/bidi.h"
#include "presentation/fonts.h"
#include "presentation/numberforms.h"
#include "ui/captions.h"
#include "ui/twips.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace veldora {

StrengthWindow::StrengthWindow(Workspace& workspace, QWidget* parent)
    : AnsweredWindow(parent, kDialogWindowFlags, [&workspace] { workspace.strength().cancel(); }),
      mWorkspace(workspace) {
  setObjectName(QStringLiteral("RequiredStrength"));
  setWindowTitle(QString::fromUtf8(captions::kStrengthCaption));
  setLayoutDirection(Qt::RightToLeft);
  auto* grid = new QGridLayout;
  for (size_t i = 0; i < mBoxes.size(); ++i) {
    const int row = static_cast<int>(i);
    grid->addWidget(
        persianLabel(captions::kStrengthLabels[i], QStringLiteral("Label%1").arg(i + 1), this), row,
        0);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Text%1").arg(i + 1));
    edit->setFont(persianFont(9.75, false));
    edit->setFixedWidth(twips(1200));
    edit->setLayoutDirection(Qt::LeftToRight);
    takeLongTexts(edit, mWorkspace);
    const auto which = static_cast<StrengthBox>(i + 1);
    connect(edit, &QLineEdit::textEdited, this, [this, which](const QString& text) {
      mWorkspace.strength().setText(which, text.toStdString());
    });
    grid->addWidget(edit, row, 1, Qt::AlignRight);
    mBoxes[i] = edit;
  }
  // What the boxes give, line by line: a caption and its value.
  const auto result = [this, grid](int row, const char* caption, const char* name) {
    grid->addWidget(persianLabel(caption, QString::fromLatin1(name) + "Caption", this), row, 0);
    auto* value = new QLabel(this);
    value->setObjectName(QString::fromLatin1(name));
    value->setFont(persianFont(9.75, true));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Beside its caption, whichever way its text runs.
    value->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(value, row, 1);
    return value;
  };
  mFactor = result(3, captions::kStrengthFactor, "RecordFactor");
  mSpecified = result(4, captions::kStrengthSpecified, "SpecifiedStrength");
  mRequired = result(5, captions::kStrengthRequired, "RequiredStrengthValue");
  mRule = result(6, captions::kStrengthRule, "GoverningRule");
  mWarning = persianLabel("", QStringLiteral("StrengthWarning"), this);
  mWarning->setWordWrap(true);
  mWarning->setStyleSheet(QStringLiteral("color: #b00000"));
  grid->addWidget(mWarning, 7, 0, 1, 2);
  QLabel* note = persianLabel(captions::kStrengthOkNote, QStringLiteral("OkNote"), this);
  note->setWordWrap(true);
  grid->addWidget(note, 8, 0, 1, 2);

  QHBoxLayout* buttons = okCancelRow(
      this, {mBoxes.begin(), mBoxes.end()}, [this] { mWorkspace.strength().ok(); },
      [this] { mWorkspace.strength().cancel(); });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  // A fixed layout: nothing moves as one types. The results are as wide as the longest the boxes
  // can give, the warning as tall as both its lines together.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  grid->setColumnMinimumWidth(0, twips(5400));
  const StrengthBasis widest = requiredAverageStrength(
      kHighestSpecifiedStrength, StrengthRecord{kHighestSpecifiedStrength, kFewestTests});
  const QFontMetrics metrics(mRequired->font());
  int valueWidth =
      std::max(metrics.horizontalAdvance(isolatedNumber(strengthRequirementText(widest))),
               metrics.horizontalAdvance(QString::fromUtf8(captions::kStrengthFactorUnused)));
  for (StrengthRule rule :
       {StrengthRule::MeanOfThree, StrengthRule::SingleTestLow, StrengthRule::SingleTestHigh,
        StrengthRule::NoRecordLow, StrengthRule::NoRecordMiddle, StrengthRule::NoRecordHigh}) {
    valueWidth =
        std::max(valueWidth, metrics.horizontalAdvance(isolatedNumber(strengthRuleText(rule))));
  }
  for (QLabel* value : {mFactor, mSpecified, mRequired, mRule}) {
    // As tall as with its text, whose superscripts and Persian letters reach further than none.
    value->setText(isolatedNumber(strengthRequirementText(widest)) +
                   QString::fromUtf8(captions::kStrengthFactorUnused));
    value->setFixedSize(valueWidth, value->sizeHint().height());
  }
  mWarning->setText(QString::fromUtf8(captions::kStrengthFewTests) + '\n' +
                    QString::fromUtf8(captions::kStrengthOutsideRange));
  layout->activate();
  mWarning->setFixedHeight(mWarning->heightForWidth(mWarning->width()));
}

void StrengthWindow::follow(const WorkspaceState& state) {
  const StrengthWindowState& window = state.strengthWindow;
  for (size_t i = 0; i < mBoxes.size(); ++i) showText(mBoxes[i], window.boxes[i]);
  const std::optional<StrengthBasis>& basis = window.basis;
  QString factor;
  if (basis && usesRecord(*basis)) {
    factor = decimalNumber(basis->k, 3);
  } else if (basis) {
    factor = QString::fromUtf8(captions::kStrengthFactorUnused);
  }
  mFactor->setText(factor);
  mSpecified->setText(window.specified ? isolatedNumber(strengthText(*window.specified)) : "");
  mRequired->setText(basis ? isolatedNumber(strengthRequirementText(*basis)) : "");
  mRule->setText(basis ? isolatedNumber(strengthRuleText(basis->rule)) : "");
  QString warning;
  if (basis && basis->record && !usesRecord(*basis)) {
    warning = QString::fromUtf8(captions::kStrengthFewTests);
  }
  if (window.outsideDesignRange) {
    warning += (warning.isEmpty() ? "" : "\n") + QString::fromUtf8(captions::kStrengthOutsideRange);
  }
  mWarning->setText(warning);
}

QWidget* StrengthWindow::focusBox(int number) const {
  return box(static_cast<StrengthBox>(number));
}

}  // namespace veldora
