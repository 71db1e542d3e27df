// The main window's menu shortcuts from its input boxes, on the X11 platform, whose line edits
// bind keys of their own (Ctrl+E moves to the end of the line). Run under Xvfb by ctest.
#include "tests/support/files.h"
#include "tests/support/lines.h"
#include "tests/support/recordingprompter.h"
#include "tests/support/windows.h"
#include "ui/mainwindow.h"
#include "workspace/messages.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include <string>
#include <vector>

namespace veldora {

using Shown = testing_support::RecordingPrompter::Shown;

class ShortcutsTest : public QObject, private testing_support::MainWindowFixture {
  Q_OBJECT

 private:
  QLineEdit* focusedBox(Box which) {
    QLineEdit* box = window->box(which);
    box->setFocus();
    if (!QTest::qWaitFor([box] { return box->hasFocus(); })) qFatal("no focus in the box");
    return box;
  }

 private slots:
  void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb")); }

  void init() { QVERIFY(open(true)); }
  void cleanup() { close(); }

  void exitShortcutAsksFromEveryBox() {
    for (Box box : {Box::Text1, Box::Text7, Box::Text12}) {
      prompter.shown.clear();
      QTest::keyClick(focusedBox(box), Qt::Key_E, Qt::ControlModifier);
      QCOMPARE(prompter.shown,
               (std::vector<Shown>{{messages::kWarningTitle, messages::kExitQuestion, true}}));
      QVERIFY(window->isVisible());  // answered No
    }
  }

  void fileShortcutsWorkFromABox() {
    QLineEdit* box = focusedBox(Box::Text1);
    QTest::keyClick(box, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(prompter.shown,
             (std::vector<Shown>{{messages::kWarningTitle, messages::kNewQuestion, true}}));
    QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(prompter.requests.size(), size_t{2});
    QVERIFY(prompter.requests[0].save && !prompter.requests[1].save);
    QTest::keyClick(box, Qt::Key_F5);
    QCOMPARE(window->findChild<QListWidget*>(QStringLiteral("RESULTS"))->count(), 15);
  }

  void viewShortcutWorksFromABox() {
    workspace->design().run();
    workspace->trialBatch().open();
    QVERIFY(workspace->trialBatch().ok());
    workspace->trialBatch().adjust();
    QTest::keyClick(focusedBox(Box::Text4), Qt::Key_W, Qt::ControlModifier);
    QVERIFY(workspace->state().showsDialog(OptionDialog::ResultView));
  }

  void reportShortcutWorksFromABox() {
    workspace->design().run();
    QTest::keyClick(focusedBox(Box::Text9), Qt::Key_P, Qt::ControlModifier);
    QVERIFY(workspace->state().shows(Window::Report));
  }

  // Persian digits typed into a box of a window opened on a mix file become ASCII digits at once,
  // the cursor staying where the user types, and Ctrl+S stores them so.
  void persianDigitsAreStoredAsAscii() {
    testing_support::TemporaryFolder folder;
    const std::string file = folder.path("design.vdr");
    QVERIFY(workspace->files().saveTo(file));
    QVERIFY(workspace->files().open({file}));
    QLineEdit* box = focusedBox(Box::Text1);  // "50"
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Right);
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString::fromUtf8("۶"), {});
    QCOMPARE(box->text(), QStringLiteral("560"));
    QCOMPARE(box->cursorPosition(), 2);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString::fromUtf8("۵"), {});
    QCOMPARE(box->text(), QStringLiteral("56"));
    QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(testing_support::splitLines(testing_support::readFile(file))[0], std::string("56"));
  }

  void boxesKeepTheirEditingKeys() {
    QLineEdit* box = focusedBox(Box::Text2);  // "25.4"
    QTest::keyClick(box, Qt::Key_Home);
    QCOMPARE(box->cursorPosition(), 0);
    QTest::keyClick(box, Qt::Key_End);
    QCOMPARE(box->cursorPosition(), 4);
    QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(box->selectedText(), QStringLiteral("4"));
    QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(box->selectedText(), QStringLiteral("25.4"));
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("25."));
  }
};

}  // namespace veldora

QTEST_MAIN(veldora::ShortcutsTest)
#include "shortcuts_test.moc"
