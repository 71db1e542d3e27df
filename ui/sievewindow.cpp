#include "ui/sievewindow.h"

#include "engine/numbers.h"
#include "presentation/bidi.h"
#include "presentation/fonts.h"
#include "ui/captions.h"
#include "workspace/sievetexts.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace veldora {
namespace {

namespace st = sievetexts;

QString utf8(const std::string& text) { return QString::fromStdString(text); }
std::string sieveText(Sieve sieve) { return millimetreText(micrometres(sieve)); }
std::string percentText(double percent) { return fixedText(percent, 1); }

const char* outcomeText(CheckOutcome outcome) {
  switch (outcome) {
    case CheckOutcome::Pass:
      return st::kPass;
    case CheckOutcome::Fail:
      return st::kFail;
    case CheckOutcome::NotTested:
      break;
  }
  return st::kNotTested;
}

QLabel* valueLabel(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFont(persianFont(8.25, false));
  label->setAlignment(Qt::AlignCenter);
  label->setMinimumWidth(48);
  label->setFixedHeight(20);
  return label;
}

// The lines under a table: what its masses give, each rule said with its value.
std::vector<std::string> resultLines(const SieveTableState& table) {
  std::vector<std::string> lines;
  if (!table.results) {
    if (table.problem == AnalysisProblem::ZeroTotal) lines.push_back(st::kZeroTotal);
    const bool typed = std::any_of(table.accepted.begin(), table.accepted.end(),
                                   [](const std::string& t) { return !t.empty(); });
    if (table.problem == AnalysisProblem::NoSieve && typed) lines.push_back(st::kNoSieve);
    return lines;
  }
  const SieveResults& r = *table.results;
  lines.push_back(st::kTotal + decimalText(r.totalGrams, 6) + st::kGram);
  if (r.lossPercent) lines.push_back(st::kLoss + percentText(*r.lossPercent) + st::kPercent);
  if (r.finenessModulus.value) {
    lines.push_back(st::kFineness + fixedText(*r.finenessModulus.value, 2));
  } else {
    std::string line = st::kNoFineness;
    for (const int missing : r.finenessModulus.missingMicrometres) {
      line.append(" ").append(millimetreText(missing)).append(st::kMillimetre);
    }
    lines.push_back(line);
  }
  for (const auto& [label, size] :
       {std::pair{st::kMaximum, r.maximumSize}, std::pair{st::kNominal, r.nominalMaximumSize}}) {
    lines.push_back(label + (size ? sieveText(*size) + st::kMillimetre : st::kUnknown));
  }
  return lines;
}

std::vector<std::string> fineCheckLines(const FineGradingCheck& check, const SieveResults& r) {
  std::vector<std::string> lines = {st::kFineCheck +
                                    std::string(check.fails() ? st::kFail : st::kPass)};
  for (const ConsecutiveCheck& c : check.consecutive) {
    if (c.outcome != CheckOutcome::Fail) continue;
    lines.push_back(st::kRetainedOn + sieveText(c.smaller) + st::kMillimetre + st::kPassingThrough +
                    sieveText(c.larger) + st::kMillimetre + ": " + percentText(*c.percentBetween) +
                    st::kPercent + st::kMost45 + ": " + st::kFail);
  }
  lines.push_back(std::string(st::kFinenessCheck) + " " +
                  (r.finenessModulus.value ? fixedText(*r.finenessModulus.value, 2) : "-") +
                  st::kLimits + decimalText(kLowestFinenessModulus, 1) + st::kTo +
                  decimalText(kHighestFinenessModulus, 1) + ": " +
                  outcomeText(check.finenessModulus));
  return lines;
}

std::vector<std::string> coarseCheckLines(const CoarseGradingCheck& check,
                                          const SizeSuggestion& suggestion) {
  std::string suggested = suggestion.fits ? st::kFits : st::kNearest;
  for (size_t i = 0; i < suggestion.numbers.size(); ++i) {
    suggested.append(i ? "، " : "").append(coarseGrading(suggestion.numbers[i]).name);
  }
  return {suggested, st::kCoarseCheck + std::string(coarseGrading(check.number).name) + ": " +
                         (check.fails() ? st::kFail : st::kPass)};
}

QString joined(const std::vector<std::string>& lines) {
  QStringList all;
  // Whole lines: an isolated number would split "ASTM C33".
  for (const std::string& line : lines) all.push_back(utf8(line));
  return all.join('\n');
}

}  // namespace

SieveWindow::SieveWindow(Workspace& workspace, QWidget* parent)
    : AnsweredWindow(parent, kDialogWindowFlags, [&workspace] { workspace.sieves().close(); }),
      mWorkspace(workspace) {
  setObjectName(QStringLiteral("SieveAnalysis"));
  setWindowTitle(QString::fromUtf8(captions::kSieveCaption));
  setLayoutDirection(Qt::RightToLeft);
  auto* layout = new QVBoxLayout(this);
  QLabel* rules = persianLabel(captions::kSieveRules, QStringLiteral("Rules"), this);
  rules->setWordWrap(true);
  rules->setFont(persianFont(8.25, false));
  layout->addWidget(rules);
  auto* tables = new QHBoxLayout;
  tables->addWidget(buildTable(AggregateTable::Fine));
  tables->addWidget(buildTable(AggregateTable::Coarse));
  layout->addLayout(tables);
  QLabel* note = persianLabel(captions::kSieveUseNote, QStringLiteral("UseNote"), this);
  note->setFont(persianFont(8.25, false));
  layout->addWidget(note);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  QPushButton* use =
      persianButton(captions::kSieveUseInDesign, QStringLiteral("UseInDesign"), this);
  connect(use, &QPushButton::clicked, this, [this] { mWorkspace.sieves().useInDesign(); });
  QPushButton* close = persianButton(captions::kClose, QStringLiteral("CloseButton"), this);
  connect(close, &QPushButton::clicked, this, [this] { mWorkspace.sieves().close(); });
  buttons->addWidget(use);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* SieveWindow::buildTable(AggregateTable which) {
  const bool fine = which == AggregateTable::Fine;
  const QString prefix = fine ? QStringLiteral("Fine") : QStringLiteral("Coarse");
  Table& table = mTables[static_cast<size_t>(which)];
  auto* box = new QGroupBox(
      QString::fromUtf8(fine ? captions::kSieveFineTitle : captions::kSieveCoarseTitle), this);
  box->setObjectName(prefix + "Table");
  box->setFont(persianFont(9.75));
  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(0);
  const QStringList columns = QString::fromUtf8(st::kColumns).split('\t');
  int column = 0;
  for (const QString& caption : columns) {
    QLabel* heading = valueLabel(prefix + "Heading" + QString::number(column), box);
    heading->setText(caption);
    heading->setFont(persianFont(8.25));
    grid->addWidget(heading, 0, column++);
  }
  for (const char* caption : {captions::kSieveLimitsColumn, captions::kSieveOutcomeColumn}) {
    QLabel* heading = valueLabel(prefix + "Heading" + QString::number(column), box);
    heading->setText(QString::fromUtf8(caption));
    heading->setFont(persianFont(8.25));
    grid->addWidget(heading, 0, column++);
  }
  for (size_t cell = 0; cell < kSieveTableCells; ++cell) {
    const int row = static_cast<int>(cell) + 1;
    QLabel* sieve = valueLabel(prefix + "Sieve" + QString::number(cell), box);
    sieve->setText(cell < kSieves.size() ? utf8(sieveText(kSieves[cell]))
                   : cell == kPanCell    ? QString::fromUtf8(st::kPan)
                                         : QString::fromUtf8(captions::kSieveOriginalRow));
    grid->addWidget(sieve, row, 0);
    auto* edit = new QLineEdit(box);
    // The workspace's focus names a cell as a box of this window.
    edit->setObjectName(QStringLiteral("Text%1").arg(sieveCellBox(which, cell)));
    edit->setFont(persianFont(8.25, false));
    edit->setFixedSize(70, 20);
    edit->setLayoutDirection(Qt::LeftToRight);
    takeLongTexts(edit, mWorkspace);
    connect(edit, &QLineEdit::textEdited, this, [this, which, cell](const QString& text) {
      mWorkspace.sieves().editCell(which, cell, text.toStdString());
    });
    // Enter leaves the cell, as Tab and a click elsewhere in the window do (eventFilter).
    connect(edit, &QLineEdit::returnPressed, this, [this, which, cell] { leave(which, cell); });
    edit->installEventFilter(this);
    grid->addWidget(edit, row, 1);
    table.cells[cell] = edit;
    if (cell > kPanCell) continue;
    for (size_t i = 0; i < 5; ++i) {
      QLabel* value = valueLabel(prefix + QStringLiteral("Value%1_%2").arg(cell).arg(i), box);
      table.values[cell][i] = value;
      grid->addWidget(value, row, static_cast<int>(i) + 2);
    }
  }
  auto* layout = new QVBoxLayout(box);
  layout->setSpacing(2);
  layout->addLayout(grid);
  if (!fine) {
    auto* sizeRow = new QHBoxLayout;
    QLabel* caption =
        persianLabel(captions::kSieveSizeNumber, QStringLiteral("SizeNumberCaption"), box);
    caption->setFont(persianFont(8.25));
    sizeRow->addWidget(caption);
    mSizeNumber = new QComboBox(box);
    mSizeNumber->setObjectName(QStringLiteral("SizeNumber"));
    mSizeNumber->setFont(persianFont(8.25, false));
    for (const CoarseGrading& g : kCoarseGradings) {
      mSizeNumber->addItem(QString::fromLatin1(g.name.data(), qsizetype(g.name.size())) + " (" +
                           QString::fromLatin1(g.sizes.data(), qsizetype(g.sizes.size())) + ")");
    }
    connect(mSizeNumber, &QComboBox::activated, this, [this](int index) {
      mWorkspace.sieves().chooseSize(kCoarseGradings[static_cast<size_t>(index)].number);
    });
    sizeRow->addWidget(mSizeNumber);
    sizeRow->addStretch();
    layout->addLayout(sizeRow);
  }
  // The results beside the chart, the warning under both.
  auto* resultsRow = new QHBoxLayout;
  table.results = persianLabel("", prefix + "Results", box);
  table.results->setFont(persianFont(8.25, false));
  table.results->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
  table.results->setTextInteractionFlags(Qt::TextSelectableByMouse);
  table.results->setWordWrap(true);
  table.results->setFixedWidth(280);
  table.results->setMinimumHeight(200);  // as tall as the chart, so that nothing moves
  resultsRow->addWidget(table.results);
  table.chart = new GradingChart(box);
  table.chart->setObjectName(prefix + "Chart");
  resultsRow->addWidget(table.chart, 0, Qt::AlignTop);
  layout->addLayout(resultsRow);
  table.warning = persianLabel("", prefix + "Warning", box);
  table.warning->setFont(persianFont(8.25, false));
  table.warning->setStyleSheet(QStringLiteral("color: #b00000"));
  table.warning->setMinimumHeight(table.warning->fontMetrics().height());
  layout->addWidget(table.warning);
  auto* files = new QHBoxLayout;
  QPushButton* open = persianButton(captions::kSieveOpen, "Open" + prefix, box);
  connect(open, &QPushButton::clicked, this,
          [this, which] { mWorkspace.sieves().openFile(which); });
  QPushButton* save = persianButton(captions::kSieveSave, "Save" + prefix, box);
  connect(save, &QPushButton::clicked, this,
          [this, which] { mWorkspace.sieves().saveFile(which); });
  files->addWidget(open);
  files->addWidget(save);
  files->addStretch();
  layout->addLayout(files);
  return box;
}

void SieveWindow::follow(const WorkspaceState& state) {
  for (const AggregateTable which : kAggregateTables) followTable(which, state);
  const SieveWindowState& w = state.sieveWindow;
  mSizeNumber->setCurrentIndex(static_cast<int>(w.checkedSize()));
}

void SieveWindow::followTable(AggregateTable which, const WorkspaceState& state) {
  const SieveWindowState& w = state.sieveWindow;
  const SieveTableState& t = w.table(which);
  Table& table = mTables[static_cast<size_t>(which)];
  for (size_t cell = 0; cell < kSieveTableCells; ++cell) showText(table.cells[cell], t.cells[cell]);
  const bool fine = which == AggregateTable::Fine;
  const std::vector<LimitCheck>* checks = nullptr;
  if (fine && w.fineCheck) checks = &w.fineCheck->sieves;
  if (!fine && w.coarseCheck) checks = &w.coarseCheck->sieves;
  for (size_t i = 0; i < kSieves.size(); ++i) {
    const Sieve sieve = kSieves[i];
    const SieveRow* row = t.results ? t.results->row(sieve) : nullptr;
    std::array<QString, 5> texts;
    if (row) {
      texts[0] = utf8(percentText(row->percentRetained));
      texts[1] = utf8(percentText(row->cumulativeRetained));
      texts[2] = utf8(percentText(row->percentPassing));
    }
    // The limits of the grading the table is checked by, whether or not the sieve was tested.
    const auto limits = [&]() -> const PassingLimit* {
      if (fine) {
        const auto* found =
            std::find_if(kFineGrading.begin(), kFineGrading.end(),
                         [sieve](const PassingLimit& l) { return l.sieve == sieve; });
        return found == kFineGrading.end() ? nullptr : found;
      }
      const auto& own = coarseGrading(w.checkedSize()).limits;
      const auto* found = std::find_if(own.begin(), own.end(),
                                       [sieve](const PassingLimit& l) { return l.sieve == sieve; });
      return found == own.end() ? nullptr : found;
    }();
    if (limits) {
      texts[3] = limits->lowest == limits->highest
                     ? utf8(decimalText(limits->lowest, 1))
                     : utf8(decimalText(limits->lowest, 1) + "–" + decimalText(limits->highest, 1));
      texts[3] = isolatedNumber(texts[3]);
    }
    QString color;
    if (checks) {
      for (const LimitCheck& c : *checks) {
        if (c.limit.sieve != sieve) continue;
        texts[4] = QString::fromUtf8(outcomeText(c.outcome));
        if (c.outcome == CheckOutcome::Fail) color = QStringLiteral("color: #b00000");
      }
    }
    for (size_t k = 0; k < texts.size(); ++k) table.values[i][k]->setText(texts[k]);
    table.values[i][4]->setStyleSheet(color);
    table.values[i][2]->setStyleSheet(color);
  }
  std::array<QString, 5> pan;
  if (t.results) pan[0] = utf8(percentText(t.results->panPercent));
  for (size_t k = 0; k < pan.size(); ++k) table.values[kPanCell][k]->setText(pan[k]);

  // The chart's band: the limits checked, or before any check those the table would be checked by.
  std::vector<LimitCheck> band;
  if (checks) {
    band = *checks;
  } else if (fine) {
    for (const PassingLimit& limit : kFineGrading) band.push_back({limit, {}});
  } else {
    for (const PassingLimit& limit : coarseGrading(w.checkedSize()).limits) {
      band.push_back({limit, {}});
    }
  }
  table.chart->setGrading(t.results, band);

  std::vector<std::string> lines = resultLines(t);
  if (fine && w.fineCheck) {
    for (std::string& line : fineCheckLines(*w.fineCheck, *t.results)) lines.push_back(line);
  }
  if (!fine && w.coarseCheck) {
    for (std::string& line : coarseCheckLines(*w.coarseCheck, w.suggestion)) {
      lines.push_back(line);
    }
  }
  table.results->setText(joined(lines));
  table.warning->setText(
      t.results && t.results->lossTooLarge() ? QString::fromUtf8(st::kLossTooLarge) : QString());
}

void SieveWindow::leave(AggregateTable which, size_t cell) {
  // Not while a message stands over the window or it is closing.
  if (mWorkspace.state().holds(Window::SieveAnalysis)) mWorkspace.sieves().leaveCell(which, cell);
}

bool SieveWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::FocusOut) return false;
  // The user moves on from a cell; the window losing the keyboard (another window activated, a
  // message over it, the window hidden) is no leaving of the cell.
  const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
  if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason &&
      reason != Qt::MouseFocusReason && reason != Qt::ShortcutFocusReason) {
    return false;
  }
  for (const AggregateTable which : kAggregateTables) {
    const Table& table = mTables[static_cast<size_t>(which)];
    for (size_t cell = 0; cell < kSieveTableCells; ++cell) {
      if (table.cells[cell] == watched) leave(which, cell);
    }
  }
  return false;
}

QWidget* SieveWindow::focusBox(int number) const {
  const auto index = static_cast<size_t>(number - 1);
  const size_t table = index / kSieveTableCells;
  return table < mTables.size() ? mTables[table].cells[index % kSieveTableCells] : nullptr;
}

}  // namespace veldora
