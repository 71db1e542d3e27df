// The sequence explorer: drives the real windows (offscreen) through seeded random sequences of
// whatever a user can do at that moment, and after every action checks that the windows still
// show the workspace's state. Batches of sequences run in child processes, so that a crash (or a
// sanitizer's finding) is caught, replayed and shrunk to the fewest actions that still fail.
//
//   ui_explorer                        the fixed seed set (what ctest runs)
//   ui_explorer --seconds N [--from S] random seeds from S for about N seconds
//   ui_explorer --replay FILE          one sequence of the actions in FILE, as a child runs it
#include "engine/numbers.h"
#include "files/mixdocument.h"
#include "presentation/bidi.h"
#include "presentation/numberforms.h"
#include "tests/support/files.h"
#include "ui/mainwindow.h"
#include "workspace/messages.h"
#include "workspace/sievetexts.h"
#include "workspace/workspace.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace veldora {
namespace {

using testing_support::TemporaryFolder;

// What the user types or pastes into a box, the keys pressed, the files the dialogs answer with
// and a drop brings ("" is Cancel), and the PDF files printed to ("a.vdr" stands for the mix file).
const QStringList kTexts = {"",
                            "50",
                            "25.4",
                            "210",
                            "2.8",
                            "1700",
                            "3.15",
                            "2.64",
                            "0.5",
                            "30",
                            "2350",
                            "7",
                            "180",
                            "150",
                            "75",
                            "12",
                            "0",
                            "1e308",
                            "-0",
                            "NaN",
                            "-5",
                            "1e-300",
                            "۷۵",
                            "٢٣٠",
                            "۲٫۹",
                            "بتن",
                            "250\r\n60",
                            "3/5",
                            QString(1000, u'7'),
                            QString(40000, u'7')};
const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> kKeys = {
    {Qt::Key_Escape, {}},
    {Qt::Key_Return, {}},
    {Qt::Key_Up, {}},
    {Qt::Key_Down, {}},
    {Qt::Key_Tab, {}},
    {Qt::Key_Backspace, {}},
    {Qt::Key_F5, {}},
    {Qt::Key_F10, {}},
    {Qt::Key_N, Qt::ControlModifier},
    {Qt::Key_S, Qt::ControlModifier},
    {Qt::Key_O, Qt::ControlModifier},
    {Qt::Key_P, Qt::ControlModifier},
    {Qt::Key_E, Qt::ControlModifier},
    {Qt::Key_W, Qt::ControlModifier}};
const std::vector<std::string> kFiles = {"a.vdr",         "b.vdr", "missing.vdr", "damaged.vdr",
                                         "folder.vdr",    "t.csv", "u.csv",       "damaged.csv",
                                         "no/such/c.vdr", ""};
// What a cell of the strength-tests table is given beside kTexts, and the rows a spreadsheet's
// clipboard holds when its Paste is pressed (a header, a row of three cylinders, one refused).
const QStringList kCellTexts = {"1403/07/01", "2024-10-20", "1403/12/31", "C25", "C30", "282"};
const QStringList kClipboards = {
    "date\tlabel\tc1\tc2\tc3\n1403/07/01\tC25\t282\t290\t\n1403/07/08\tC25\t301\t295\t299",
    "1403/07/15\tC25\t۲۶۸\t276\r\n1403/07/22\tC25\t255\t249\r\n2024-10-20\tC25\t322\t330",
    "1403/07/01\tC25\t282\t290\n1403/07/08\tC25\t301", "", "250\r\n60"};
const std::vector<std::string> kReports = {"r.pdf", "no/such/r.pdf", "a.vdr"};

// One thing the user does: its kind, the window and the widget or menu entry it acts on (by
// object name; "-" for the window itself), an argument (which text, key or file), and the seed of
// the answers the prompter gives meanwhile.
struct Action {
  std::string kind, window, target = "-";
  unsigned argument = 0, answers = 0;

  std::string line() const {
    return kind + ' ' + window + ' ' + target + ' ' + std::to_string(argument) + ' ' +
           std::to_string(answers);
  }
  static Action parse(const std::string& line) {
    Action a;
    std::istringstream(line) >> a.kind >> a.window >> a.target >> a.argument >> a.answers;
    return a;
  }
};

class Explorer;

// Answers the workspace's questions from the action's own seed, and checks at every message that
// the windows already show what it is about.
class ExplorerPrompter : public Prompter {
 public:
  explicit ExplorerPrompter(Explorer& explorer) : mExplorer(explorer) {}
  void reseed(unsigned seed) { mAnswers.seed(seed); }
  void showMessage(const std::string&, const std::string&) override;
  bool askYesNo(const std::string& title, const std::string& text) override {
    showMessage(title, text);
    // Yes to the exit question ends the sequence; it comes seldom, so that sequences run long.
    const int yes = text == messages::kExitQuestion ? 1 : 20;
    return std::uniform_int_distribution<int>(0, 39)(mAnswers) < yes;
  }
  std::optional<std::string> chooseFile(const FileDialogRequest& request) override;

 private:
  Explorer& mExplorer;
  std::mt19937 mAnswers;
};

class Explorer {
 public:
  // One kind of action: how often it is taken where it can be, how many arguments it has, the
  // targets it has in a shown window now (the window itself among them where it acts on it), and
  // what it does to one of them.
  struct Kind {
    const char* name;
    int weight;
    size_t arguments;
    std::vector<QObject*> (*targets)(Explorer&, QWidget* window);
    void (*perform)(Explorer&, QObject* target, unsigned argument);
  };
  static const std::vector<Kind> kKinds;

  explicit Explorer(const TemporaryFolder& folder) : mFolder(folder), mPrompter(*this) {
    testing_support::writeFile(folder.path("damaged.vdr"), "not a mix file\r\n");
    testing_support::writeFile(
        folder.path("t.csv"),
        testing_support::readFile(VELDORA_TEST_DATA "/strength_tests_20.csv"));
    testing_support::writeFile(
        folder.path("damaged.csv"),
        "date,label,cylinder-1,cylinder-2,cylinder-3\r\n1403/07/01,C25,0,1,\r\n");
    std::filesystem::create_directory(folder.path("folder.vdr"));
  }

  void start() {
    mFocusChecked = 0;
    mWorkspace = std::make_unique<Workspace>(mPrompter);
    mWindow = std::make_unique<MainWindow>(*mWorkspace);
    mWindow->show();
    settle();
  }
  void stop() {
    mWindow.reset();
    mWorkspace.reset();
    settle();
  }
  bool ended() const { return mWorkspace->state().mainWindow.programEnded; }
  std::string file(const std::string& name) const { return name.empty() ? "" : mFolder.path(name); }

  // Every action of kind the user can take now.
  std::vector<Action> possible(const Kind& kind) {
    std::vector<Action> found;
    for (QWidget* window : windows()) {
      if (!window->isVisible()) continue;
      for (QObject* target : kind.targets(*this, window)) {
        found.push_back({kind.name, window->objectName().toStdString(),
                         target == window ? "-" : target->objectName().toStdString()});
      }
    }
    return found;
  }

  // Takes the action where it is possible now (a replayed one may not be), first writing it to
  // the log, which must hold it even when it crashes the program; false where it is not.
  bool perform(const Action& action) {
    const auto kind = std::find_if(kKinds.begin(), kKinds.end(),
                                   [&action](const Kind& k) { return k.name == action.kind; });
    QWidget* window = findWindow(action.window);
    if (kind == kKinds.end() || !window || !window->isVisible()) return false;
    for (QObject* target : kind->targets(*this, window)) {
      const std::string name = target == window ? "-" : target->objectName().toStdString();
      if (name != action.target) continue;
      std::printf("act %s\n", action.line().c_str());
      std::fflush(stdout);
      mPrompter.reseed(action.answers);
      kind->perform(*this, target, action.argument);
      settle();
      return true;
    }
    return false;
  }

  // The invariants, after every action and at every message; the first broken one.
  std::optional<std::string> broken(bool atAMessage = false);

  // A file saved now and opened again gives the same state.
  std::optional<std::string> savedFileReopens() {
    const std::optional<MixDocument> document = mWorkspace->files().document();
    const std::optional<std::string> bytes = document ? writeMixFile(*document) : std::nullopt;
    if (!bytes) return std::nullopt;  // a box holds what no mix file can, or too much for one
    const std::string path = mFolder.path("reopened.vdr");
    testing_support::writeFile(path, *bytes);
    Workspace reopened(mQuiet);  // without Open's design run, which enables the trial batch
    if (!reopened.files().open({path, false})) return "the saved file does not open";
    if (reopened.files().document() != document) return "the reopened file differs";
    return std::nullopt;
  }

 private:
  struct QuietPrompter : Prompter {
    void showMessage(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> chooseFile(const FileDialogRequest&) override { return {}; }
  };

  static void settle() {
    for (int i = 0; i < 3; ++i) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QCoreApplication::processEvents();
    }
  }

  // The program's windows: the main window and its named child windows.
  std::vector<QWidget*> windows() const {
    std::vector<QWidget*> all = {mWindow.get()};
    for (QWidget* w : mWindow->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (w->isWindow() && !w->objectName().isEmpty()) all.push_back(w);
    }
    return all;
  }
  QWidget* findWindow(const std::string& name) const {
    for (QWidget* w : windows()) {
      if (w->objectName().toStdString() == name) return w;
    }
    return nullptr;
  }
  // The window of each Window, by name, in the enum's order.
  static std::string windowName(Window window, OptionDialog dialog = OptionDialog::Workability) {
    constexpr const char* kNames[] = {"Form1",
                                      "Form4",
                                      "",
                                      "Dialog6",
                                      "ReportDialog",
                                      "ReportPreview",
                                      "RequiredStrength",
                                      "SieveAnalysis",
                                      "StrengthTests"};
    return window == Window::OptionDialog ? optionDialogInfo(dialog).objectName
                                          : kNames[static_cast<size_t>(window)];
  }
  QWidget* holderWindow() const {
    const Holder& h = mWorkspace->state().holder;
    return findWindow(windowName(h.window, h.dialog));
  }
  // The named widgets of type T a user can reach in window (not those of a window it owns).
  template <typename T>
  static std::vector<QObject*> widgetsOf(QWidget* window) {
    std::vector<QObject*> own;
    if (qobject_cast<QPrintPreviewDialog*>(window)) return own;  // Qt's own controls
    for (T* w : window->findChildren<T*>()) {
      if (w->window() == window && w->isVisible() && w->isEnabled() && !w->objectName().isEmpty())
        own.push_back(w);
    }
    return own;
  }

  void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
      QTest::keyClick(box, Qt::Key_Delete);
    } else if (text.size() > 12 || text.contains(u'\n')) {
      // A long text enters as one paste: typed key by key it would take minutes.
      QGuiApplication::clipboard()->setText(text);
      QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    } else {
      for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key(c.toUpper().unicode()), QString(c), {});
      }
    }
  }

  // As the preview's print button does with a PDF file chosen; then it closes.
  void printToFile(QPrintPreviewDialog* preview, const std::string& name) {
    const std::string& mixFile = mWorkspace->state().file.filename;
    QPrinter* printer = preview->printer();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(
        QString::fromStdString(name == "a.vdr" && !mixFile.empty() ? mixFile : file(name)));
    emit preview->paintRequested(printer);
    preview->accept();
    printer->setOutputFormat(QPrinter::NativeFormat);
  }

  void drop(const std::string& name) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file(name.empty() ? "a" : name)))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(mWindow.get(), &enter);
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    if (enter.isAccepted()) QApplication::sendEvent(mWindow.get(), &dropped);
  }

  const TemporaryFolder& mFolder;
  ExplorerPrompter mPrompter;
  QuietPrompter mQuiet;
  std::unique_ptr<Workspace> mWorkspace;
  std::unique_ptr<MainWindow> mWindow;
  std::optional<std::string> mFault;  // found while an action was taken
  unsigned mFocusChecked = 0;         // the last focus request checked
};

template <typename T>
T* as(QObject* o) {
  return static_cast<T*>(o);
}

// The one table of actions.
const std::vector<Explorer::Kind> Explorer::kKinds = {
    {"click", 300, 0, [](Explorer&, QWidget* window) { return widgetsOf<QAbstractButton>(window); },
     [](Explorer&, QObject* target, unsigned) {
       auto* button = as<QAbstractButton>(target);
       // Right to left, a radio button's or check box's circle stands at its right end.
       const bool mark = qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button);
       const int x = !mark                     ? button->width() / 2
                     : button->isRightToLeft() ? button->width() - 8
                                               : 8;
       QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(x, button->height() / 2));
     }},
    {"type", 160, size_t(kTexts.size()),
     [](Explorer&, QWidget* window) { return widgetsOf<QLineEdit>(window); },
     [](Explorer& e, QObject* target, unsigned argument) {
       e.type(as<QLineEdit>(target), kTexts[argument % kTexts.size()]);
     }},
    // Keys go to the window that holds the user (or a box or button of it), or to a guidance or
    // About window; Escape closes any window but the main one.
    {"key", 140, kKeys.size(),
     [](Explorer& e, QWidget* window) {
       const bool info = window->objectName().startsWith("Form") &&
                         window->objectName() != "Form1" && window->objectName() != "Form4";
       if (window != e.holderWindow() && !info && window->objectName() != "frmAbout")
         return std::vector<QObject*>{};
       std::vector<QObject*> all = widgetsOf<QAbstractButton>(window);
       for (QObject* box : widgetsOf<QLineEdit>(window)) all.push_back(box);
       for (QObject* table : widgetsOf<QTableWidget>(window)) all.push_back(table);
       all.push_back(window);
       return all;
     },
     [](Explorer& e, QObject* target, unsigned argument) {
       const auto& [key, modifiers] = kKeys[argument % kKeys.size()];
       QWidget* window = as<QWidget>(target)->window();
       as<QWidget>(target)->setFocus();
       QTest::keyClick(as<QWidget>(target), key, modifiers);
       if (key == Qt::Key_Escape && window != e.mWindow.get() && window->isVisible()) {
         e.mFault = "Escape left " + window->objectName().toStdString() + " open";
       }
     }},
    {"choose", 40, 2, [](Explorer&, QWidget* window) { return widgetsOf<QComboBox>(window); },
     [](Explorer&, QObject* target, unsigned argument) {
       auto* box = as<QComboBox>(target);
       box->setFocus();
       QTest::keyClick(box, argument % 2 ? Qt::Key_Down : Qt::Key_Up);
     }},
    {"menu", 60, 0,
     [](Explorer& e, QWidget* window) {
       std::vector<QObject*> entries;
       if (window != e.mWindow.get() || !e.mWindow->menuBar()->isEnabled()) return entries;
       for (QAction* entry : e.mWindow->menuBar()->findChildren<QAction*>()) {
         if (entry->isEnabled() && !entry->objectName().isEmpty()) entries.push_back(entry);
       }
       return entries;
     },
     [](Explorer&, QObject* target, unsigned) { as<QAction>(target)->trigger(); }},
    {"close", 30, 0,  // the frame's close box of a window, the main window's seldom
     [](Explorer& e, QWidget* window) {
       return window == e.mWindow.get() ? std::vector<QObject*>{} : std::vector<QObject*>{window};
     },
     [](Explorer&, QObject* target, unsigned) { as<QWidget>(target)->close(); }},
    {"quit", 1, 0,
     [](Explorer& e, QWidget* window) {
       return window == e.mWindow.get() ? std::vector<QObject*>{window} : std::vector<QObject*>{};
     },
     [](Explorer&, QObject* target, unsigned) { as<QWidget>(target)->close(); }},
    {"print", 10, kReports.size(),
     [](Explorer&, QWidget* window) {
       return qobject_cast<QPrintPreviewDialog*>(window) ? std::vector<QObject*>{window}
                                                         : std::vector<QObject*>{};
     },
     [](Explorer& e, QObject* target, unsigned argument) {
       e.printToFile(as<QPrintPreviewDialog>(target), kReports[argument % kReports.size()]);
     }},
    // Another program writes a mix file while it is open here: a Save onto it asks.
    {"rewrite", 5, 2,
     [](Explorer& e, QWidget* window) {
       return window == e.mWindow.get() ? std::vector<QObject*>{window} : std::vector<QObject*>{};
     },
     [](Explorer& e, QObject*, unsigned argument) {
       const std::string name = argument % 2 ? "a.vdr" : "b.vdr";
       std::ofstream(e.file(name), std::ios::binary | std::ios::app) << "\r\n";
     }},
    // A cell of the strength-tests table edited (its delegate's commit sets the item), and a
    // spreadsheet's rows put on the clipboard and pasted.
    {"cell", 60, size_t(kTexts.size() + kCellTexts.size()) * kStrengthTestColumns * 8,
     [](Explorer&, QWidget* window) {
       std::vector<QObject*> tables;
       for (QObject* t : widgetsOf<QTableWidget>(window)) {
         if (as<QTableWidget>(t)->rowCount() > 0) tables.push_back(t);
       }
       return tables;
     },
     [](Explorer&, QObject* target, unsigned argument) {
       auto* table = as<QTableWidget>(target);
       const unsigned texts = unsigned(kTexts.size() + kCellTexts.size());
       const QString& text = argument % texts < unsigned(kTexts.size())
                                 ? kTexts[int(argument % texts)]
                                 : kCellTexts[int(argument % texts) - int(kTexts.size())];
       const int column = int(argument / texts % kStrengthTestColumns);
       const int row = int(argument / texts / kStrengthTestColumns % unsigned(table->rowCount()));
       table->setCurrentCell(row, column);
       table->item(row, column)->setText(text);
     }},
    {"paste-rows", 20, size_t(kClipboards.size()),
     [](Explorer&, QWidget* window) {
       std::vector<QObject*> buttons;
       for (QObject* b : widgetsOf<QAbstractButton>(window)) {
         if (b->objectName() == "PasteRows") buttons.push_back(b);
       }
       return buttons;
     },
     [](Explorer&, QObject* target, unsigned argument) {
       QGuiApplication::clipboard()->setText(kClipboards[int(argument % kClipboards.size())]);
       QTest::mouseClick(as<QAbstractButton>(target), Qt::LeftButton);
     }},
    {"drop", 10, kFiles.size(),
     [](Explorer& e, QWidget* window) {
       return window == e.mWindow.get() && window->isEnabled() ? std::vector<QObject*>{window}
                                                               : std::vector<QObject*>{};
     },
     [](Explorer& e, QObject*, unsigned argument) { e.drop(kFiles[argument % kFiles.size()]); }},
};

std::string text(const QString& q) { return q.toStdString(); }

std::vector<std::string> sieveCells(const SieveWindowState& w) {
  std::vector<std::string> all;
  for (const SieveTableState& t : w.tables) all.insert(all.end(), t.cells.begin(), t.cells.end());
  return all;
}

// The strength-tests window shows its rows as the state holds them, each test's strength in its
// column, marked where it fails, and the tests the engine counts are the rows that are tests.
std::optional<std::string> strengthTestsShown(QWidget* window, const StrengthTestsWindowState& t) {
  const auto* table = window->findChild<QTableWidget*>("TestsTable");
  if (table->rowCount() != int(t.rows.size())) return "StrengthTests rows";
  size_t tests = 0;
  for (size_t r = 0; r < t.rows.size(); ++r) {
    const StrengthTestTexts& cells = t.rows[r];
    const std::array<const std::string*, kStrengthTestColumns> texts = {
        &cells.date, &cells.label, &cells.cylinders[0], &cells.cylinders[1], &cells.cylinders[2]};
    for (int c = 0; c < kStrengthTestColumns; ++c) {
      if (text(table->item(int(r), c)->text()) != *texts[size_t(c)]) {
        return "StrengthTests cell " + std::to_string(r) + "," + std::to_string(c);
      }
    }
    const int index = t.testOfRow[r];
    if (index >= 0 && size_t(index) != tests++) return "StrengthTests test order";
    const QTableWidgetItem* strength = table->item(int(r), 6);
    if (strength->text().isEmpty() != (index < 0)) return "StrengthTests test strength";
    const bool fails = index >= 0 && t.acceptance && t.acceptance->tests[size_t(index)].testFails;
    if ((strength->background().style() != Qt::NoBrush) != fails) return "StrengthTests marks";
  }
  if (tests != t.tests.size() || t.statistics.tests != int(tests)) return "StrengthTests count";
  if (window->findChild<QLabel*>("AcceptanceSummary")->text().isEmpty()) {
    return "StrengthTests acceptance line";
  }
  return std::nullopt;
}

std::optional<std::string> Explorer::broken(bool atAMessage) {
  const WorkspaceState& s = mWorkspace->state();
  if (mWorkspace->commandsWhileAnnouncing() > 0) return "a window wrote while it followed";
  if (mFault) return std::exchange(mFault, std::nullopt);
  // The focus is where the last command sent it (a message's box among them), while its window
  // holds the user.
  if (!atAMessage && s.focus.number != mFocusChecked && s.focus.target) {
    mFocusChecked = s.focus.number;
    const FocusTarget& f = *s.focus.target;
    QWidget* window = f.window == Window::Main ? mWindow.get() : holderWindow();
    QWidget* box =
        window ? window->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(f.box)) : nullptr;
    if (s.holder.window == f.window && box && window->focusWidget() != box) {
      return "the focus is not in " + window->objectName().toStdString() + ".Text" +
             std::to_string(f.box);
    }
  }
  if (s.mainWindow.programEnded) {
    if (mWindow->isVisible()) return "the program ended but its window is shown";
    return std::nullopt;
  }
  // The user has a way forward: the window that holds the user is shown and takes input.
  QWidget* holder = holderWindow();
  if (!atAMessage && !(holder && holder->isVisible() && holder->isEnabled())) {
    return "no way forward";
  }
  // Exactly the windows the state shows are shown, and only the one that holds the user takes
  // input (the guidance and About windows always do).
  const Window h = s.holder.window;
  struct Expected {
    std::string name;
    bool shown, takesInput;
  };
  std::vector<Expected> expected = {{"Form2", s.shows(InfoWindow::SlumpGuidance), true},
                                    {"Form3", s.shows(InfoWindow::AggregateGuidance), true},
                                    {"frmAbout", s.shows(InfoWindow::About), true}};
  for (const Window w :
       {Window::Main, Window::Conditions, Window::TrialBatch, Window::Report, Window::PrintPreview,
        Window::RequiredStrength, Window::SieveAnalysis, Window::StrengthTests}) {
    expected.push_back({windowName(w), s.shows(w), h == w});
  }
  for (OptionDialog d : kOptionDialogs) {
    expected.push_back({optionDialogInfo(d).objectName, s.showsDialog(d), s.showsDialog(d)});
  }
  for (const Expected& e : expected) {
    QWidget* w = findWindow(e.name);
    if ((w && w->isVisible()) != e.shown) return "shown: " + e.name;
    if (e.name == "Form1") w = mWindow->centralWidget();
    if (e.shown && w->isEnabled() != e.takesInput) return "takes input: " + e.name;
  }
  if (mWindow->menuBar()->isEnabled() != (h == Window::Main)) return "takes input: menus";

  // Every widget shows the state's value.
  const MainWindowState& m = s.mainWindow;
  const auto box = [this](const char* window, int n) {
    QWidget* w = findWindow(window);
    return w ? w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n)) : nullptr;
  };
  if (text(mWindow->windowTitle()) != m.title) return "the title";
  const ReportDialogState& r = s.reportDialog;
  const std::vector<std::pair<const char*, std::vector<std::string>>> boxes = {
      {"Form1", {m.boxes.begin(), m.boxes.end()}},
      {"Dialog6", {s.trialBatch.boxes.begin(), s.trialBatch.boxes.end()}},
      {"ReportDialog",
       {r.texts.projectName, r.texts.pourVolume, r.texts.bagMass, r.texts.batchVolume}},
      {"RequiredStrength", {s.strengthWindow.boxes.begin(), s.strengthWindow.boxes.end()}},
      {"SieveAnalysis", sieveCells(s.sieveWindow)},
      {"StrengthTests", {s.strengthTests.specifiedText}}};
  for (const auto& [window, texts] : boxes) {
    for (size_t i = 0; findWindow(window) && i < texts.size(); ++i) {
      if (text(box(window, int(i) + 1)->text()) != texts[i]) {
        return window + (".Text" + std::to_string(i + 1));
      }
    }
  }
  for (const auto& [name, lines, visible] :
       {std::tuple{"RESULTS", &m.results, m.resultsVisible},
        {"List1", &m.adjustedResults, m.adjustedResultsVisible}}) {
    auto* list = mWindow->findChild<QListWidget*>(QString::fromLatin1(name));
    bool same = list->isVisible() == visible && list->count() == static_cast<int>(lines->size());
    for (int i = 0; same && i < list->count(); ++i) {
      same = text(list->item(i)->text()) == lineText((*lines)[size_t(i)]);
    }
    if (!same) return std::string(name);
  }
  for (const auto& [name, on] : {std::pair{"Command3", m.conditionsButtonEnabled},
                                 {"Command5", m.trialBatchButtonEnabled},
                                 {"Command6", m.adjustButtonEnabled},
                                 {"MENVIEW", m.viewMenuEnabled},
                                 {"MENSELECTCODE", m.selectCodeMenuEnabled},
                                 {"MENREPORT", s.reportAvailable()}}) {
    QObject* o = mWindow->findChild<QObject*>(QString::fromLatin1(name));
    const auto* entry = qobject_cast<QAction*>(o);
    if ((entry ? entry->isEnabled() : as<QWidget>(o)->isEnabled()) != on &&
        (entry || h == Window::Main)) {
      return std::string(name);
    }
  }
  if (QWidget* form4 = findWindow("Form4")) {
    for (int row = 0; row < kConditionRows; ++row) {
      auto* label = form4->findChild<QLabel*>(QStringLiteral("Label%1").arg(row + 1));
      if (text(label->text()) != s.conditionsWindow.texts[size_t(row)]) return "Form4 rows";
    }
  }
  for (OptionDialog d : kOptionDialogs) {
    QWidget* dialog = findWindow(optionDialogInfo(d).objectName);
    const int selected = optionDialogInfo(d).selection(s.conditions);
    if (dialog && !dialog->findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(selected))
                       ->isChecked()) {
      return optionDialogInfo(d).objectName;
    }
  }
  if (QWidget* dialog6 = findWindow("Dialog6")) {
    if (box("Dialog6", 3)->isVisibleTo(dialog6) != s.trialBatch.airRowVisible) return "air row";
  }
  if (QWidget* report = findWindow("ReportDialog")) {
    if (report->findChild<QRadioButton*>("WeightMethod")->isChecked() !=
            (r.method == BatchMethod::Weight) ||
        report->findChild<QRadioButton*>("VolumeMethod")->isChecked() !=
            (r.method == BatchMethod::Volume) ||
        report->findChild<QCheckBox*>()->isChecked() != r.includeAdjustment) {
      return "ReportDialog";
    }
  }
  if (QWidget* window = findWindow("RequiredStrength")) {
    if (window->findChild<QLabel*>("RequiredStrengthValue")->text().isEmpty() ==
        s.strengthWindow.basis.has_value())
      return "RequiredStrength f'cr";
  }
  // The sieve window shows the size number its coarse aggregate is checked by, and the fineness
  // modulus its button would put into the design exactly when there is one.
  if (QWidget* window = findWindow("SieveAnalysis")) {
    const SieveWindowState& w = s.sieveWindow;
    if (window->findChild<QComboBox*>("SizeNumber")->currentIndex() !=
        static_cast<int>(w.checkedSize())) {
      return "SieveAnalysis size number";
    }
    const std::optional<SieveResults>& fine = w.table(AggregateTable::Fine).results;
    const bool modulus = fine && fine->finenessModulus.value;
    const QString shown = window->findChild<QLabel*>("FineResults")->text();
    const QString caption = QString::fromUtf8(sievetexts::kFineness);
    if (shown.contains(caption) != modulus ||
        (modulus && !shown.contains(caption + QString::fromStdString(
                                                  fixedText(*fine->finenessModulus.value, 2))))) {
      return "SieveAnalysis fineness modulus";
    }
  }
  if (QWidget* window = findWindow("StrengthTests")) {
    if (const auto fault = strengthTestsShown(window, s.strengthTests)) return fault;
  }
  // Lines under the lists while the one shown gives a mass of zero or less or an implausible
  // mix, one warning a line, each whole, within the window.
  const std::vector<std::string>& warnings = m.adjustedResultsVisible ? m.adjustedResultsWarnings
                                             : m.resultsVisible       ? m.resultsWarnings
                                                                      : std::vector<std::string>();
  QStringList lines;
  for (const std::string& w : warnings)
    lines.append(withIsolatedNumbers(QString::fromStdString(w)));
  const bool noMass = (m.resultsVisible && holdsNoMass(m.results)) ||
                      (m.adjustedResultsVisible && holdsNoMass(m.adjustedResults));
  const auto* line = mWindow->findChild<QLabel*>("NoMassWarning");
  if (line->isVisible() != !warnings.empty() || (noMass && warnings.empty()) ||
      (!warnings.empty() && line->text() != lines.join(u'\n')) ||
      line->geometry().bottom() >= line->parentWidget()->height() ||
      line->height() < line->heightForWidth(line->width())) {
    return "NoMassWarning";
  }
  // The strength basis goes with the strength box's text the required-strength window wrote, and
  // a run's with the text it read.
  const auto written = [](const std::optional<StrengthBasis>& basis, const std::string& box) {
    return !basis || box == decimalNumber(basis->required).toStdString();
  };
  if (!written(s.strengthBasis, m.text(Box::Text3))) return "the strength basis";
  if (s.completedRun && !written(s.completedRun->strengthBasis, s.completedRun->boxes[2])) {
    return "the run's strength basis";
  }
  return std::nullopt;
}

void ExplorerPrompter::showMessage(const std::string&, const std::string&) {
  // The windows beside the message already show the state it is about.
  if (const auto fault = mExplorer.broken(true)) {
    std::printf("fail at a message: %s\n", fault->c_str());
    std::fflush(stdout);
    std::_Exit(1);
  }
}

std::optional<std::string> ExplorerPrompter::chooseFile(const FileDialogRequest& request) {
  showMessage(request.title, "");
  const std::string& name = kFiles[mAnswers() % kFiles.size()];
  if (name.empty()) return std::nullopt;
  return mExplorer.file(name);
}

bool fails(const char* when, const std::string& fault) {
  std::printf("fail %s: %s\n", when, fault.c_str());
  std::fflush(stdout);
  return false;
}

// One sequence from a fresh program: count actions drawn with seed, or the actions given.
bool runSequence(Explorer& explorer, unsigned seed, int count,
                 const std::optional<std::vector<Action>>& given) {
  std::mt19937 random(seed);
  explorer.start();
  const int total = given ? static_cast<int>(given->size()) : count;
  for (int i = 0; i < total && !explorer.ended(); ++i) {
    Action action;
    if (!given) {
      std::vector<std::pair<std::vector<Action>, const Explorer::Kind*>> choices;
      int weights = 0;
      for (const Explorer::Kind& kind : Explorer::kKinds) {
        std::vector<Action> found = explorer.possible(kind);
        if (found.empty()) continue;
        choices.emplace_back(std::move(found), &kind);
        weights += kind.weight;
      }
      if (choices.empty()) return fails("before an action", "no action is possible");
      int pick = std::uniform_int_distribution<int>(0, weights - 1)(random);
      size_t k = 0;
      while (pick >= choices[k].second->weight) pick -= choices[k++].second->weight;
      action = choices[k].first[random() % choices[k].first.size()];
      action.argument = choices[k].second->arguments ? random() % choices[k].second->arguments : 0;
      action.answers = static_cast<unsigned>(random());
    } else {
      action = (*given)[static_cast<size_t>(i)];
    }
    if (!explorer.perform(action)) continue;  // a replayed action whose moment passed
    if (const auto fault = explorer.broken()) return fails("after the action", *fault);
    const bool saved =
        action.target == "SAVE" || action.target == "SAVEAS" ||
        (action.kind == "key" && kKeys[action.argument % kKeys.size()].first == Qt::Key_S);
    if (saved || i % 25 == 24) {
      if (const auto fault = explorer.savedFileReopens()) return fails("reopening", *fault);
    }
  }
  explorer.stop();
  return true;
}

// A child: the sequences of seeds first..last, or the one given; exit status 0 when all hold.
int child(char** argv, unsigned first, unsigned last, int count,
          const std::optional<std::vector<Action>>& given) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The platform's and the test library's notes are not findings.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::printf("%s\n", qPrintable(message));
  });
  int argc = 1;
  QApplication app(argc, argv);
  TemporaryFolder folder;
  Explorer explorer(folder);
  for (unsigned seed = first; seed <= last; ++seed) {
    std::printf("seed %u\n", seed);
    if (!runSequence(explorer, seed, count, given)) return 1;
  }
  return 0;
}

struct ChildRun {
  bool passed = false;
  unsigned seed = 0;
  std::vector<Action> actions;  // of the last sequence
  std::vector<std::string> failure;
  long actionCount = 0;
};

ChildRun runChild(const std::string& self, const std::string& arguments) {
  ChildRun run;
  FILE* pipe = popen((self + " --child " + arguments + " 2>&1").c_str(), "r");
  char buffer[1 << 16];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe)) {
    std::string line(buffer);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (line.starts_with("seed ")) {
      run.seed = static_cast<unsigned>(std::stoul(line.substr(5)));
      run.actions.clear();
      run.failure.clear();
    } else if (line.starts_with("act ")) {
      run.actions.push_back(Action::parse(line.substr(4)));
      ++run.actionCount;
    } else {
      run.failure.push_back(line);
    }
  }
  run.passed = pipe && pclose(pipe) == 0;
  return run;
}

// Runs the actions as one sequence in a child; true when it fails.
bool stillFails(const std::string& self, const std::vector<Action>& actions) {
  const TemporaryFolder folder;
  std::ofstream out(folder.path("actions"));
  for (const Action& a : actions) out << a.line() << '\n';
  out.close();
  return !runChild(self, "--replay " + folder.path("actions")).passed;
}

// Shortens a failing sequence until no chunk of it can be taken out and still fail.
std::vector<Action> shrink(const std::string& self, std::vector<Action> actions) {
  for (size_t chunk = actions.size() / 2; chunk >= 1; chunk /= 2) {
    for (size_t start = 0; start < actions.size();) {
      std::vector<Action> shorter = actions;
      shorter.erase(shorter.begin() + long(start),
                    shorter.begin() + long(std::min(start + chunk, actions.size())));
      if (stillFails(self, shorter)) {
        actions = std::move(shorter);
      } else {
        start += chunk;
      }
    }
  }
  return actions;
}

int explore(const std::string& self, unsigned first, unsigned last, double seconds, int count) {
  const auto begin = std::chrono::steady_clock::now();
  long total = 0;
  unsigned sequences = 0;
  for (unsigned from = first; from <= last; from += 10) {
    const unsigned to = std::min(last, from + 9);
    const ChildRun run =
        runChild(self, "--seeds " + std::to_string(from) + " " + std::to_string(to) +
                           " --actions " + std::to_string(count));
    total += run.actionCount;
    if (!run.passed) {
      std::printf("explorer: seed %u fails after %zu actions:\n", run.seed, run.actions.size());
      for (const std::string& line : run.failure) std::printf("  %s\n", line.c_str());
      const std::vector<Action> shortest =
          stillFails(self, run.actions) ? shrink(self, run.actions) : run.actions;
      std::printf("explorer: the fewest actions that still fail (%zu), for --replay:\n",
                  shortest.size());
      for (const Action& a : shortest) std::printf("%s\n", a.line().c_str());
      return 1;
    }
    sequences += to - from + 1;
    if (seconds > 0 &&
        std::chrono::steady_clock::now() - begin > std::chrono::duration<double>(seconds)) {
      break;
    }
  }
  std::printf("explorer: %u sequences, %ld actions, every invariant held\n", sequences, total);
  return 0;
}

}  // namespace
}  // namespace veldora

int main(int argc, char** argv) {
  using namespace veldora;
  const std::vector<std::string> args(argv + 1, argv + argc);
  // The value offset places after an option's name, where there is one.
  const auto value = [&args](const std::string& name, size_t offset) -> std::optional<std::string> {
    const auto at = static_cast<size_t>(std::find(args.begin(), args.end(), name) - args.begin());
    if (at + offset >= args.size()) return std::nullopt;
    return args[at + offset];
  };
  const auto number = [&value](const std::string& name, size_t offset, double otherwise) {
    const std::optional<std::string> text = value(name, offset);
    return text ? std::stod(*text) : otherwise;
  };
  constexpr int kActions = 300;
  const std::string replay = value("--replay", 1).value_or("");
  if ((!args.empty() && args[0] == "--child") || !replay.empty()) {
    std::optional<std::vector<Action>> given;
    if (!replay.empty()) {
      given.emplace();
      std::ifstream in(replay);
      for (std::string line; std::getline(in, line);) {
        if (!line.empty()) given->push_back(Action::parse(line));
      }
    }
    const auto first = static_cast<unsigned>(number("--seeds", 1, 1));
    const auto last = static_cast<unsigned>(number("--seeds", 2, first));
    return child(argv, first, replay.empty() ? last : first,
                 static_cast<int>(number("--actions", 1, kActions)), given);
  }
  const double seconds = number("--seconds", 1, 0);
  const auto from = static_cast<unsigned>(number("--from", 1, 1));
  const unsigned last = seconds > 0 ? std::numeric_limits<unsigned>::max() - 1 : from + 199;
  return explore(argv[0], from, last, seconds, kActions);
}
