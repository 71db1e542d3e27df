// The sequence explorer: drives the real windows (offscreen) through seeded random sequences of
// whatever a user can do at that moment, and after every action checks that the windows still
// show the workspace's state. Each batch of sequences runs in a child process, so that a crash
// (or a sanitizer's finding) is caught, replayed and shrunk to the fewest actions that still fail.
//
//   ui_explorer                       the fixed seed set (what ctest runs)
//   ui_explorer --seconds N [--from S] random seeds from S for about N seconds
//   ui_explorer --replay FILE         one sequence of the actions in FILE, as the child runs it
#include "files/mixdocument.h"
#include "tests/support/files.h"
#include "ui/mainwindow.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace veldora {
namespace {

using testing_support::TemporaryFolder;

// What the user types or pastes into a box.
const QStringList kTexts = {
    "",       "50",  "25.4", "210",   "2.8", "1700",      "3.15",
    "2.64",   "0.5", "30",   "2350",  "7",   "180",       "150",
    "75",     "12",  "0",    "1e308", "-0",  "NaN",       "-5",
    "1e-300", "۷۵",  "٢٣٠",  "۲٫۹",   "بتن", "250\r\n60", QString(40000, u'7')};
// The keys the user presses, with their modifiers.
const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> kKeys = {
    {Qt::Key_Escape, {}},
    {Qt::Key_Return, {}},
    {Qt::Key_Up, {}},
    {Qt::Key_Down, {}},
    {Qt::Key_Tab, {}},
    {Qt::Key_Backspace, {}},
    {Qt::Key_F5, {}},
    {Qt::Key_N, Qt::ControlModifier},
    {Qt::Key_S, Qt::ControlModifier},
    {Qt::Key_O, Qt::ControlModifier},
    {Qt::Key_P, Qt::ControlModifier},
    {Qt::Key_E, Qt::ControlModifier},
    {Qt::Key_W, Qt::ControlModifier}};
// The files the file dialogs answer with and the drops bring, relative to the scratch folder;
// "" is Cancel.
const std::vector<std::string> kFiles = {
    "a.vdr", "b.vdr", "missing.vdr", "damaged.vdr", "folder.vdr", "no/such/c.vdr", ""};
const std::vector<std::string> kReports = {"r.pdf", "no/such/r.pdf", "a.vdr"};

// One thing the user does: the kind of action, the window and the widget it acts on (by object
// name), an argument (which text, key or file), and the seed of the answers the prompter gives.
struct Action {
  std::string kind, window, widget;
  int argument = 0;
  unsigned answers = 0;

  std::string line() const {
    std::ostringstream out;
    out << kind << ' ' << window << ' ' << (widget.empty() ? "-" : widget) << ' ' << argument << ' '
        << answers;
    return out.str();
  }
  static Action parse(const std::string& line) {
    Action a;
    std::istringstream in(line);
    in >> a.kind >> a.window >> a.widget >> a.argument >> a.answers;
    if (a.widget == "-") a.widget.clear();
    return a;
  }
  bool sameTarget(const Action& o) const {
    return kind == o.kind && window == o.window && widget == o.widget;
  }
};

class Explorer;

// Answers the workspace's questions from the action's own seed, and checks at every message that
// the windows already show what the message is about.
class ExplorerPrompter : public Prompter {
 public:
  explicit ExplorerPrompter(Explorer& explorer) : mExplorer(explorer) {}
  void reseed(unsigned seed) { mAnswers.seed(seed); }
  void showMessage(const std::string&, const std::string&) override;
  bool askYesNo(const std::string&, const std::string& text) override;
  std::optional<std::string> chooseFile(const FileDialogRequest& request) override;
  int messages = 0;

 private:
  Explorer& mExplorer;
  std::mt19937 mAnswers;
};

class Explorer {
 public:
  explicit Explorer(const TemporaryFolder& folder) : mFolder(folder), mPrompter(*this) {
    testing_support::writeFile(folder.path("damaged.vdr"), "not a mix file\r\n");
    std::filesystem::create_directory(folder.path("folder.vdr"));
  }

  void start() {
    mWindow.reset();
    mWorkspace = std::make_unique<Workspace>(mPrompter);
    mWindow = std::make_unique<MainWindow>(*mWorkspace);
    mWindow->show();
    mWindow->activateWindow();
    settle();
  }
  void stop() {
    mWindow.reset();
    mWorkspace.reset();
    settle();
  }
  bool ended() const { return mWorkspace->state().mainWindow.programEnded; }

  // Everything the user can do now, of each kind; kind by kind as the table below lists them.
  std::vector<Action> possible(const std::string& kind) {
    std::vector<Action> found;
    const auto add = [&found, &kind](QWidget* window, const QString& widget = QString()) {
      found.push_back({kind, window->objectName().toStdString(), widget.toStdString()});
    };
    for (QWidget* window : windows()) {
      if (!window->isVisible()) continue;
      const bool preview = qobject_cast<QPrintPreviewDialog*>(window) != nullptr;
      if (kind == "click" && !preview) {
        for (QAbstractButton* b : widgetsOf<QAbstractButton>(window)) add(window, b->objectName());
      } else if (kind == "type" && !preview) {
        for (QLineEdit* box : widgetsOf<QLineEdit>(window)) add(window, box->objectName());
      } else if (kind == "key" && window == holderWindow()) {
        add(window);
        for (QWidget* w : widgetsOf(window)) {
          if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w)) {
            add(window, w->objectName());
          }
        }
      } else if (kind == "menu" && window == mWindow.get() && mWindow->menuBar()->isEnabled()) {
        for (QAction* action : mWindow->menuBar()->findChildren<QAction*>()) {
          if (action->isEnabled() && !action->objectName().isEmpty()) {
            add(window, action->objectName());
          }
        }
      } else if (kind == "close" && window != mWindow.get()) {
        add(window);
      } else if (kind == "quit" && window == mWindow.get()) {
        add(window);
      } else if (kind == "print" && preview) {
        add(window);
      } else if (kind == "drop" && window == mWindow.get() && window->isEnabled()) {
        add(window);
      }
    }
    return found;
  }

  void perform(const Action& a) {
    mPrompter.reseed(a.answers);
    QWidget* window = findWindow(a.window);
    if (a.kind == "menu") {
      if (auto* action = mWindow->findChild<QAction*>(QString::fromStdString(a.widget))) {
        action->trigger();
      }
      return settle();
    }
    QWidget* widget = window;
    if (window && !a.widget.empty()) {
      const std::vector<QWidget*> own = widgetsOf(window);
      const auto named = std::find_if(own.begin(), own.end(), [&a](const QWidget* w) {
        return w->objectName().toStdString() == a.widget;
      });
      widget = named == own.end() ? nullptr : *named;
    }
    if (!widget || (a.kind == "type" && !qobject_cast<QLineEdit*>(widget))) return;
    if (a.kind == "click") {
      auto* button = static_cast<QAbstractButton*>(widget);
      // Right to left, a radio button's or check box's circle stands at its right end.
      const bool mark = qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button);
      const int x = !mark ? button->width() / 2 : button->isRightToLeft() ? button->width() - 8 : 8;
      QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(x, button->height() / 2));
    } else if (a.kind == "type") {
      type(static_cast<QLineEdit*>(widget), kTexts[a.argument % kTexts.size()]);
    } else if (a.kind == "key") {
      const auto& [key, modifiers] = kKeys[static_cast<size_t>(a.argument) % kKeys.size()];
      widget->setFocus();
      QTest::keyClick(widget, key, modifiers);
    } else if (a.kind == "close" || a.kind == "quit") {
      widget->close();
    } else if (a.kind == "print") {
      printToFile(static_cast<QPrintPreviewDialog*>(widget),
                  kReports[static_cast<size_t>(a.argument) % kReports.size()]);
    } else if (a.kind == "drop") {
      drop(kFiles[static_cast<size_t>(a.argument) % kFiles.size()]);
    }
    settle();
  }

  // The invariants, after every action and at every message; the first broken one.
  std::optional<std::string> broken() {
    const WorkspaceState& s = mWorkspace->state();
    for (const auto& [name, check] : invariants()) {
      if (const std::optional<std::string> fault = check(s)) return name + ": " + *fault;
    }
    return std::nullopt;
  }

  // A file saved now and opened again gives the same state.
  std::optional<std::string> savedFileReopens() {
    const std::optional<MixDocument> document = mWorkspace->files().document();
    if (!document) return std::nullopt;  // a box holds what no mix file can
    const std::optional<std::string> bytes = writeMixFile(*document);
    if (!bytes) return std::nullopt;  // over the size limit: Save says it cannot write it
    const std::string path = mFolder.path("reopened.vdr");
    testing_support::writeFile(path, *bytes);
    Workspace reopened(mQuiet);  // without Open's design run, which enables the trial batch
    if (!reopened.files().open({path, false})) return "the saved file does not open";
    if (reopened.files().document() != document) return "the reopened file differs";
    return std::nullopt;
  }

  std::string file(const std::string& name) const {
    return name.empty() ? name : mFolder.path(name);
  }

 private:
  struct QuietPrompter : Prompter {
    void showMessage(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> chooseFile(const FileDialogRequest&) override { return {}; }
  };

  // A named widget of this window (not of a window it owns) that the user can reach.
  static bool usable(const QWidget* w) {
    return w->isVisible() && w->isEnabled() && !w->objectName().isEmpty() && !w->isWindow();
  }
  template <typename T = QWidget>
  static std::vector<T*> widgetsOf(QWidget* window) {
    std::vector<T*> own;
    for (T* w : window->findChildren<T*>()) {
      if (w->window() == window && usable(w)) own.push_back(w);
    }
    return own;
  }

  static void settle() {
    for (int i = 0; i < 3; ++i) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QCoreApplication::processEvents();
    }
  }

  // The program's windows: the main window and its child windows.
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
  QWidget* holderWindow() const {
    const Holder& h = mWorkspace->state().holder;
    switch (h.window) {
      case Window::Main:
        return mWindow.get();
      case Window::Conditions:
        return findWindow("Form4");
      case Window::OptionDialog:
        return findWindow(optionDialogInfo(h.dialog).objectName);
      case Window::TrialBatch:
        return findWindow("Dialog6");
      case Window::Report:
        return findWindow("ReportDialog");
      case Window::PrintPreview:
        return findWindow("ReportPreview");
    }
    return nullptr;
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

  void printToFile(QPrintPreviewDialog* preview, const std::string& name) {
    const std::string& mixFile = mWorkspace->state().file.filename;
    QPrinter* printer = preview->printer();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(
        QString::fromStdString(name == "a.vdr" && !mixFile.empty() ? mixFile : file(name)));
    emit preview->paintRequested(printer);  // as its print button does, then it closes
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

  using Check = std::function<std::optional<std::string>(const WorkspaceState&)>;
  std::vector<std::pair<std::string, Check>> invariants();

  const TemporaryFolder& mFolder;
  ExplorerPrompter mPrompter;
  QuietPrompter mQuiet;
  std::unique_ptr<Workspace> mWorkspace;
  std::unique_ptr<MainWindow> mWindow;
};

std::string text(const QString& q) { return q.toStdString(); }

std::vector<std::pair<std::string, Explorer::Check>> Explorer::invariants() {
  // Each window of the program: its object name, whether the state shows it, whether it holds the
  // user (the guidance and About windows never do, and are always usable).
  struct Expected {
    std::string name;
    bool shown, holds;
  };
  const auto expected = [](const WorkspaceState& s) {
    const Window h = s.holder.window;
    std::vector<Expected> all = {
        {"Form1", s.shows(Window::Main), h == Window::Main},
        {"Form4", s.shows(Window::Conditions), h == Window::Conditions},
        {"Dialog6", s.shows(Window::TrialBatch), h == Window::TrialBatch},
        {"ReportDialog", s.shows(Window::Report), h == Window::Report},
        {"ReportPreview", s.shows(Window::PrintPreview), h == Window::PrintPreview},
        {"Form2", s.shows(InfoWindow::SlumpGuidance), true},
        {"Form3", s.shows(InfoWindow::AggregateGuidance), true},
        {"frmAbout", s.shows(InfoWindow::About), true}};
    for (OptionDialog d : kOptionDialogs) {
      all.push_back({optionDialogInfo(d).objectName, s.showsDialog(d), s.showsDialog(d)});
    }
    return all;
  };
  const auto child = [this](const char* window, const QString& name) {
    QWidget* w = findWindow(window);
    return w ? w->findChild<QWidget*>(name) : nullptr;
  };
  const auto box = [child](const char* window, int n) {
    return static_cast<QLineEdit*>(child(window, QStringLiteral("Text%1").arg(n)));
  };
  const auto listShows = [this](const char* name, const ResultsList& lines, bool visible) {
    auto* list = mWindow->findChild<QListWidget*>(QString::fromLatin1(name));
    bool same = list->isVisible() == visible && list->count() == static_cast<int>(lines.size());
    for (int i = 0; same && i < list->count(); ++i) same = text(list->item(i)->text()) == lines[i];
    return same;
  };
  const auto fail = [](bool ok, std::string what) {
    return ok ? std::nullopt : std::optional<std::string>(std::move(what));
  };

  return {
      {"windows only read the state",
       [this, fail](const WorkspaceState&) {
         return fail(mWorkspace->commandsWhileAnnouncing() == 0, "a command while they followed");
       }},
      {"a way forward",
       [this, fail](const WorkspaceState& s) -> std::optional<std::string> {
         if (s.mainWindow.programEnded) return fail(!mWindow->isVisible(), "ended but shown");
         QWidget* holder = holderWindow();
         return fail(holder && holder->isVisible() && holder->isEnabled() && !s.holder.message,
                     "the window that holds the user cannot be used");
       }},
      {"shown windows",
       [this, expected, fail](const WorkspaceState& s) -> std::optional<std::string> {
         for (const Expected& e : expected(s)) {
           QWidget* w = findWindow(e.name);
           if ((w && w->isVisible()) != e.shown) return fail(false, e.name);
         }
         return std::nullopt;
       }},
      {"only the holder takes input",
       [this, expected, fail](const WorkspaceState& s) -> std::optional<std::string> {
         if (s.mainWindow.programEnded) return std::nullopt;
         const bool main = s.holder.window == Window::Main;
         if (mWindow->centralWidget()->isEnabled() != main ||
             mWindow->menuBar()->isEnabled() != main) {
           return fail(false, "Form1");
         }
         for (const Expected& e : expected(s)) {
           QWidget* w = findWindow(e.name);
           if (e.shown && e.name != "Form1" && w->isEnabled() != e.holds)
             return fail(false, e.name);
         }
         return std::nullopt;
       }},
      {"widgets show the state",
       [=, this](const WorkspaceState& s) -> std::optional<std::string> {
         if (s.mainWindow.programEnded) return std::nullopt;
         const MainWindowState& m = s.mainWindow;
         if (text(mWindow->windowTitle()) != m.title) return "title";
         for (int i = 1; i <= kBoxCount; ++i) {
           if (text(box("Form1", i)->text()) != m.text(Box(i)))
             return "Form1.Text" + std::to_string(i);
         }
         if (!listShows("RESULTS", m.results, m.resultsVisible)) return "RESULTS";
         if (!listShows("List1", m.adjustedResults, m.adjustedResultsVisible)) return "List1";
         const std::pair<const char*, bool> enabled[] = {
             {"Command3", m.conditionsButtonEnabled},    {"Command5", m.trialBatchButtonEnabled},
             {"Command6", m.adjustButtonEnabled},        {"MENVIEW", m.viewMenuEnabled},
             {"MENSELECTCODE", m.selectCodeMenuEnabled}, {"MENREPORT", s.reportAvailable()}};
         for (const auto& [name, on] : enabled) {
           QObject* o = mWindow->findChild<QObject*>(QString::fromLatin1(name));
           const bool isOn = qobject_cast<QAction*>(o) ? static_cast<QAction*>(o)->isEnabled()
                                                       : static_cast<QWidget*>(o)->isEnabled();
           if (o && isOn != on && (qobject_cast<QAction*>(o) || s.holder.window == Window::Main)) {
             return std::string(name);
           }
         }
         if (QWidget* form4 = findWindow("Form4")) {
           for (int row = 0; row < kConditionRows; ++row) {
             auto* label = form4->findChild<QLabel*>(QStringLiteral("Label%1").arg(row + 1));
             if (text(label->text()) != s.conditionsWindow.texts[size_t(row)]) return "Form4 row";
           }
         }
         for (OptionDialog d : kOptionDialogs) {
           QWidget* dialog = findWindow(optionDialogInfo(d).objectName);
           const int selected = optionDialogInfo(d).selection(s.conditions);
           auto* option =
               dialog ? dialog->findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(selected))
                      : nullptr;
           if (dialog && !option->isChecked()) return optionDialogInfo(d).objectName;
         }
         if (findWindow("Dialog6")) {
           for (int n = 1; n <= 4; ++n) {
             if (text(box("Dialog6", n)->text()) != s.trialBatch.text(n)) return "Dialog6 box";
           }
           if (box("Dialog6", 3)->isVisibleTo(findWindow("Dialog6")) != s.trialBatch.airRowVisible)
             return "Dialog6 air row";
         }
         if (findWindow("ReportDialog")) {
           const ReportDialogState& r = s.reportDialog;
           if (text(box("ReportDialog", 1)->text()) != r.projectName ||
               text(box("ReportDialog", 2)->text()) != r.pourVolume ||
               text(box("ReportDialog", 3)->text()) != r.bagMass) {
             return "ReportDialog box";
           }
           auto* include =
               static_cast<QCheckBox*>(child("ReportDialog", QStringLiteral("IncludeAdjustment")));
           if (include->isChecked() != r.includeAdjustment) return "IncludeAdjustment";
         }
         return std::nullopt;
       }},
  };
}

void ExplorerPrompter::showMessage(const std::string&, const std::string&) {
  ++messages;
  // The windows beside the message already show the state it is about.
  if (const auto fault = mExplorer.broken(); fault && fault->rfind("a way forward", 0) != 0) {
    std::printf("fail at a message: %s\n", fault->c_str());
    std::fflush(stdout);
    std::_Exit(1);
  }
}

bool ExplorerPrompter::askYesNo(const std::string& title, const std::string& text) {
  showMessage(title, text);
  // Yes to the exit question ends the sequence; it comes seldom, so that sequences run long.
  const int yes = text == messages::kExitQuestion ? 1 : 20;
  return std::uniform_int_distribution<int>(0, 39)(mAnswers) < yes;
}

std::optional<std::string> ExplorerPrompter::chooseFile(const FileDialogRequest& request) {
  showMessage(request.title, "");
  const std::string& name =
      kFiles[std::uniform_int_distribution<size_t>(0, kFiles.size() - 1)(mAnswers)];
  if (name.empty()) return std::nullopt;
  return mExplorer.file(name);
}

// The kinds of action and how often each is taken, where it can be.
const std::vector<std::pair<std::string, int>> kKinds = {
    {"click", 300}, {"type", 160}, {"key", 140}, {"menu", 60},
    {"close", 30},  {"print", 10}, {"drop", 10}, {"quit", 1}};
const std::map<std::string, size_t> kArguments = {{"type", kTexts.size()},
                                                  {"key", kKeys.size()},
                                                  {"print", kReports.size()},
                                                  {"drop", kFiles.size()}};

bool fails(const char* why, const std::string& detail) {
  std::printf("fail %s: %s\n", why, detail.c_str());
  std::fflush(stdout);
  return false;
}

// One sequence: from a fresh program, count actions drawn with seed, or the actions given.
bool runSequence(Explorer& explorer, unsigned seed, int count,
                 const std::vector<Action>& given = {}) {
  std::mt19937 random(seed);
  explorer.start();
  const int total = given.empty() ? count : static_cast<int>(given.size());
  for (int i = 0; i < total && !explorer.ended(); ++i) {
    Action action;
    if (given.empty()) {
      std::vector<std::pair<std::vector<Action>, int>> choices;
      int weights = 0;
      for (const auto& [kind, weight] : kKinds) {
        std::vector<Action> found = explorer.possible(kind);
        if (found.empty()) continue;
        choices.emplace_back(std::move(found), weight);
        weights += weight;
      }
      if (choices.empty()) return fails("no action is possible", "");
      int pick = std::uniform_int_distribution<int>(0, weights - 1)(random);
      size_t k = 0;
      while (pick >= choices[k].second) pick -= choices[k++].second;
      const std::vector<Action>& found = choices[k].first;
      action = found[std::uniform_int_distribution<size_t>(0, found.size() - 1)(random)];
      const auto arguments = kArguments.find(action.kind);
      if (arguments != kArguments.end()) {
        action.argument = static_cast<int>(random() % arguments->second);
      }
      action.answers = static_cast<unsigned>(random());
    } else {
      action = given[static_cast<size_t>(i)];
      const std::vector<Action> now = explorer.possible(action.kind);
      if (std::none_of(now.begin(), now.end(),
                       [&action](const Action& a) { return a.sameTarget(action); })) {
        continue;  // not possible at this moment of the shortened sequence
      }
    }
    std::printf("act %s\n", action.line().c_str());
    std::fflush(stdout);
    explorer.perform(action);
    if (const auto fault = explorer.broken()) return fails("after the action", *fault);
    const bool saved = action.widget == "SAVE" || action.widget == "SAVEAS" ||
                       (action.kind == "key" &&
                        kKeys[size_t(action.argument) % kKeys.size()] ==
                            std::pair{Qt::Key_S, Qt::KeyboardModifiers(Qt::ControlModifier)});
    if (saved || i % 25 == 24) {
      if (const auto fault = explorer.savedFileReopens()) return fails("reopening", *fault);
    }
  }
  explorer.stop();
  return true;
}

// The child: sequences of seeds first..last, or one given sequence; exit status 0 when all hold.
int child(int argc, char** argv, unsigned first, unsigned last, int count,
          const std::vector<Action>& given) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The platform's and the test library's notes are not findings.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::printf("%s\n", qPrintable(message));
  });
  QApplication app(argc, argv);
  TemporaryFolder folder;
  Explorer explorer(folder);
  for (unsigned seed = first; seed <= last; ++seed) {
    std::printf("seed %u\n", seed);
    std::fflush(stdout);
    if (!runSequence(explorer, seed, count, given)) return 1;
  }
  std::printf("done\n");
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
    if (line.rfind("seed ", 0) == 0) {
      run.seed = static_cast<unsigned>(std::stoul(line.substr(5)));
      run.actions.clear();
      run.failure.clear();
    } else if (line.rfind("act ", 0) == 0) {
      run.actions.push_back(Action::parse(line.substr(4)));
      ++run.actionCount;
    } else if (line != "done") {
      run.failure.push_back(line);
    }
  }
  const int status = pipe ? pclose(pipe) : -1;
  run.passed = status == 0;
  return run;
}

// Runs the actions as one sequence in a child; true when it fails.
bool stillFails(const std::string& self, const std::vector<Action>& actions) {
  char path[] = "/tmp/veldora-explorer-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return false;
  close(fd);
  std::ofstream out(path);
  for (const Action& a : actions) out << a.line() << '\n';
  out.close();
  const bool failed = !runChild(self, std::string("--replay ") + path).passed;
  std::remove(path);
  return failed;
}

// Shortens a failing sequence to one where no chunk can be taken out and still fail.
std::vector<Action> shrink(const std::string& self, std::vector<Action> actions) {
  for (size_t chunk = actions.size() / 2; chunk >= 1; chunk /= 2) {
    for (size_t start = 0; start < actions.size();) {
      std::vector<Action> shorter = actions;
      shorter.erase(shorter.begin() + static_cast<long>(start),
                    shorter.begin() + static_cast<long>(std::min(start + chunk, actions.size())));
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
  constexpr unsigned kBatch = 10;
  for (unsigned from = first; from <= last; from += kBatch) {
    const unsigned to = std::min(last, from + kBatch - 1);
    ChildRun run = runChild(self, "--seeds " + std::to_string(from) + " " + std::to_string(to) +
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
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (seconds > 0 && elapsed > seconds) break;
  }
  std::printf("explorer: %u sequences, %ld actions, every invariant held\n", sequences, total);
  return 0;
}

}  // namespace
}  // namespace veldora

int main(int argc, char** argv) {
  using namespace veldora;
  const std::vector<std::string> args(argv + 1, argv + argc);
  // The value offset places after the option name, if there is one.
  const auto valueOf = [&args](const std::string& name,
                               size_t offset) -> std::optional<std::string> {
    const auto at = static_cast<size_t>(std::find(args.begin(), args.end(), name) - args.begin());
    if (at + offset >= args.size()) return std::nullopt;
    return args[at + offset];
  };
  const auto number = [&valueOf](const std::string& name, size_t offset, double otherwise) {
    const std::optional<std::string> value = valueOf(name, offset);
    return value ? std::stod(*value) : otherwise;
  };
  constexpr int kActions = 300;
  const std::string replay = valueOf("--replay", 1).value_or("");
  if ((!args.empty() && args[0] == "--child") || !replay.empty()) {
    std::vector<Action> given;
    if (!replay.empty()) {
      std::ifstream in(replay);
      for (std::string line; std::getline(in, line);) {
        if (!line.empty()) given.push_back(Action::parse(line));
      }
    }
    const auto first = static_cast<unsigned>(number("--seeds", 1, 1));
    const auto last = static_cast<unsigned>(number("--seeds", 2, first));
    return child(1, argv, first, replay.empty() ? last : first,
                 static_cast<int>(number("--actions", 1, kActions)), given);
  }
  const double seconds = number("--seconds", 1, 0);
  const auto from = static_cast<unsigned>(number("--from", 1, 1));
  const unsigned last = seconds > 0 ? std::numeric_limits<unsigned>::max() - 1 : from + 199;
  return explore(argv[0], from, last, seconds, kActions);
}
