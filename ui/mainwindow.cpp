#include "ui/mainwindow.h"

#include "presentation/bidi.h"
#include "presentation/fonts.h"
#include "report/designreport.h"
#include "ui/aboutwindow.h"
#include "ui/captions.h"
#include "ui/conditionswindow.h"
#include "ui/guidancewindows.h"
#include "ui/optiondialog.h"
#include "ui/placement.h"
#include "ui/reportdialog.h"
#include "ui/reportpreview.h"
#include "ui/resultdelegate.h"
#include "ui/sievewindow.h"
#include "ui/strengthtestswindow.h"
#include "ui/strengthwindow.h"
#include "ui/trialbatchdialog.h"
#include "ui/twips.h"
#include "ui/widgets.h"
#include "workspace/messages.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace veldora {
namespace {

constexpr int kClientWidth = 9960;
constexpr int kClientHeight = 7845;
constexpr int kWarningHeight = 300;  // the line under the lists: one warning

QRect twipsRect(int left, int top, int width, int height) {
  return QRect(twips(left), twips(top), twips(width), twips(height));
}

QLabel* placedLabel(const char* text, const QString& name, QWidget* parent, QRect geometry) {
  QLabel* label = persianLabel(text, name, parent);
  label->setGeometry(geometry);
  return label;
}

QLabel* unitLabel(const char* text, const QString& name, QWidget* parent, QRect geometry) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  label->setFont(persianFont(8.25, true, true));
  label->setGeometry(geometry);
  return label;
}

QPushButton* button(const char* caption, const QString& name, QWidget* parent, QRect geometry) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(name);
  b->setLayoutDirection(Qt::RightToLeft);
  b->setFont(persianFont(8.25));
  b->setGeometry(geometry);
  return b;
}

// Centres a newly created window over the window that opened it.
void placeOver(QWidget* window, const QWidget* owner) {
  window->adjustSize();
  window->move(owner->frameGeometry().center() - window->rect().center());
}

QListWidget* resultList(const QString& name, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setLayoutDirection(Qt::RightToLeft);
  list->setFont(persianFont(12));
  list->setItemDelegate(new ResultLineDelegate(list));
  list->setGeometry(twipsRect(120, 5160, 8775, 2385));
  return list;
}

// Each item's text is the line as the program builds it; it is drawn in its display form.
void showList(QListWidget* list, const ResultsList& lines, bool visible) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(lines.size()));
  for (const ResultLine& line : lines) texts.append(QString::fromStdString(lineText(line)));
  QStringList shown;
  for (int i = 0; i < list->count(); ++i) shown.append(list->item(i)->text());
  if (shown != texts) {
    list->clear();
    for (size_t i = 0; i < lines.size(); ++i) {
      auto* item = new QListWidgetItem(texts[static_cast<qsizetype>(i)], list);
      item->setData(kDisplayFormRole, displayLine(lines[i]));
    }
  }
  list->setVisible(visible);
}

}  // namespace

MainWindow::MainWindow(Workspace& workspace, QWidget* parent)
    : QMainWindow(parent), mWorkspace(workspace) {
  setObjectName(QStringLiteral("Form1"));
  auto* client = new QWidget(this);
  client->setFixedSize(twips(kClientWidth), twips(kClientHeight));
  setCentralWidget(client);
  buildControls();
  buildMenus();
  setTabOrder();
  setAcceptDrops(true);
  mWindows = windowTable();
  mFocusApplied = workspace.state().focus.number;
  mSubscription = mWorkspace.subscribe([this] { follow(); });
  follow();
  box(Box::Text1)->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
  QWidget* client = centralWidget();
  // Input rows: label, box and unit caption at the tops of the original layout. The labels reach
  // further left than the original's 360 twips: the fallback font needs the room.
  struct Row {
    int top;
    int labelTop;
    int labelHeight;
  };
  constexpr std::array<Row, 8> kRows = {{{360, 360, 405},
                                         {840, 840, 405},
                                         {1320, 1320, 405},
                                         {1800, 1800, 405},
                                         {2400, 2280, 645},
                                         {3000, 3000, 405},
                                         {3480, 3480, 405},
                                         {3960, 3960, 405}}};
  for (size_t i = 0; i < kRows.size(); ++i) {
    QLabel* label =
        placedLabel(messages::kInputCaptions[i], QStringLiteral("Label1_%1").arg(i), client,
                    twipsRect(60, kRows[i].labelTop, 2115, kRows[i].labelHeight));
    if (i == 4) label->setWordWrap(true);
    mBoxes[i] = new QLineEdit(client);
    mBoxes[i]->setGeometry(twipsRect(2280, kRows[i].top, 975, 405));
  }
  // Moisture rows beside the density rows.
  placedLabel(messages::kInputCaptions[8], QStringLiteral("Label1_8"), client,
              twipsRect(3600, 3480, 1815, 405));
  placedLabel(messages::kInputCaptions[9], QStringLiteral("Label1_9"), client,
              twipsRect(3600, 3960, 1815, 405));
  placedLabel(messages::kInputCaptions[10], QStringLiteral("Label3"), client,
              twipsRect(6600, 3480, 2175, 405));
  placedLabel(messages::kInputCaptions[11], QStringLiteral("Label4"), client,
              twipsRect(6600, 3960, 2175, 405));
  const std::array<std::pair<size_t, QRect>, 4> moistureBoxes = {{
      {8, twipsRect(5520, 3480, 975, 405)},
      {9, twipsRect(5520, 3960, 975, 405)},
      {10, twipsRect(8880, 3480, 975, 405)},
      {11, twipsRect(8880, 3960, 975, 405)},
  }};
  for (const auto& [i, geometry] : moistureBoxes) {
    mBoxes[i] = new QLineEdit(client);
    mBoxes[i]->setGeometry(geometry);
  }
  for (size_t i = 0; i < mBoxes.size(); ++i) {
    QLineEdit* edit = mBoxes[i];
    edit->setObjectName(QStringLiteral("Text%1").arg(i + 1));
    edit->setFont(persianFont(9.75));
    takeLongTexts(edit, mWorkspace);
    edit->installEventFilter(this);
    const Box which = static_cast<Box>(i + 1);
    connect(edit, &QLineEdit::textEdited, this, [this, which](const QString& text) {
      mWorkspace.design().setText(which, text.toStdString());
    });
  }

  // Unit captions, Label2 indexes 0 to 3: beside Text1, Text2, Text3 and Text5.
  const std::array<std::pair<size_t, int>, 4> units = {{{0, 360}, {1, 840}, {2, 1320}, {4, 2400}}};
  for (size_t i = 0; i < units.size(); ++i) {
    const auto [box, top] = units[i];
    unitLabel(messages::kInputUnits[box].window, QStringLiteral("Label2_%1").arg(i), client,
              twipsRect(3360, top, 780, 405));
  }
  QLabel* note = placedLabel(captions::kCylinderNote, QStringLiteral("Label5"), client,
                             twipsRect(4200, 1320, 2415, 405));
  note->setFont(persianFont(8.25, true, true));

  const auto show = [this](InfoWindow window) {
    return [this, window] { mWorkspace.windows().showInfoWindow(window); };
  };
  connect(button(captions::kSlumpGuidanceButton, QStringLiteral("Command1"), client,
                 twipsRect(4200, 360, 2415, 375)),
          &QPushButton::clicked, this, show(InfoWindow::SlumpGuidance));
  connect(button(captions::kAggregateGuidanceButton, QStringLiteral("Command2"), client,
                 twipsRect(4200, 840, 2415, 375)),
          &QPushButton::clicked, this, show(InfoWindow::AggregateGuidance));
  connect(
      button(captions::kRunButton, QStringLiteral("RUN"), client, twipsRect(6720, 1200, 1215, 285)),
      &QPushButton::clicked, this, [this] { mWorkspace.design().run(); });
  connect(
      button(captions::kNewButton, QStringLiteral("NEW"), client, twipsRect(6720, 1680, 1215, 285)),
      &QPushButton::clicked, this, [this] { mWorkspace.files().newDesign(); });
  connect(button(captions::kExitButton, QStringLiteral("END"), client,
                 twipsRect(6720, 2160, 1215, 285)),
          &QPushButton::clicked, this, [this] { mWorkspace.windows().confirmExit(); });
  connect(button(captions::kAboutButton, QStringLiteral("Command4"), client,
                 twipsRect(6720, 2640, 1215, 285)),
          &QPushButton::clicked, this, show(InfoWindow::About));
  mConditionsButton = button(captions::kConditionsButton, QStringLiteral("Command3"), client,
                             twipsRect(360, 4440, 2415, 375));
  mTrialBatchButton = button(captions::kTrialBatchButton, QStringLiteral("Command5"), client,
                             twipsRect(3000, 4440, 2415, 375));
  mAdjustButton = button(captions::kAdjustButton, QStringLiteral("Command6"), client,
                         twipsRect(5640, 4440, 3495, 375));
  connect(mConditionsButton, &QPushButton::clicked, this,
          [this] { mWorkspace.conditions().openWindow(); });
  connect(mTrialBatchButton, &QPushButton::clicked, this,
          [this] { mWorkspace.trialBatch().open(); });
  connect(mAdjustButton, &QPushButton::clicked, this, [this] { mWorkspace.trialBatch().adjust(); });

  mResultsList = resultList(QStringLiteral("RESULTS"), client);
  mAdjustedList = resultList(QStringLiteral("List1"), client);
  // A line under the lists when the mix of the one shown cannot be a concrete.
  mNoMassWarning = placedLabel(messages::kNoMassWarning, QStringLiteral("NoMassWarning"), client,
                               twipsRect(120, 7545, 8775, kWarningHeight));
  mNoMassWarning->setFont(persianFont(8.25, true));
  mNoMassWarning->setWordWrap(true);
  mNoMassWarning->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
  mNoMassWarning->setStyleSheet(QStringLiteral("color: #b00000"));
}

void MainWindow::buildMenus() {
  const auto entry = [this](QMenu* menu, const char* caption, const QString& name,
                            const QKeySequence& shortcut, auto command) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, command);
    return action;
  };
  QMenu* file = menuBar()->addMenu(QString::fromUtf8(captions::kMenuFile));
  file->setObjectName(QStringLiteral("FILE"));
  FileCommands& files = mWorkspace.files();
  entry(file, captions::kMenuNew, QStringLiteral("MENNEW"), QKeySequence(Qt::CTRL | Qt::Key_N),
        [&files] { files.newDesign(); });
  entry(file, captions::kMenuSave, QStringLiteral("SAVE"), QKeySequence(Qt::CTRL | Qt::Key_S),
        [&files] { files.save(); });
  entry(file, captions::kMenuSaveAs, QStringLiteral("SAVEAS"), QKeySequence(),
        [&files] { files.saveAs(); });
  entry(file, captions::kMenuOpen, QStringLiteral("OPEN"), QKeySequence(Qt::CTRL | Qt::Key_O),
        [&files] { files.open(); });
  entry(file, captions::kMenuRun, QStringLiteral("MENRUN"), QKeySequence(Qt::Key_F5),
        [this] { mWorkspace.design().run(); });
  mReportAction =
      entry(file, captions::kMenuReport, QStringLiteral("MENREPORT"),
            QKeySequence(Qt::CTRL | Qt::Key_P), [this] { mWorkspace.report().openDialog(); });
  entry(file, captions::kMenuExit, QStringLiteral("MENEXIT"), QKeySequence(Qt::CTRL | Qt::Key_E),
        [this] { mWorkspace.windows().confirmExit(); });

  QMenu* option = menuBar()->addMenu(QString::fromUtf8(captions::kMenuOption));
  option->setObjectName(QStringLiteral("MENOPTION"));
  mSelectCodeAction =
      entry(option, captions::kMenuSelectCode, QStringLiteral("MENSELECTCODE"), QKeySequence(),
            [this] { mWorkspace.conditions().openDialog(OptionDialog::DesignMethod); });
  mViewAction = entry(option, captions::kMenuView, QStringLiteral("MENVIEW"),
                      QKeySequence(Qt::CTRL | Qt::Key_W),
                      [this] { mWorkspace.conditions().openDialog(OptionDialog::ResultView); });
  entry(option, captions::kMenuRequiredStrength, QStringLiteral("MENSTRENGTH"), QKeySequence(),
        [this] { mWorkspace.strength().openWindow(); });
  entry(option, captions::kMenuSieveAnalysis, QStringLiteral("MENSIEVES"), QKeySequence(),
        [this] { mWorkspace.sieves().openWindow(); });
  entry(option, captions::kMenuStrengthTests, QStringLiteral("MENTESTS"), QKeySequence(),
        [this] { mWorkspace.strengthTests().openWindow(); });

  // F10 opens the menu bar at its first menu, as in Windows programs, wherever the focus is.
  auto* menuKey = new QAction(this);
  menuKey->setObjectName(QStringLiteral("MenuBarKey"));
  menuKey->setShortcut(QKeySequence(Qt::Key_F10));
  connect(menuKey, &QAction::triggered, this, [this, file] {
    if (menuBar()->isEnabled()) menuBar()->setActiveAction(file->menuAction());
  });
  addAction(menuKey);
}

void MainWindow::setTabOrder() {
  const auto named = [this](const char* name) {
    return findChild<QWidget*>(QString::fromLatin1(name));
  };
  const std::array<QWidget*, 23> order = {
      box(Box::Text1),   named("Command1"), box(Box::Text2),   named("Command2"), box(Box::Text3),
      mConditionsButton, named("Command4"), box(Box::Text4),   box(Box::Text5),   box(Box::Text6),
      box(Box::Text7),   box(Box::Text8),   box(Box::Text9),   box(Box::Text10),  named("END"),
      named("NEW"),      named("RUN"),      mTrialBatchButton, mResultsList,      box(Box::Text11),
      box(Box::Text12),  mAdjustedList,     mAdjustButton};
  for (size_t i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

void MainWindow::follow() {
  if (mFollowing) {
    mFollowAgain = true;
    return;
  }
  mFollowing = true;
  do {
    mFollowAgain = false;
    followOnce();
  } while (mFollowAgain);
  mFollowing = false;
}

void MainWindow::followOnce() {
  const WorkspaceState& state = mWorkspace.state();
  if (state.mainWindow.programEnded) {
    closeEveryWindow();
    return;
  }
  followMainWindow(state);
  followWindows(state);
  followFocus(state);
}

void MainWindow::followMainWindow(const WorkspaceState& state) {
  const MainWindowState& main = state.mainWindow;
  setWindowTitle(QString::fromStdString(main.title));
  for (int i = 1; i <= kBoxCount; ++i) showText(box(static_cast<Box>(i)), main.text(Box(i)));
  // Only the main window's own controls: the other windows are its child windows, which a
  // disabled parent would disable with it.
  const bool holds = state.holder.window == Window::Main;
  centralWidget()->setEnabled(holds);
  menuBar()->setEnabled(holds);
  mConditionsButton->setEnabled(main.conditionsButtonEnabled);
  mTrialBatchButton->setEnabled(main.trialBatchButtonEnabled);
  mAdjustButton->setEnabled(main.adjustButtonEnabled);
  mViewAction->setEnabled(main.viewMenuEnabled);
  mSelectCodeAction->setEnabled(main.selectCodeMenuEnabled);
  mReportAction->setEnabled(state.reportAvailable());
  showList(mResultsList, main.results, main.resultsVisible);
  showList(mAdjustedList, main.adjustedResults, main.adjustedResultsVisible);
  const std::vector<std::string> none;
  const std::vector<std::string>& warnings = main.adjustedResultsVisible
                                                 ? main.adjustedResultsWarnings
                                             : main.resultsVisible ? main.resultsWarnings
                                                                   : none;
  // Under the lists, one warning a line, each whole: the window grows by the lines past the first.
  QStringList lines;
  for (const std::string& warning : warnings) {
    lines.append(withIsolatedNumbers(QString::fromStdString(warning)));
  }
  const QString text = lines.join(u'\n');
  if (mNoMassWarning->text() != text) {
    mNoMassWarning->setText(text);
    const int oneLine = twips(kWarningHeight);
    const int height = std::max(oneLine, mNoMassWarning->heightForWidth(mNoMassWarning->width()));
    mNoMassWarning->resize(mNoMassWarning->width(), height);
    const QSize client(twips(kClientWidth), twips(kClientHeight) + height - oneLine);
    if (centralWidget()->size() != client) {
      centralWidget()->setFixedSize(client);
      adjustSize();
    }
  }
  mNoMassWarning->setVisible(!warnings.empty());
}

std::vector<MainWindow::WindowRow> MainWindow::windowTable() {
  const auto showsWindow = [](Window window) {
    return [window](const WorkspaceState& state) { return state.shows(window); };
  };
  const auto info = [this](InfoWindow which, auto makeWindow) {
    const auto close = [this, which] { mWorkspace.windows().closeInfoWindow(which); };
    WindowRow row;
    row.shown = [which](const WorkspaceState& state) { return state.shows(which); };
    row.create = [this, close, makeWindow]() -> FollowingWindow* {
      return makeWindow(close, this);
    };
    row.placement = Placement::BesideMainWindow;
    row.showings = [which](const WorkspaceState& state) {
      return state.infoWindows[static_cast<size_t>(which)].showings;
    };
    return row;
  };
  std::vector<WindowRow> rows;
  rows.push_back({.shown = showsWindow(Window::Conditions),
                  .create = [this] { return new ConditionsWindow(mWorkspace, this); },
                  .holder = Window::Conditions});
  for (OptionDialog dialog : kOptionDialogs) {
    rows.push_back(
        {.shown = [dialog](const WorkspaceState& state) { return state.showsDialog(dialog); },
         .create = [this, dialog] { return new OptionDialogWindow(dialog, mWorkspace, this); },
         .placement = conditionsRow(dialog) >= 0 ? Placement::OverConditionsWindow
                                                 : Placement::OverMainWindow,
         .holder = Window::OptionDialog});
  }
  rows.push_back({.shown = showsWindow(Window::TrialBatch),
                  .create = [this] { return new TrialBatchDialog(mWorkspace, this); },
                  .holder = Window::TrialBatch});
  rows.push_back({.shown = showsWindow(Window::Report),
                  .create = [this] { return new ReportDialog(mWorkspace, this); },
                  .holder = Window::Report});
  rows.push_back({.shown = showsWindow(Window::RequiredStrength),
                  .create = [this] { return new StrengthWindow(mWorkspace, this); },
                  .holder = Window::RequiredStrength});
  rows.push_back({.shown = showsWindow(Window::SieveAnalysis),
                  .create = [this] { return new SieveWindow(mWorkspace, this); },
                  .holder = Window::SieveAnalysis});
  rows.push_back({.shown = showsWindow(Window::StrengthTests),
                  .create = [this] { return new StrengthTestsWindow(mWorkspace, this); },
                  .holder = Window::StrengthTests});
  rows.push_back({.shown = showsWindow(Window::PrintPreview),
                  .create =
                      [this] {
                        return new ReportPreview(
                            mWorkspace, std::make_unique<QPrinter>(QPrinter::HighResolution), this);
                      },
                  .placement = Placement::Own,
                  .holder = Window::PrintPreview});
  rows.push_back(info(InfoWindow::SlumpGuidance, [](auto close, QWidget* parent) {
    return new SlumpGuidanceWindow(close, parent);
  }));
  rows.push_back(info(InfoWindow::AggregateGuidance, [](auto close, QWidget* parent) {
    return new AggregateGuidanceWindow(close, parent);
  }));
  WindowRow about = info(InfoWindow::About, [](auto close, QWidget* parent) {
    return new AboutWindow(close, parent);
  });
  about.unloadedWhenHidden = true;
  rows.push_back(std::move(about));
  return rows;
}

void MainWindow::place(const WindowRow& row) const {
  QWidget* window = row.window->widget();
  switch (row.placement) {
    case Placement::OverMainWindow:
      placeOver(window, this);
      break;
    case Placement::OverConditionsWindow:
      for (const WindowRow& other : mWindows) {
        if (other.holder == Window::Conditions && other.window) {
          placeOver(window, other.window->widget());
        }
      }
      break;
    case Placement::BesideMainWindow: {
      window->adjustSize();
      // Before its first showing a window's frame is unknown; the main window's is the estimate.
      const QSize frame = frameGeometry().size() - size();
      const QScreen* screen = this->screen();
      window->move(besideMainWindow(screen ? screen->availableGeometry() : QRect(), frameGeometry(),
                                    window->size() + frame));
      break;
    }
    case Placement::Own:
      break;
  }
}

void MainWindow::followWindows(const WorkspaceState& state) {
  for (WindowRow& row : mWindows) {
    const bool shown = row.shown(state);
    if (!row.window && !shown) continue;
    const bool created = !row.window;
    if (created) row.window = row.create();
    QWidget* window = row.window->widget();
    row.window->follow(state);
    if (created && row.placement != Placement::BesideMainWindow) place(row);
    if (row.holder) window->setEnabled(shown && state.holder.window == *row.holder);
    const unsigned showings = row.showings ? row.showings(state) : 0;
    if (!shown) {
      window->hide();
      if (row.unloadedWhenHidden) {
        window->deleteLater();  // its own OK may be what closed it
        row.window = nullptr;
      }
    } else if (!window->isVisible() || showings != row.showingsFollowed) {
      // A window that comes up again comes to the front.
      if (row.placement == Placement::BesideMainWindow && !window->isVisible()) place(row);
      row.window->bringUp();
    }
    row.showingsFollowed = showings;
  }
}

void MainWindow::followFocus(const WorkspaceState& state) {
  if (state.focus.number == mFocusApplied || !state.focus.target) return;
  mFocusApplied = state.focus.number;
  const FocusTarget& focus = *state.focus.target;
  if (focus.window == Window::Main) {
    box(static_cast<Box>(focus.box))->setFocus();
    return;
  }
  for (const WindowRow& row : mWindows) {
    if (row.holder != focus.window || !row.window) continue;
    if (QWidget* target = row.window->focusBox(focus.box)) {
      row.window->widget()->activateWindow();
      target->setFocus();
    }
  }
}

void MainWindow::closeEveryWindow() {
  // Every window closes at once; nothing is saved and nothing else is asked.
  for (QWidget* window : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (window->isWindow()) window->hide();
  }
  hide();
  if (!mEnded) {
    mEnded = true;
    emit programEnded();
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The close box, Alt+F4 or a logout: asked first where work would be lost.
  mWorkspace.windows().closeMainWindow();
  event->setAccepted(mWorkspace.state().mainWindow.programEnded);
}

std::optional<std::string> MainWindow::droppableMixFile(const QMimeData* data) const {
  if (!mWorkspace.state().holds(Window::Main) || !data->hasUrls()) return std::nullopt;
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls[0].isLocalFile()) return std::nullopt;
  const QString path = QDir::toNativeSeparators(urls[0].toLocalFile());
  if (!path.endsWith(QStringLiteral(".vdr"), Qt::CaseInsensitive)) return std::nullopt;
  return path.toStdString();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (droppableMixFile(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  if (const std::optional<std::string> path = droppableMixFile(event->mimeData())) {
    event->acceptProposedAction();
    mWorkspace.files().open({*path});
  }
}

bool MainWindow::isMenuShortcut(const QKeyEvent* event) const {
  const QKeySequence pressed(event->keyCombination());
  const QList<QAction*> actions = menuBar()->findChildren<QAction*>();
  return std::any_of(actions.begin(), actions.end(), [&pressed](const QAction* action) {
    return !action->shortcut().isEmpty() &&
           action->shortcut().matches(pressed) == QKeySequence::ExactMatch;
  });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const auto it = std::find(mBoxes.begin(), mBoxes.end(), watched);
  if (it == mBoxes.end()) return QMainWindow::eventFilter(watched, event);
  // Files dragged over a box are for the window (which opens a mix file), not text to insert.
  if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
      event->type() == QEvent::Drop) {
    if (static_cast<const QDropEvent*>(event)->mimeData()->hasUrls()) return true;
  }
  // A line edit claims some keys for its own editing (Ctrl+E moves to the end of the line on X11)
  // before shortcuts are looked up; the menus' shortcuts go to the menus from every box.
  if (event->type() == QEvent::ShortcutOverride &&
      isMenuShortcut(static_cast<const QKeyEvent*>(event))) {
    return true;
  }
  const std::optional<bool> forward = boxMoveDirection(event);
  if (!forward) return QMainWindow::eventFilter(watched, event);
  const auto from = static_cast<Box>(it - mBoxes.begin() + 1);
  box(DesignCommands::nextBox(from, *forward))->setFocus();
  return true;
}

}  // namespace veldora
