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
  bool askYesNo(const std::string&, const std::string&) override { return false; }
  std::optional<std::string> chooseFile(const FileDialogRequest&) override { return std::nullopt; }
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

  void viewSwitchesTheListsOnceAdjusted() {
    QVERIFY(!window->findChild<QAction*>(QStringLiteral("MENVIEW"))->isEnabled());
    workspace->RN();
    workspace->Command5();
    QVERIFY(workspace->trialBatchOk());
    workspace->Command6();
    window->refresh();
    QAction* view = window->findChild<QAction*>(QStringLiteral("MENVIEW"));
    QVERIFY(view->isEnabled());
    QVERIFY(find("List1")->isVisible());
    view->trigger();
    QWidget* dialog8 = find("Dialog8");
    QVERIFY(dialog8 && dialog8->isVisible());
    click(dialog8, "OKButton");
    QVERIFY(find("RESULTS")->isVisible());
    QVERIFY(!find("List1")->isVisible());
  }
};

}  // namespace veldora

QTEST_MAIN(veldora::ConditionsUiTest)
#include "conditions_ui_test.moc"
