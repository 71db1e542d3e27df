// What only a window can show: the keyboard's ways through the boxes, the focus after a message,
// the About window's load, printing the report to a file, a message that follows its window, long
// texts, Escape, where windows open and how numbers read among right-to-left text. The wiring of
// every window to the workspace is the sequence explorer's.
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
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

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

  void aStoppedRunPutsTheFocusInItsBox() {
    box(4)->selectAll();
    QTest::keyClicks(box(4), "9");
    box(1)->setFocus();
    click("RUN");
    QCOMPARE(prompter.shown,
             (std::vector<Shown>{{texts::kErrorTitle, texts::kFinenessRangeMessage}}));
    QVERIFY(!child<QListWidget>("RESULTS")->isVisible());
    QTRY_VERIFY(box(4)->hasFocus());
  }

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

  void tabFollowsItsOwnOrder() {
    click("RUN");  // enables Command5
    const std::vector<std::pair<QWidget*, QWidget*>> steps = {
        {box(1), child<QPushButton>("Command1")},
        {child<QPushButton>("Command3"), child<QPushButton>("Command4")},
        {box(10), child<QPushButton>("END")},
        {child<QPushButton>("RUN"), child<QPushButton>("Command5")},
        {child<QListWidget>("RESULTS"), box(11)},
        {box(12), box(1)},  // List1 is hidden and Command6 disabled: both are skipped
    };
    for (const auto& [from, to] : steps) {
      from->setFocus();
      QTRY_VERIFY(from->hasFocus());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QVERIFY2(to->hasFocus(), qPrintable(from->objectName()));
    }
  }

  void aboutIsLoadedAfreshEachTime() {
    click("Command4");
    QPointer<QWidget> about = window->findChild<AboutWindow*>(QStringLiteral("frmAbout"));
    QVERIFY(about && about->isVisible());
    QCOMPARE(about->windowTitle(), QStringLiteral("About VELDORA"));
    QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version 1.0.0"));
    QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QTRY_VERIFY(about.isNull());
    click("Command4");
    QVERIFY(window->findChild<AboutWindow*>(QStringLiteral("frmAbout")));
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

  // Beside a message the windows already show what it is about: an opened file whose design stops
  // shows its name in the title and no results while its message is up.
  void theWindowChangesBeforeItsMessage() {
    testing_support::TemporaryFolder folder;
    const std::string stops = folder.path("stops.vdr");
    prompter.choices = {stops, stops};
    click("RUN");
    box(1)->selectAll();
    QTest::keyClicks(box(1), "500");
    workspace->files().saveAs();
    click("RUN");
    QString title;
    bool listShown = true;
    prompter.whileShown = [&] {
      title = window->windowTitle();
      listShown = child<QListWidget>("RESULTS")->isVisible();
    };
    QTest::keyClick(box(2), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(prompter.shown.back().text, std::string(texts::kSlumpRangeMessage));
    QCOMPARE(title, QString::fromStdString("VELDORA  " + stops));
    QVERIFY(!listShown);
  }

  // A box holds a text as long as a mix file can: edited, saved and opened again, it is whole.
  void aLongTextStaysWhole() {
    testing_support::TemporaryFolder folder;
    const QString digits(40000, u'7');
    QGuiApplication::clipboard()->setText(digits);
    box(7)->setFocus();
    QTest::keyClick(box(7), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box(7), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box(7), Qt::Key_Home);
    QTest::keyClick(box(7), Qt::Key_8);
    prompter.choices = {folder.path("long.vdr"), folder.path("long.vdr")};
    QTest::keyClick(box(7), Qt::Key_S, Qt::ControlModifier);
    workspace->files().newDesign();
    QTest::keyClick(box(7), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(box(7)->text(), "8" + digits);
  }

  // Escape in every window the user answers acts as its Cancel (OK where that is its only button),
  // and the main window holds the user again.
  void escapeCancelsEveryDialog() {
    click("RUN");
    const struct {
      const char* opener;  // a main-window button or menu entry
      const char* then;    // a button of the window it opened, or nothing
      const char* window;
    } dialogs[] = {{"Command3", nullptr, "Form4"},
                   {"Command3", "Command2", "Dialog"},
                   {"Command5", nullptr, "Dialog6"},
                   {"MENREPORT", nullptr, "ReportDialog"},
                   {"MENREPORT", "OKButton", "ReportPreview"},
                   {"Command1", nullptr, "Form2"},
                   {"Command2", nullptr, "Form3"},
                   {"Command4", nullptr, "frmAbout"}};
    for (const auto& d : dialogs) {
      if (auto* action = window->findChild<QAction*>(d.opener)) {
        action->trigger();
      } else {
        click(d.opener);
      }
      if (d.then) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
          if (auto* b = w->isVisible() ? w->findChild<QPushButton*>(d.then) : nullptr) b->click();
        }
      }
      QWidget* dialog = window->findChild<QWidget*>(d.window);
      QVERIFY2(dialog && dialog->isVisible(), d.window);
      QWidget* focus = dialog->focusWidget() ? dialog->focusWidget() : dialog;
      QTest::keyClick(focus, Qt::Key_Escape);
      QVERIFY2(!dialog->isVisible(), d.window);
      if (QWidget* form4 = window->findChild<QWidget*>("Form4"); form4 && form4->isVisible()) {
        QTest::keyClick(form4, Qt::Key_Escape);
      }
      QVERIFY2(window->centralWidget()->isEnabled(), d.window);
    }
  }

  // The guidance and About windows open beside or below the main window where the screen has
  // room, and otherwise stay wholly on the screen. Sizes are those of the real windows.
  void windowsOpenBesideTheMainWindow_data() {
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("main");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("at");
    const QSize main(830, 673), aggregate(600, 304), slump(318, 316);
    QTest::newRow("1280x1024: below")
        << QRect(0, 0, 1280, 1024) << QRect(QPoint(0, 0), main) << aggregate << QPoint(0, 681);
    QTest::newRow("1280x1024: narrow window right")
        << QRect(0, 0, 1280, 1024) << QRect(QPoint(0, 0), main) << slump << QPoint(838, 0);
    QTest::newRow("1920x1080: right")
        << QRect(0, 0, 1920, 1080) << QRect(QPoint(0, 0), main) << aggregate << QPoint(838, 0);
    QTest::newRow("1920x1080, main at the right edge: left")
        << QRect(0, 0, 1920, 1080) << QRect(QPoint(1090, 200), main) << aggregate
        << QPoint(482, 200);
    QTest::newRow("1280x1024, main at the bottom: above")
        << QRect(0, 0, 1280, 1024) << QRect(QPoint(0, 351), main) << aggregate << QPoint(0, 39);
    QTest::newRow("1024x768: no room, on the screen")
        << QRect(0, 0, 1024, 768) << QRect(QPoint(0, 0), main) << aggregate << QPoint(424, 0);
    QTest::newRow("below a panel, main low: kept on the screen")
        << QRect(0, 30, 1024, 738) << QRect(QPoint(100, 300), main) << aggregate
        << QPoint(424, 300);
  }

  void windowsOpenBesideTheMainWindow() {
    QFETCH(QRect, screen);
    QFETCH(QRect, main);
    QFETCH(QSize, window);
    QFETCH(QPoint, at);
    QCOMPARE(besideMainWindow(screen, main, window), at);
  }

  void numbersAreIsolatedForDisplayOnly_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("shown");
    const QString lri(QChar(0x2066)), pdi(QChar(0x2069));
    QTest::newRow("positive") << 178.6 << 0 << "a= " + lri + "178.6" + pdi + "kg";
    QTest::newRow("negative") << -12.0 << 0 << "a=" + lri + "-12" + pdi + "kg";
    QTest::newRow("below one") << 0.5 << 0 << "a= " + lri + ".5" + pdi + "kg";
    QTest::newRow("hundredths") << 0.67 << 1 << "a= " + lri + "67" + pdi + "kg";
  }

  void numbersAreIsolatedForDisplayOnly() {
    QFETCH(double, value);
    QFETCH(int, form);
    QFETCH(QString, shown);
    QCOMPARE(displayLine({"a=", value, NumberForm(form), "kg"}), shown);
    QCOMPARE(displayLine(textLine("ACI-89 x ")), QStringLiteral("ACI-89 x "));
  }
};

}  // namespace veldora

QTEST_MAIN(veldora::MainWindowTest)
#include "mainwindow_test.moc"
