#include "mainwindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <string>

namespace veldora {

class QuietPrompter : public Prompter {
 public:
  void showMessage(const std::string&, const std::string&) override {}
  bool askYesNo(const std::string&, const std::string&) override { return answer; }
  std::optional<std::string> chooseFile(const FileDialogRequest&) override { return std::nullopt; }
  bool answer = false;
};

// The wiring between the condition windows and the workspace; the rules themselves are tested on
// the workspace.
class ConditionsUiTest : public QObject {
  Q_OBJECT

 private:
  QuietPrompter prompter;
  Workspace* workspace = nullptr;
  MainWindow* window = nullptr;

  QWidget* find(const char* name) const {
    return window->findChild<QWidget*>(QString::fromLatin1(name));
  }
  void click(QWidget* parent, const char* button) {
    auto* b = parent->findChild<QPushButton*>(QString::fromLatin1(button));
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
  }

 private slots:
  void init() {
    workspace = new Workspace(prompter);
    window = new MainWindow(*workspace);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
  }
  void cleanup() {
    delete window;
    delete workspace;
  }

  void rowButtonOpensItsDialogAndDisablesTheWindow() {
    click(window, "Command3");
    QWidget* form4 = find("Form4");
    QVERIFY(form4 && form4->isVisible() && form4->isEnabled());
    QVERIFY(!window->centralWidget()->isEnabled());
    QVERIFY(!form4->findChild<QPushButton*>(QStringLiteral("Command3"))->isEnabled());

    click(form4, "Command6");
    QWidget* dialog4 = find("Dialog4");
    QVERIFY(dialog4 && dialog4->isVisible());
    QVERIFY(!form4->isEnabled());
    QTest::mouseClick(dialog4->findChild<QRadioButton*>(QStringLiteral("Option1_1")),
                      Qt::LeftButton);
    click(dialog4, "OKButton");
    QVERIFY(!dialog4->isVisible());
    QVERIFY(form4->isEnabled());
    QVERIFY(form4->findChild<QPushButton*>(QStringLiteral("Command3"))->isEnabled());
    QCOMPARE(form4->findChild<QLabel*>(QStringLiteral("Label5"))->text(),
             QString::fromUtf8("بتن هوادار"));

    click(form4, "Command1");
    QVERIFY(!form4->isVisible());
    QVERIFY(window->centralWidget()->isEnabled());
  }

  void closeBoxActsAsCancel() {
    click(window, "Command3");
    QWidget* form4 = find("Form4");
    click(form4, "Command2");
    QWidget* dialog = find("Dialog");
    QTest::mouseClick(dialog->findChild<QRadioButton*>(QStringLiteral("Option1_2")),
                      Qt::LeftButton);
    dialog->close();  // the close box
    QVERIFY(!dialog->isVisible());
    QVERIFY(form4->isEnabled());
    QCOMPARE(workspace->conditions().workability, Workability::Medium);

    form4->close();
    QVERIFY(!form4->isVisible());
    QVERIFY(window->centralWidget()->isEnabled());
    QCOMPARE(form4->findChild<QLabel*>(QStringLiteral("Label2"))->text(),
             QString::fromUtf8("شزايط عادي"));  // CANCEL writes the option caption
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

  // Every condition dialog opens, works and closes again on every opening, whichever way it was
  // closed before: a disabled window must not leave its dialogs disabled.
  void everyConditionDialogWorksOnEveryOpening() {
    workspace->chooseOption(OptionDialog::Dialog4, 1);  // every row offered
    workspace->chooseOption(OptionDialog::Dialog2, 2);
    click(window, "Command3");
    QWidget* form4 = find("Form4");
    const char* rows[] = {"Command2", "Command3", "Command4",
                          "Command5", "Command6", "Command10_0"};
    for (int row = 0; row < kConditionRows; ++row) {
      const auto dialog = static_cast<OptionDialog>(row);
      const int count = Workspace::optionCount(dialog);
      const int original = workspace->selection(dialog);
      // OK, Cancel, close box, then OK again back to the original selection.
      for (int way : {0, 1, 2, 0}) {
        const int before = workspace->selection(dialog);
        const int option = way == 0 && before != original ? original : (before + 1) % count;
        click(form4, rows[row]);
        QWidget* window = find(dialogName(dialog));
        verifyUsable(window, form4);
        const bool kept = chooseAndClose(window, option, way);
        QCOMPARE(workspace->selection(dialog), kept ? option : before);
        QVERIFY(!window->isVisible());
        QVERIFY(form4->isEnabled());
      }
    }
    click(form4, "Command1");
    QVERIFY(!form4->isVisible());
    QVERIFY(window->centralWidget()->isEnabled());
  }

  void aDialogStillWorksAfterCancelAndNew() {
    click(window, "Command3");
    QWidget* form4 = find("Form4");
    click(form4, "Command2");
    chooseAndClose(find("Dialog"), 0, 0);
    click(form4, "Command7");  // CANCEL
    prompter.answer = true;
    workspace->nw();
    window->refresh();
    click(window, "Command3");
    click(form4, "Command2");
    verifyUsable(find("Dialog"), form4);
    chooseAndClose(find("Dialog"), 2, 0);
    QCOMPARE(workspace->conditions().workability, Workability::High);
  }

  void viewSwitchesTheListsOnEveryOpening() {
    QVERIFY(!window->findChild<QAction*>(QStringLiteral("MENVIEW"))->isEnabled());
    workspace->RN();
    workspace->Command5();
    QVERIFY(workspace->trialBatchOk());
    workspace->Command6();
    window->refresh();
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
