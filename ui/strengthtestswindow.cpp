#include "ui/strengthtestswindow.h"

#include "engine/strength.h"
#include "presentation/bidi.h"
#include "presentation/fonts.h"
#include "presentation/numberforms.h"
#include "ui/captions.h"
#include "ui/controlchart.h"
#include "ui/twips.h"
#include "workspace/messages.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace veldora {
namespace {

constexpr int kColumns = 8;  // the five cells, the cylinders in MPa, the test, the average
constexpr int kMegapascalColumn = 5;
constexpr int kTestColumn = 6;
constexpr int kAverageColumn = 7;
const QColor kFailing(255, 200, 200);

QString numbers(const std::vector<size_t>& indexes) {
  QStringList list;
  for (const size_t i : indexes) list.append(QString::number(i + 1));
  return list.join(QStringLiteral("، "));
}

QString kg(double value) { return isolatedNumber(strengthText(value)); }

}  // namespace

StrengthTestsWindow::StrengthTestsWindow(Workspace& workspace, QWidget* parent)
    : AnsweredWindow(parent, kDialogWindowFlags,
                     [&workspace] { workspace.strengthTests().close(); }),
      mWorkspace(workspace) {
  setObjectName(QStringLiteral("StrengthTests"));
  setWindowTitle(QString::fromUtf8(captions::kTestsCaption));
  setLayoutDirection(Qt::RightToLeft);
  StrengthTestCommands& commands = mWorkspace.strengthTests();

  auto* top = new QHBoxLayout;
  top->addWidget(persianLabel(captions::kTestsSpecified, QStringLiteral("Label1"), this));
  mSpecified = new QLineEdit(this);
  mSpecified->setObjectName(QStringLiteral("Text1"));
  mSpecified->setFont(persianFont(9.75, false));
  mSpecified->setFixedWidth(twips(1200));
  mSpecified->setLayoutDirection(Qt::LeftToRight);
  takeLongTexts(mSpecified, mWorkspace);
  connect(mSpecified, &QLineEdit::textEdited, this,
          [&commands](const QString& text) { commands.setSpecified(text.toStdString()); });
  top->addWidget(mSpecified);
  top->addStretch();

  mTable = new QTableWidget(0, kColumns, this);
  mTable->setObjectName(QStringLiteral("TestsTable"));
  QStringList headers;
  for (const char* caption : captions::kTestsColumns) headers.append(QString::fromUtf8(caption));
  mTable->setHorizontalHeaderLabels(headers);
  mTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  mTable->setSelectionMode(QAbstractItemView::SingleSelection);
  mTable->setMinimumSize(760, 220);
  connect(mTable, &QTableWidget::itemChanged, this, [this, &commands](QTableWidgetItem* item) {
    if (mFilling || item->column() >= kStrengthTestColumns) return;
    commands.setCell(static_cast<size_t>(item->row()), static_cast<TestCell>(item->column()),
                     item->text().toStdString());
  });

  mStatistics = persianLabel("", QStringLiteral("Statistics"), this);
  mStatistics->setTextInteractionFlags(Qt::TextSelectableByMouse);
  mAcceptance = persianLabel("", QStringLiteral("AcceptanceSummary"), this);
  mAcceptance->setWordWrap(true);
  mNotes = persianLabel("", QStringLiteral("TestsNotes"), this);
  mNotes->setWordWrap(true);
  mNotes->setStyleSheet(QStringLiteral("color: #b00000"));
  mChart = new ControlChart(this);
  // Room for every line from the start: a shown window does not grow, and nothing should move
  // as one types.
  for (const auto& [label, lines] : {std::pair{mStatistics, 4}, {mAcceptance, 2}, {mNotes, 2}}) {
    label->setFixedHeight(lines * label->fontMetrics().lineSpacing() + 4);
    label->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignTop);
  }

  auto* buttons = new QHBoxLayout;
  const auto button = [this, buttons](const char* caption, const char* name, auto command) {
    QPushButton* b = persianButton(caption, QString::fromLatin1(name), this);
    connect(b, &QPushButton::clicked, this, command);
    buttons->addWidget(b);
  };
  button(captions::kTestsAddRow, "AddRow", [&commands] { commands.addRow(); });
  button(captions::kTestsRemoveRow, "RemoveRow", [this, &commands] {
    if (mTable->currentRow() >= 0) commands.removeRow(static_cast<size_t>(mTable->currentRow()));
  });
  button(captions::kTestsPaste, "PasteRows",
         [&commands] { commands.paste(QGuiApplication::clipboard()->text().toStdString()); });
  button(captions::kTestsOpen, "OpenTests", [&commands] { commands.openFile(); });
  button(captions::kTestsSave, "SaveTests", [&commands] { commands.saveFile(); });
  button(captions::kTestsFill, "FillRequired", [&commands] { commands.fillRequiredStrength(); });
  buttons->addStretch();
  button(captions::kClose, "CloseTests", [&commands] { commands.close(); });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(mTable, 1);
  layout->addWidget(mStatistics);
  layout->addWidget(mAcceptance);
  layout->addWidget(mNotes);
  layout->addWidget(mChart, 1);
  layout->addLayout(buttons);
}

void StrengthTestsWindow::follow(const WorkspaceState& state) {
  const StrengthTestsWindowState& tests = state.strengthTests;
  showText(mSpecified, tests.specifiedText);
  showRows(tests);
  showSummary(tests);
  mChart->setTests(tests);
}

void StrengthTestsWindow::showRows(const StrengthTestsWindowState& tests) {
  mFilling = true;
  mTable->setRowCount(static_cast<int>(tests.rows.size()));
  QStringList numbers;
  for (size_t r = 0; r < tests.rows.size(); ++r) {
    const int row = static_cast<int>(r);
    const StrengthTestTexts& cells = tests.rows[r];
    const int index = tests.testOfRow[r];
    const StrengthTest* test = index >= 0 ? &tests.tests[static_cast<size_t>(index)] : nullptr;
    const TestVerdict* verdict =
        test && tests.acceptance ? &tests.acceptance->tests[static_cast<size_t>(index)] : nullptr;
    numbers.append(test ? QString::number(index + 1) : QString());
    const auto put = [this, row](int column, const QString& text, bool editable, bool fails) {
      QTableWidgetItem* item = mTable->item(row, column);
      if (!item) {
        item = new QTableWidgetItem;
        mTable->setItem(row, column, item);
      }
      if (item->text() != text) item->setText(text);
      item->setFlags(editable ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable
                              : Qt::ItemIsSelectable | Qt::ItemIsEnabled);
      item->setBackground(fails ? QBrush(kFailing) : QBrush());
    };
    put(0, QString::fromStdString(cells.date), true, false);
    put(1, QString::fromStdString(cells.label), true, false);
    QStringList inMegapascals;
    for (size_t c = 0; c < 3; ++c) {
      put(2 + static_cast<int>(c), QString::fromStdString(cells.cylinders[c]), true, false);
      if (test && static_cast<int>(c) < test->cylinderCount) {
        inMegapascals.append(decimalNumber(megapascals(test->cylinders[c]), 1));
      }
    }
    put(kMegapascalColumn, inMegapascals.join(QStringLiteral(" ، ")), false, false);
    put(kTestColumn, test ? decimalNumber(test->strength(), 1) : QString(), false,
        verdict && verdict->testFails);
    put(kAverageColumn,
        verdict && verdict->averageOfThree ? decimalNumber(*verdict->averageOfThree, 1) : QString(),
        false, verdict && verdict->averageFails);
  }
  mTable->setVerticalHeaderLabels(numbers);
  mFilling = false;
}

void StrengthTestsWindow::showSummary(const StrengthTestsWindowState& tests) {
  const StrengthStatistics& s = tests.statistics;
  // Three to a line, so that the table keeps its room.
  QStringList items;
  const auto line = [&items](const char* caption, const QString& value) {
    items.append(QString::fromUtf8(caption) + ' ' + value);
  };
  line(captions::kTestsCount, QString::number(s.tests));
  if (s.mean) line(captions::kTestsMean, kg(*s.mean));
  if (s.standardDeviation) {
    line(captions::kTestsDeviation, kg(*s.standardDeviation));
    line(captions::kTestsVariation,
         isolatedNumber(decimalNumber(*s.coefficientOfVariation, 1) + QStringLiteral(" %")));
  }
  if (s.withinTestStandardDeviation)
    line(captions::kTestsWithin, kg(*s.withinTestStandardDeviation));
  if (s.rating) {
    line(captions::kTestsRating,
         QString::fromUtf8(captions::kTestsRatings[static_cast<size_t>(*s.rating)]));
  }
  QStringList lines;
  for (qsizetype i = 0; i < items.size(); i += 3) {
    lines.append(items.mid(i, 3).join(QStringLiteral("    ")));
  }
  const std::optional<StrengthRecord>& record = tests.record.record;
  lines.append(
      QString::fromUtf8(captions::kTestsRecord) + ' ' +
      (record ? QStringLiteral("s = ") + kg(record->standardDeviation) +
                    QString::fromUtf8(captions::kTestsRecordOf) + QString::number(record->tests)
              : QString::fromUtf8(captions::kTestsNoRecord) +
                    QString::fromUtf8(messages::recordShortfallText(tests.record.shortfall))));
  mStatistics->setText(lines.join(u'\n'));

  QString acceptance;
  if (!tests.acceptance) {
    acceptance = QString::fromUtf8(captions::kTestsNoSpecified);
  } else if (tests.tests.empty()) {
    acceptance = QString::fromUtf8(captions::kTestsNoTests);  // nothing to accept yet
  } else if (tests.acceptance->accepted()) {
    acceptance = QString::fromUtf8(captions::kTestsAccepted);
  } else {
    acceptance = QString::fromUtf8(captions::kTestsNotAccepted);
    const std::vector<size_t> failingTests = tests.acceptance->failingTests();
    if (!failingTests.empty()) {
      acceptance += QString::fromUtf8(captions::kTestsFailingTests) +
                    kg(tests.acceptance->singleTestLimit) + ": " + numbers(failingTests) + ';';
    }
    const std::vector<size_t> failingAverages = tests.acceptance->failingAverages();
    if (!failingAverages.empty()) {
      acceptance += QString::fromUtf8(captions::kTestsFailingAverages) + numbers(failingAverages);
    }
  }
  mAcceptance->setText(acceptance);

  QStringList notes;
  if (!tests.outOfDateOrder.empty()) {
    notes.append(QString::fromUtf8(captions::kTestsOutOfOrder) + numbers(tests.outOfDateOrder));
  }
  if (!tests.incompleteRows.empty()) {
    notes.append(QString::fromUtf8(captions::kTestsIncomplete) + numbers(tests.incompleteRows));
  }
  mNotes->setText(notes.join(u'\n'));
}

QWidget* StrengthTestsWindow::focusBox(int number) const {
  if (number <= 1) return mSpecified;
  const int cell = number - 2;
  mTable->setCurrentCell(cell / kStrengthTestColumns, cell % kStrengthTestColumns);
  return mTable;
}

}  // namespace veldora
