// What only a window can show: the keyboard's ring through the boxes, printing the report to a
// file, long texts. The wiring of every window to the workspace, the focus a command asks for and
// Escape are the sequence explorer's.
#include "ui/mainwindow.h"

#include "engine/texts.h"
#include "presentation/bidi.h"
#include "tests/support/files.h"
#include "tests/support/recordingprompter.h"
#include "tests/support/windows.h"
#include "ui/aboutwindow.h"
#include "ui/placement.h"
#include "ui/trialbatchdialog.h"
#include "ui/widgetprompter.h"
#include "workspace/messages.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace veldora {

using Shown = testing_support::RecordingPrompter::Shown;

class MainWindowTest : public QObject, private testing_support::MainWindowFixture {
  Q_OBJECT

 private:
  template <typename T>
  T* child(const char* name) const {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no child %s", name);
    return found;
  }
  QLineEdit* box(int n) const { return window->box(static_cast<Box>(n)); }
  void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }

 private slots:
  void init() { QVERIFY(open(true)); }
  void cleanup() { close(); }

  void enterAndArrowsMoveAroundTheRing() {
    const struct {
      int from;
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      int to;
    } moves[] = {
        {1, Qt::Key_Up, Qt::NoModifier, 12},   {12, Qt::Key_Return, Qt::NoModifier, 1},
        {8, Qt::Key_Down, Qt::NoModifier, 9},  {3, Qt::Key_Enter, Qt::KeypadModifier, 4},
        {5, Qt::Key_Up, Qt::ShiftModifier, 4}, {11, Qt::Key_Down, Qt::ControlModifier, 12},
    };
    for (const auto& move : moves) {
      box(move.from)->setFocus();
      QTRY_VERIFY(box(move.from)->hasFocus());
      QTest::keyClick(box(move.from), move.key, move.modifiers);
      QVERIFY2(box(move.to)->hasFocus(), qPrintable(QStringLiteral("from Text%1").arg(move.from)));
    }
  }

  // Printed to a PDF file from the preview, the report is written whole or not at all, with a
  // message, and never over the design's mix file; the preview stays for another name after a
  // report that was not written.
  void printingToAFileWritesTheReportSafely() {
    testing_support::TemporaryFolder folder;
    const std::string design = folder.path("design.vdr");
    prompter.choices.push_back(design);
    click("RUN");
    workspace->files().saveAs();
    const std::string saved = testing_support::readFile(design);
    const std::vector<std::pair<std::string, std::string>> prints = {
        {design, messages::kReportOverMixFile},
        {folder.path("no folder/r.pdf"), messages::reportNotWritten(WriteProblem::FolderMissing)},
        {folder.path("r.pdf"), ""}};
    child<QAction>("MENREPORT")->trigger();
    QTest::mouseClick(child<QWidget>("ReportDialog")->findChild<QPushButton*>("OKButton"),
                      Qt::LeftButton);
    auto* preview = child<QPrintPreviewDialog>("ReportPreview");
    // A PDF is suggested under the design's name, beside it.
    QCOMPARE(preview->printer()->outputFileName(),
             QString::fromStdString(folder.path("design.pdf")));
    for (const auto& [path, message] : prints) {
      prompter.shown.clear();
      QPrinter* printer = preview->printer();
      printer->setOutputFormat(QPrinter::PdfFormat);
      printer->setOutputFileName(QString::fromStdString(path));
      emit preview->paintRequested(printer);  // as its print button does, which then closes it
      preview->accept();
      QCOMPARE(preview->isVisible(), !message.empty());
      QCOMPARE(window->centralWidget()->isEnabled(), message.empty());
      QCOMPARE(prompter.shown.empty() ? std::string() : prompter.shown.back().text,
               std::string(message));
    }
    QCOMPARE(testing_support::readFile(design), saved);
    QCOMPARE(testing_support::readFile(folder.path("r.pdf")).substr(0, 5), std::string("%PDF-"));
  }

  // A laboratory's file of 20 tests, then a cell typed wrong in the table's own editor, then the
  // fill button: the required-strength window shows f'c, s and n as if typed, and k of 20 tests.
  // Escape closes the tests window with the focus in its table.
  void strengthTestsFillTheRequiredStrengthWindow() {
    child<QAction>("MENTESTS")->trigger();
    auto* tests = child<QWidget>("StrengthTests");
    QTRY_VERIFY(tests->isVisible());
    for (const QChar c : QString::fromUtf8("۲۵۰")) {  // typed on a Persian keyboard
      QTest::sendKeyEvent(QTest::Click, tests->findChild<QLineEdit*>("Text1"), Qt::Key_unknown,
                          QString(c), {});
    }
    prompter.choices = {VELDORA_TEST_DATA "/strength_tests_20.csv"};
    QTest::mouseClick(tests->findChild<QPushButton*>("OpenTests"), Qt::LeftButton);
    auto* table = tests->findChild<QTableWidget*>("TestsTable");
    QCOMPARE(table->rowCount(), 20);
    QCOMPARE(table->item(4, 0)->text(), QStringLiteral("1403/07/29"));  // 2024-10-20 in the file
    QVERIFY(table->item(10, 6)->background().style() != Qt::NoBrush);   // test 11 fails
    QVERIFY(table->item(8, 7)->background().style() != Qt::NoBrush);    // so does the average at 9
    QVERIFY(table->item(9, 6)->background().style() == Qt::NoBrush);
    table->setCurrentCell(0, 2);
    table->editItem(table->item(0, 2));
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("28x"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(prompter.shown.size(), size_t(1));
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("282"));

    QTest::mouseClick(tests->findChild<QPushButton*>("FillRequired"), Qt::LeftButton);
    auto* strength = child<QWidget>("RequiredStrength");
    QTRY_VERIFY(strength->isVisible());
    QVERIFY(!tests->isVisible());
    const QStringList expected = {"250", "29.9", "20"};
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(strength->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(i + 1))->text(),
               expected[i]);
    }
    QCOMPARE(strength->findChild<QLabel*>("RecordFactor")->text(), QStringLiteral("1.08"));
    QTest::keyClick(strength, Qt::Key_Escape);
    QTRY_VERIFY(!strength->isVisible());
    child<QAction>("MENTESTS")->trigger();
    QTRY_VERIFY(tests->isVisible());
    QCOMPARE(table->rowCount(), 20);
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Escape);
    QTRY_VERIFY(!tests->isVisible());
  }

  // The required-strength window keeps its size as one types, whatever it shows, and gives k.
  void theRequiredStrengthWindowStaysStill() {
    child<QAction>("MENSTRENGTH")->trigger();
    auto* strength = child<QWidget>("RequiredStrength");
    QTRY_VERIFY(strength->isVisible());
    const QSize size = strength->size();
    const struct {
      const char* specified;
      const char* deviation;
      const char* tests;
      const char* factor;
    } typed[] = {
        {"210", "", "", "به كار نمي رود"}, {"210", "35", "20", "1.08"},
        {"350", "35", "17", "1.128"},      {"450", "35", "10", "به كار نمي رود"},
        {"1000", "1000", "29", "1.006"},   {"", "", "", ""},
    };
    for (const auto& t : typed) {
      const std::array<const char*, 3> texts = {t.specified, t.deviation, t.tests};
      for (size_t i = 0; i < texts.size(); ++i) {
        QLineEdit* edit =
            strength->findChildren<QLineEdit*>(QStringLiteral("Text%1").arg(i + 1))[0];
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QString::fromUtf8(texts[i]));
      }
      QCOMPARE(strength->findChild<QLabel*>("RecordFactor")->text(), QString::fromUtf8(t.factor));
      QCOMPARE(strength->size(), size);
    }
  }

  // The sand's masses typed on a Persian keyboard into the sieve window's cells, each left with
  // Enter: the window keeps its size, refuses a cell that is no mass with the cell put back and the
  // focus in it, and its button puts the fineness modulus into the fineness box.
  void theSieveWindowTakesTypedMassesIntoTheDesign() {
    child<QAction>("MENSIEVES")->trigger();
    auto* sieves = child<QWidget>("SieveAnalysis");
    QTRY_VERIFY(sieves->isVisible());
    const QSize size = sieves->size();
    const auto cell = [sieves](int n) {
      return sieves->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
    };
    // 9.5 mm to 150 µm are cells 8 to 14 of the fine table, the pan 15.
    const char* masses[] = {"0", "۲۰", "85", "١١٠", "130", "۹۰", "50", "15"};
    for (int i = 0; i < 8; ++i) {
      cell(8 + i)->setFocus();
      // Key by key, as a Persian keyboard sends them (keyClicks takes ASCII only).
      for (const QChar c : QString::fromUtf8(masses[i])) {
        QTest::sendKeyEvent(QTest::Click, cell(8 + i), Qt::Key(c.unicode()), QString(c), {});
      }
      QTest::keyClick(cell(8 + i), Qt::Key_Return);
    }
    QVERIFY(sieves->findChild<QLabel*>("FineResults")->text().contains("3.21"));
    QCOMPARE(sieves->findChild<QLabel*>("FineValue9_2")->text(), QString("79.0"));
    QCOMPARE(sieves->size(), size);
    cell(9)->setFocus();
    QTest::keyClick(cell(9), Qt::Key_End);
    QTest::keyClicks(cell(9), "g");
    QTest::keyClick(cell(9), Qt::Key_Return);
    QCOMPARE(prompter.shown.size(), size_t(1));
    QCOMPARE(cell(9)->text(), QString("20"));  // as every box writes the digits
    QTRY_COMPARE(sieves->focusWidget(), cell(9));
    click("UseInDesign");
    QTRY_VERIFY(!sieves->isVisible());
    QCOMPARE(box(4)->text(), QString("3.21"));
    QCOMPARE(box(2)->text(), QString("25.4"));
  }

  // A box holds a text as long as a mix file can: opened, edited, saved and opened again, it is
  // whole. A paste of more than 1000 characters is refused whole by every way a paste comes; one
  // of 1000 is taken.
  void aLongTextFromAFileStaysWholeAndALongPasteIsRefused() {
    testing_support::TemporaryFolder folder;
    const QString digits(40000, u'7');
    workspace->design().setText(Box::Text7, digits.toStdString());
    prompter.choices = {folder.path("long.vdr"), folder.path("long.vdr")};
    workspace->files().saveAs();
    prompter.answer = true;
    workspace->files().newDesign();
    QTest::keyClick(box(7), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(box(7)->text(), digits);
    box(7)->setFocus();
    QTest::keyClick(box(7), Qt::Key_Home);
    QTest::keyClick(box(7), Qt::Key_8);
    QTest::keyClick(box(7), Qt::Key_S, Qt::ControlModifier);
    workspace->files().newDesign();
    prompter.choices = {folder.path("long.vdr")};
    QTest::keyClick(box(7), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(box(7)->text(), "8" + digits);

    const Shown refusal{messages::kWarningTitle, messages::kPasteTooLong, false};
    const std::function<void(QLineEdit*)> pastes[] = {
        [](QLineEdit* b) { QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier); },
        [](QLineEdit* b) { QTest::keyClick(b, Qt::Key_Insert, Qt::ShiftModifier); },
        [](QLineEdit* b) {
          // The box's own menu, its Paste chosen.
          QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            menu->findChild<QAction*>(QStringLiteral("edit-paste"))->trigger();
            menu->close();
          });
          QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                  b->mapToGlobal(QPoint(5, 5)));
          QApplication::sendEvent(b, &event);
        }};
    for (const auto& paste : pastes) {
      for (const int length : {1001, 1000000, 1000}) {
        box(2)->setFocus();
        box(2)->selectAll();
        QTest::keyClicks(box(2), QStringLiteral("19"));
        QGuiApplication::clipboard()->setText(QString(length, u'5'));
        prompter.shown.clear();
        paste(box(2));
        const bool refused = length > 1000;
        QCOMPARE(box(2)->text().size(), refused ? 2 : 1002);
        QCOMPARE(prompter.shown, refused ? std::vector<Shown>{refusal} : std::vector<Shown>{});
      }
    }
    // The project name keeps its own limit of 200 characters, and refuses a long paste all the
    // same rather than take its start.
    prompter.answer = true;
    workspace->files().newDesign();
    click("RUN");
    child<QAction>("MENREPORT")->trigger();
    auto* name = child<QWidget>("ReportDialog")->findChild<QLineEdit*>("Text1");
    QGuiApplication::clipboard()->setText(QString(1001, u'x'));
    prompter.shown.clear();
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(name->text(), QString());
    QCOMPARE(prompter.shown, std::vector<Shown>{refusal});
  }
};

}  // namespace veldora

QTEST_MAIN(veldora::MainWindowTest)
#include "mainwindow_test.moc"
