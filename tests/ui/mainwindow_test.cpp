// The main window's wiring to the workspace; the rules themselves are tested on the workspace.
#include "ui/mainwindow.h"

#include "engine/texts.h"
#include "report/bidi.h"
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

  void runButtonAndF5FillTheList() {
    QTRY_VERIFY(box(1)->hasFocus());  // where the user starts typing
    click("RUN");
    auto* results = child<QListWidget>("RESULTS");
    QCOMPARE(results->count(), 15);
    QVERIFY(results->isVisible());
    QVERIFY(child<QPushButton>("Command5")->isEnabled());
    QVERIFY(!child<QPushButton>("Command6")->isEnabled());

    box(1)->selectAll();
    QTest::keyClicks(box(1), "75");
    QTest::keyClick(window.get(), Qt::Key_F5);
    QCOMPARE(results->item(1)->text().toStdString(),
             std::string(texts::kWaterLabel) + " 192.6" + texts::kKilogram);
  }

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

  // A spreadsheet cell copies as "250\r\n": the box keeps the first line, as the file will.
  void aPastedLineBreakIsNotKept() {
    QGuiApplication::clipboard()->setText(QStringLiteral("250\r\n"));
    box(3)->setFocus();
    box(3)->selectAll();
    QTest::keyClick(box(3), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box(3)->text(), QStringLiteral("250"));
    QCOMPARE(workspace->state().mainWindow.text(Box::Text3), std::string("250"));
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

  // No keeps every window; Yes, and the frame's close box without asking, close them all.
  void exitClosesEveryWindowOnYesOnly() {
    click("Command1");
    QWidget* guidance = window->findChild<QWidget*>(QStringLiteral("Form2"));
    click("END");
    QVERIFY(window->isVisible() && guidance->isVisible());
    prompter.answer = true;
    click("END");
    QVERIFY(!window->isVisible() && !guidance->isVisible());
    QCOMPARE(prompter.shown.size(), size_t{2});

    init();
    click("Command1");
    window->close();
    QVERIFY(!window->findChild<QWidget*>(QStringLiteral("Form2"))->isVisible());
    QVERIFY(prompter.shown.empty());
  }

  void guidanceWindowsHideAndComeBackUnchanged() {
    for (const auto& [opener, name] : {std::pair{"Command1", "Form2"}, {"Command2", "Form3"}}) {
      click(opener);
      QWidget* guidance = window->findChild<QWidget*>(QString::fromLatin1(name));
      QVERIFY(guidance && guidance->isVisible());
      QTest::mouseClick(guidance->findChild<QPushButton*>(QStringLiteral("Command1")),
                        Qt::LeftButton);
      QVERIFY(!guidance->isVisible());
      click(opener);
      QCOMPARE(window->findChild<QWidget*>(QString::fromLatin1(name)), guidance);
      QVERIFY(guidance->isVisible());
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

  void trialBatchWindowWiring() {
    click("RUN");
    click("Command5");
    TrialBatchDialog* dialog6 = window->findChild<TrialBatchDialog*>();
    QVERIFY(dialog6 && dialog6->isVisible());
    QVERIFY(!window->centralWidget()->isEnabled());
    QVERIFY(!dialog6->box(3)->isVisible());  // non-air-entrained: no air row
    QCOMPARE(dialog6->box(2)->text(), QStringLiteral(" 2366"));
    QTRY_VERIFY(dialog6->box(1)->hasFocus());
    QTest::keyClick(dialog6->box(1), Qt::Key_Up);
    QVERIFY(dialog6->box(4)->hasFocus());

    dialog6->box(2)->selectAll();
    QTest::keyClicks(dialog6->box(2), "40000");
    QTest::mouseClick(dialog6->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    QVERIFY(dialog6->isVisible());  // refused: outside the 16-bit range
    QTRY_VERIFY(dialog6->box(2)->hasFocus());
    dialog6->close();  // the close box acts as Cancel
    QVERIFY(!dialog6->isVisible());
    QVERIFY(window->centralWidget()->isEnabled());
    QCOMPARE(dialog6->box(2)->text(), QStringLiteral(" 2366"));

    click("Command5");
    QTest::mouseClick(dialog6->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    click("Command6");
    QVERIFY(child<QListWidget>("List1")->isVisible());
    QVERIFY(!child<QListWidget>("RESULTS")->isVisible());
    QCOMPARE(child<QListWidget>("List1")->count(), 9);
    QVERIFY(child<QAction>("MENVIEW")->isEnabled());
  }

  // RE&PORT... follows the last complete run: not before a run, after a stopped run or New; its
  // dialog refuses a bad value in its box, and OK opens the print preview of three pages.
  void reportFollowsTheLastCompleteRun() {
    auto* report = child<QAction>("MENREPORT");
    QVERIFY(!report->isEnabled());
    click("RUN");
    QVERIFY(report->isEnabled());
    box(3)->selectAll();
    QTest::keyClick(box(3), Qt::Key_Backspace);
    QTest::keyClick(box(3), Qt::Key_F5);  // the strength check stops the run
    QVERIFY(!report->isEnabled());
    QTest::keyClicks(box(3), "210");
    click("RUN");
    prompter.answer = true;
    workspace->files().newDesign();
    QVERIFY(!report->isEnabled());
    click("RUN");

    report->trigger();
    auto* dialog = window->findChild<QWidget*>(QStringLiteral("ReportDialog"));
    QVERIFY(dialog && dialog->isVisible() && !window->centralWidget()->isEnabled());
    auto* pour = dialog->findChild<QLineEdit*>(QStringLiteral("Text2"));
    pour->selectAll();
    QTest::keyClicks(pour, "0");
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    QCOMPARE(prompter.shown.back().text, std::string(messages::kPourVolumeInvalid));
    QTRY_VERIFY(pour->hasFocus());
    pour->selectAll();
    QTest::keyClicks(pour, "12");
    QTest::keyClick(pour, Qt::Key_Return);
    auto* preview = child<QPrintPreviewDialog>("ReportPreview");
    QVERIFY(preview->isVisible() && !dialog->isVisible());
    const int pages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
    QVERIFY(pages >= 1 && pages <= 3);
    QTest::keyClick(preview, Qt::Key_Escape);
    QVERIFY(!preview->isVisible());
    QVERIFY(window->centralWidget()->isEnabled());

    // Opened again, Escape from a box cancels it.
    report->trigger();
    QVERIFY(dialog->isVisible());
    QTest::keyClick(pour, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QVERIFY(window->centralWidget()->isEnabled());
  }

  // Printed to a PDF file from the preview, the report is written whole or not at all, with a
  // message, and never over the design's mix file.
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
    for (const auto& [path, message] : prints) {
      prompter.shown.clear();
      child<QAction>("MENREPORT")->trigger();
      QTest::mouseClick(child<QWidget>("ReportDialog")->findChild<QPushButton*>("OKButton"),
                        Qt::LeftButton);
      auto* preview = child<QPrintPreviewDialog>("ReportPreview");
      QPrinter* printer = preview->printer();
      printer->setOutputFormat(QPrinter::PdfFormat);
      printer->setOutputFileName(QString::fromStdString(path));
      emit preview->paintRequested(printer);  // as its print button does
      preview->accept();
      QVERIFY(window->centralWidget()->isEnabled());
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

  // The program's own message boxes and file dialogs, as the user meets them.
  void theRealPrompterShowsItsDialogs() {
    WidgetPrompter real;
    testing_support::whenModal<QMessageBox>([](QMessageBox* box) {
      QCOMPARE(box->windowTitle(), QString::fromUtf8(texts::kErrorTitle));
      QCOMPARE(box->text(), QString::fromUtf8(messages::kMissingFile));
      QCOMPARE(box->icon(), QMessageBox::NoIcon);
      QCOMPARE(box->layoutDirection(), Qt::RightToLeft);
      QCOMPARE(box->standardButtons(), QMessageBox::Ok);
      box->button(QMessageBox::Ok)->click();
    });
    real.showMessage(texts::kErrorTitle, messages::kMissingFile);

    for (const auto button : {QMessageBox::Yes, QMessageBox::No}) {
      testing_support::whenModal<QMessageBox>([button](QMessageBox* box) {
        QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        box->button(button)->click();
      });
      QCOMPARE(real.askYesNo(messages::kWarningTitle, messages::kExitQuestion),
               button == QMessageBox::Yes);
    }

    const QString start = QDir::temp().filePath(QStringLiteral("start.vdr"));
    for (const bool save : {true, false}) {
      testing_support::whenModal<QFileDialog>([save, start](QFileDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("select *.vdr file for save"));
        QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("text file(*.vdr)")});
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("vdr"));
        QCOMPARE(dialog->acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QCOMPARE(dialog->selectedFiles().value(0), start);
        dialog->reject();
      });
      const FileDialogRequest request{save, messages::kFileDialogTitle, messages::kFileDialogFilter,
                                      messages::kFileDialogSuffix, start.toStdString()};
      QVERIFY(!real.chooseFile(request));
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
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("shown");
    const QString lri(QChar(0x2066)), pdi(QChar(0x2069));
    QTest::newRow("positive") << QStringLiteral("a= 178.6kg") << "a= " + lri + "178.6" + pdi + "kg";
    QTest::newRow("negative") << QStringLiteral("a=-12kg") << "a=" + lri + "-12" + pdi + "kg";
    QTest::newRow("below one") << QStringLiteral("a= .5") << "a= " + lri + ".5" + pdi;
    QTest::newRow("hundredths") << QString::fromUtf8("a= 67،")
                                << "a= " + lri + "67" + pdi + QString::fromUtf8("،");
    QTest::newRow("heading") << QStringLiteral("ACI-89 x ") << QStringLiteral("ACI-89 x ");
  }

  void numbersAreIsolatedForDisplayOnly() {
    QFETCH(QString, line);
    QFETCH(QString, shown);
    QCOMPARE(displayLine(line), shown);
  }
};

}  // namespace veldora

QTEST_MAIN(veldora::MainWindowTest)
#include "mainwindow_test.moc"
