#include "tests/support/recordingprompter.h"
#include "tests/support/windows.h"
#include "ui/mainwindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>
#include <string>

namespace veldora {

// The wiring between the condition windows and the workspace; the rules themselves are tested on
// the workspace.
class ConditionsUiTest : public QObject, private testing_support::MainWindowFixture {
  Q_OBJECT

 private:
  QWidget* find(const char* name) const {
    return window->findChild<QWidget*>(QString::fromLatin1(name));
  }
  void click(QWidget* parent, const char* button) {
    auto* b = parent->findChild<QPushButton*>(QString::fromLatin1(button));
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
  }

  // The dialog is enabled with its buttons, and the window that opened it is not.
  void verifyUsable(QWidget* dialog, QWidget* owner) {
    QVERIFY(dialog->isVisible() && dialog->isEnabled());
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) QVERIFY(button->isEnabled());
    for (QRadioButton* option : dialog->findChildren<QRadioButton*>()) QVERIFY(option->isEnabled());
    QVERIFY(!owner->isEnabled());
  }

  // Closes the open dialog by OK (0), Cancel (1) or its frame's close box (2) after choosing
  // option; true when the choice was kept.
  bool chooseAndClose(QWidget* dialog, int option, int way) {
    // Right to left, a short caption and the button's circle stand at its right end.
    auto* button = dialog->findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(option));
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(button->width() - 8, button->height() / 2));
    if (way == 2) {
      dialog->close();
    } else {
      click(dialog, way == 0 ? "OKButton" : "CancelButton");
    }
    return way == 0;
  }

 private slots:
  void init() { QVERIFY(open(false)); }
  void cleanup() { close(); }

  // Every condition dialog opens, works and closes again on every opening, whichever way it was
  // closed before: a disabled window must not leave its dialogs disabled.
  void everyConditionDialogWorksOnEveryOpening() {
    workspace->conditions().choose(OptionDialog::ConcreteType, 1);  // every row offered
    workspace->conditions().choose(OptionDialog::Exposure, 2);
    click(window.get(), "Command3");
    QWidget* form4 = find("Form4");
    const char* rows[] = {"Command2", "Command3", "Command4",
                          "Command5", "Command6", "Command10_0"};
    for (int row = 0; row < kConditionRows; ++row) {
      const auto dialog = static_cast<OptionDialog>(row);
      const int count = optionCount(dialog);
      const int original = workspace->conditions().selection(dialog);
      // OK, Cancel, close box, then OK again back to the original selection.
      for (int way : {0, 1, 2, 0}) {
        const int before = workspace->conditions().selection(dialog);
        const int option = way == 0 && before != original ? original : (before + 1) % count;
        click(form4, rows[row]);
        QWidget* shown = find(optionDialogInfo(dialog).objectName);
        verifyUsable(shown, form4);
        const bool kept = chooseAndClose(shown, option, way);
        QCOMPARE(workspace->conditions().selection(dialog), kept ? option : before);
        QVERIFY(!shown->isVisible());
        QVERIFY(form4->isEnabled());
        QCOMPARE(form4->findChild<QLabel*>(QStringLiteral("Label%1").arg(row + 1))->text(),
                 QString::fromStdString(workspace->state().conditionsWindow.texts[size_t(row)]));
      }
    }
    click(form4, "Command1");
    QVERIFY(!form4->isVisible());
    QVERIFY(window->centralWidget()->isEnabled());
  }

  void aDialogStillWorksAfterCancelAndNew() {
    click(window.get(), "Command3");
    QWidget* form4 = find("Form4");
    click(form4, "Command2");
    chooseAndClose(find("Dialog"), 0, 0);
    click(form4, "Command7");  // CANCEL
    prompter.answer = true;
    workspace->files().newDesign();
    click(window.get(), "Command3");
    click(form4, "Command2");
    verifyUsable(find("Dialog"), form4);
    chooseAndClose(find("Dialog"), 2, 0);
    QCOMPARE(workspace->state().conditions.workability, Workability::High);
    form4->close();  // the close box acts as CANCEL
    QVERIFY(!form4->isVisible());
    QVERIFY(window->centralWidget()->isEnabled());
    QCOMPARE(workspace->state().conditions.workability, Workability::Medium);
  }

  void viewSwitchesTheListsOnEveryOpening() {
    QVERIFY(!window->findChild<QAction*>(QStringLiteral("MENVIEW"))->isEnabled());
    workspace->design().run();
    workspace->trialBatch().open();
    QVERIFY(workspace->trialBatch().ok());
    workspace->trialBatch().adjust();
    QAction* view = window->findChild<QAction*>(QStringLiteral("MENVIEW"));
    QVERIFY(view->isEnabled());
    QVERIFY(find("List1")->isVisible());
    // OK with the design's list, Cancel, the close box, then OK with the adjusted list.
    for (const auto& [option, way, adjustedShown] :
         {std::tuple{0, 0, false}, {1, 1, false}, {1, 2, false}, {1, 0, true}}) {
      view->trigger();
      QWidget* dialog8 = find("Dialog8");
      QVERIFY(dialog8);
      verifyUsable(dialog8, window->centralWidget());
      chooseAndClose(dialog8, option, way);
      QVERIFY(!dialog8->isVisible());
      QVERIFY(window->centralWidget()->isEnabled());
      QCOMPARE(find("List1")->isVisible(), adjustedShown);
      QCOMPARE(find("RESULTS")->isVisible(), !adjustedShown);
    }
  }
};

}  // namespace veldora

QTEST_MAIN(veldora::ConditionsUiTest)
#include "conditions_ui_test.moc"
