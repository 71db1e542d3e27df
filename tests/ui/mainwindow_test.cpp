#include "mainwindow.h"

#include "aboutwindow.h"
#include "messages.h"
#include "placement.h"
#include "resultdelegate.h"
#include "texts.h"
#include "trialbatchdialog.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <string>
#include <vector>

namespace veldora {

class FakePrompter : public Prompter {
 public:
  void showMessage(const std::string& title, const std::string& text) override {
    messages.push_back(title + "|" + text);
  }
  bool askYesNo(const std::string& title, const std::string& text) override {
    messages.push_back(title + "|" + text);
    return answer;
  }
  std::optional<std::string> chooseFile(const FileDialogRequest&) override { return std::nullopt; }
  std::vector<std::string> messages;
  bool answer = false;
};

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  FakePrompter* prompter = nullptr;
  Workspace* workspace = nullptr;
  MainWindow* window = nullptr;

  template <typename T>
  T* child(const char* name) const {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no child %s", name);
    return found;
  }
  QLineEdit* box(int n) const { return window->box(static_cast<Box>(n)); }

 private slots:
  void init() {
    prompter = new FakePrompter;
    workspace = new Workspace(*prompter);
    window = new MainWindow(*workspace);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
  }

  void cleanup() {
    delete window;
    delete workspace;
    delete prompter;
  }

  void startsUntitledWithTheTrialCommandsUnavailable() {
    QCOMPARE(window->windowTitle(), QStringLiteral("VELDORA  UNTITLED"));
    QVERIFY(!child<QPushButton>("Command5")->isEnabled());
    QVERIFY(!child<QPushButton>("Command6")->isEnabled());
    QVERIFY(!child<QAction>("MENVIEW")->isEnabled());
    QVERIFY(!child<QAction>("MENSELECTCODE")->isEnabled());
    QCOMPARE(child<QListWidget>("RESULTS")->count(), 0);
    QCOMPARE(box(2)->text(), QStringLiteral("25.4"));
    QTRY_VERIFY(box(1)->hasFocus());
  }

  void runButtonAndF5FillTheList() {
    QTest::mouseClick(child<QPushButton>("RUN"), Qt::LeftButton);
    auto* results = child<QListWidget>("RESULTS");
    QCOMPARE(results->count(), 15);
    QVERIFY(results->isVisible());
    QVERIFY(child<QPushButton>("Command5")->isEnabled());
    QVERIFY(!child<QPushButton>("Command6")->isEnabled());

    box(1)->selectAll();
    QTest::keyClicks(box(1), "75");
    QTest::keyClick(window, Qt::Key_F5);
    QCOMPARE(workspace->inputs().SL, 75.0);
    QCOMPARE(results->item(1)->text().toStdString(),
             std::string(texts::kWaterLabel) + " 192.6" + texts::kKilogram);
  }

  void failedCheckHidesTheListAndFocusesTheBox() {
    box(4)->selectAll();
    QTest::keyClicks(box(4), "9");
    box(1)->setFocus();
    QTest::mouseClick(child<QPushButton>("RUN"), Qt::LeftButton);
    QCOMPARE(prompter->messages.size(), size_t{1});
    QCOMPARE(prompter->messages[0],
             std::string(texts::kErrorTitle) + "|" + texts::kFinenessRangeMessage);
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
    QCOMPARE(workspace->text(Box::Text3), std::string("250"));
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
    QTest::mouseClick(child<QPushButton>("RUN"), Qt::LeftButton);  // enables Command5
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

  void noOnExitChangesNothing() {
    QTest::mouseClick(child<QPushButton>("RUN"), Qt::LeftButton);
    prompter->answer = false;
    QTest::mouseClick(child<QPushButton>("END"), Qt::LeftButton);
    QCOMPARE(prompter->messages.back(),
             std::string(messages::kWarningTitle) + "|" + messages::kExitQuestion);
    QVERIFY(window->isVisible());
    QCOMPARE(child<QListWidget>("RESULTS")->count(), 15);
  }

  void guidanceWindowsHideAndComeBackUnchanged() {
    for (const char* opener : {"Command1", "Command2"}) {
      QTest::mouseClick(child<QPushButton>(opener), Qt::LeftButton);
      QWidget* shown = QApplication::topLevelWidgets().last();
      const QString name = QString::fromLatin1(opener) == QLatin1String("Command1")
                               ? QStringLiteral("Form2")
                               : QStringLiteral("Form3");
      QWidget* guidance = window->findChild<QWidget*>(name);
      QVERIFY(guidance && guidance->isVisible());
      QVERIFY(window->isEnabled());
      QTest::mouseClick(guidance->findChild<QPushButton*>(QStringLiteral("Command1")),
                        Qt::LeftButton);
      QVERIFY(!guidance->isVisible());
      QTest::mouseClick(child<QPushButton>(opener), Qt::LeftButton);
      QCOMPARE(window->findChild<QWidget*>(name), guidance);
      QVERIFY(guidance->isVisible());
      Q_UNUSED(shown);
    }
    auto* maxima = window->findChild<QLabel*>(QStringLiteral("Label1_21"));
    QCOMPARE(maxima->text(), QStringLiteral("75"));
  }

  void aboutIsLoadedAfreshEachTime() {
    QTest::mouseClick(child<QPushButton>("Command4"), Qt::LeftButton);
    QPointer<QWidget> about = window->findChild<AboutWindow*>(QStringLiteral("frmAbout"));
    QVERIFY(about && about->isVisible());
    QCOMPARE(about->windowTitle(), QStringLiteral("About VELDORA"));
    QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
             QStringLiteral("VELDORA"));
    QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version 1.0.0"));
    QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QTRY_VERIFY(about.isNull());
    QTest::mouseClick(child<QPushButton>("Command4"), Qt::LeftButton);
    QVERIFY(window->findChild<AboutWindow*>(QStringLiteral("frmAbout")));
  }

  void trialBatchWindowWiring() {
    QTest::mouseClick(child<QPushButton>("RUN"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("Command5"), Qt::LeftButton);
    TrialBatchDialog* dialog6 = window->trialBatchDialog();
    QVERIFY(dialog6 && dialog6->isVisible());
    QVERIFY(!window->centralWidget()->isEnabled());
    QVERIFY(!dialog6->box(3)->isVisible());  // non-air-entrained: no air row
    QCOMPARE(dialog6->box(2)->text(), QStringLiteral(" 2366"));
    QTRY_VERIFY(dialog6->box(1)->hasFocus());
    QTest::keyClick(dialog6->box(1), Qt::Key_Up);
    QVERIFY(dialog6->box(4)->hasFocus());
    QTest::keyClick(dialog6->box(4), Qt::Key_Return);
    QVERIFY(dialog6->box(1)->hasFocus());

    dialog6->box(2)->selectAll();
    QTest::keyClicks(dialog6->box(2), "40000");
    QTest::mouseClick(dialog6->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    QVERIFY(dialog6->isVisible());  // refused: outside the 16-bit range
    QTRY_VERIFY(dialog6->box(2)->hasFocus());
    dialog6->close();  // the close box acts as Cancel
    QVERIFY(!dialog6->isVisible());
    QVERIFY(window->centralWidget()->isEnabled());
    QCOMPARE(dialog6->box(2)->text(), QStringLiteral(" 2366"));
    QVERIFY(!child<QPushButton>("Command6")->isEnabled());

    QTest::mouseClick(child<QPushButton>("Command5"), Qt::LeftButton);
    QTest::mouseClick(dialog6->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    QVERIFY(child<QPushButton>("Command6")->isEnabled());
    QTest::mouseClick(child<QPushButton>("Command6"), Qt::LeftButton);
    QVERIFY(child<QListWidget>("List1")->isVisible());
    QVERIFY(!child<QListWidget>("RESULTS")->isVisible());
    QCOMPARE(child<QListWidget>("List1")->count(), 9);
    QVERIFY(child<QAction>("MENVIEW")->isEnabled());
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
