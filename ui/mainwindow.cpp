#include "ui/mainwindow.h"

#include "report/designreport.h"
#include "report/fonts.h"
#include "ui/aboutwindow.h"
#include "ui/captions.h"
#include "ui/conditionswindow.h"
#include "ui/guidancewindows.h"
#include "ui/optiondialog.h"
#include "ui/placement.h"
#include "ui/reportdialog.h"
#include "ui/resultdelegate.h"
#include "ui/trialbatchdialog.h"
#include "ui/twips.h"
#include "ui/widgets.h"
#include "workspace/messages.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPaintEngine>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <algorithm>

namespace veldora {
namespace {

constexpr int kClientWidth = 9960;
constexpr int kClientHeight = 7845;

QRect twipsRect(int left, int top, int width, int height) {
  return QRect(twips(left), twips(top), twips(width), twips(height));
}

QLabel* persianLabel(const char* text, const QString& name, QWidget* parent, QRect geometry) {
  QLabel* label = veldora::persianLabel(text, name, parent);
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

void showList(QListWidget* list, const ResultsList& lines, bool visible) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) texts.append(QString::fromStdString(line));
  QStringList shown;
  for (int i = 0; i < list->count(); ++i) shown.append(list->item(i)->text());
  if (shown != texts) {
    list->clear();
    list->addItems(texts);
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
  refresh();
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
        persianLabel(messages::kInputCaptions[i], QStringLiteral("Label1_%1").arg(i), client,
                     twipsRect(60, kRows[i].labelTop, 2115, kRows[i].labelHeight));
    if (i == 4) label->setWordWrap(true);
    mBoxes[i] = new QLineEdit(client);
    mBoxes[i]->setGeometry(twipsRect(2280, kRows[i].top, 975, 405));
  }
  // Moisture rows beside the density rows.
  persianLabel(messages::kInputCaptions[8], QStringLiteral("Label1_8"), client,
               twipsRect(3600, 3480, 1815, 405));
  persianLabel(messages::kInputCaptions[9], QStringLiteral("Label1_9"), client,
               twipsRect(3600, 3960, 1815, 405));
  persianLabel(messages::kInputCaptions[10], QStringLiteral("Label3"), client,
               twipsRect(6600, 3480, 2175, 405));
  persianLabel(messages::kInputCaptions[11], QStringLiteral("Label4"), client,
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
    edit->installEventFilter(this);
    const Box which = static_cast<Box>(i + 1);
    connect(edit, &QLineEdit::textEdited, this, [this, which, edit](const QString& text) {
      mWorkspace.design().setText(which, text.toStdString());
      // A pasted line break and what follows it are not kept.
      const QString kept = QString::fromStdString(mWorkspace.state().mainWindow.text(which));
      if (kept != text) edit->setText(kept);
    });
  }

  // Unit captions, Label2 indexes 0 to 3: beside Text1, Text2, Text3 and Text5.
  const std::array<std::pair<size_t, int>, 4> units = {{{0, 360}, {1, 840}, {2, 1320}, {4, 2400}}};
  for (size_t i = 0; i < units.size(); ++i) {
    const auto [box, top] = units[i];
    unitLabel(messages::kInputUnits[box], QStringLiteral("Label2_%1").arg(i), client,
              twipsRect(3360, top, 780, 405));
  }
  QLabel* note = persianLabel(captions::kCylinderNote, QStringLiteral("Label5"), client,
                              twipsRect(4200, 1320, 2415, 405));
  note->setFont(persianFont(8.25, true, true));

  mSlumpGuidanceButton = button(captions::kSlumpGuidanceButton, QStringLiteral("Command1"), client,
                                twipsRect(4200, 360, 2415, 375));
  mAggregateGuidanceButton = button(captions::kAggregateGuidanceButton, QStringLiteral("Command2"),
                                    client, twipsRect(4200, 840, 2415, 375));
  mRunButton =
      button(captions::kRunButton, QStringLiteral("RUN"), client, twipsRect(6720, 1200, 1215, 285));
  mNewButton =
      button(captions::kNewButton, QStringLiteral("NEW"), client, twipsRect(6720, 1680, 1215, 285));
  mExitButton = button(captions::kExitButton, QStringLiteral("END"), client,
                       twipsRect(6720, 2160, 1215, 285));
  mAboutButton = button(captions::kAboutButton, QStringLiteral("Command4"), client,
                        twipsRect(6720, 2640, 1215, 285));
  mConditionsButton = button(captions::kConditionsButton, QStringLiteral("Command3"), client,
                             twipsRect(360, 4440, 2415, 375));
  mTrialBatchButton = button(captions::kTrialBatchButton, QStringLiteral("Command5"), client,
                             twipsRect(3000, 4440, 2415, 375));
  mAdjustButton = button(captions::kAdjustButton, QStringLiteral("Command6"), client,
                         twipsRect(5640, 4440, 3495, 375));
  connect(mSlumpGuidanceButton, &QPushButton::clicked, this, &MainWindow::showSlumpGuidance);
  connect(mAggregateGuidanceButton, &QPushButton::clicked, this,
          &MainWindow::showAggregateGuidance);
  connect(mRunButton, &QPushButton::clicked, this, &MainWindow::run);
  connect(mExitButton, &QPushButton::clicked, this, &MainWindow::exitProgram);
  connect(mAboutButton, &QPushButton::clicked, this, &MainWindow::showAbout);
  connect(mConditionsButton, &QPushButton::clicked, this, &MainWindow::openConditions);
  connect(mTrialBatchButton, &QPushButton::clicked, this, &MainWindow::openTrialBatch);
  connect(mAdjustButton, &QPushButton::clicked, this, &MainWindow::adjust);

  mResultsList = resultList(QStringLiteral("RESULTS"), client);
  mAdjustedList = resultList(QStringLiteral("List1"), client);
}

void MainWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(QString::fromUtf8(captions::kMenuFile));
  file->setObjectName(QStringLiteral("FILE"));
  auto addEntry = [](QMenu* menu, const char* caption, const QString& name,
                     const QKeySequence& shortcut) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
  };
  const auto command = [this](void (FileCommands::*action)()) {
    return [this, action] {
      (mWorkspace.files().*action)();
      refresh();
    };
  };
  connect(addEntry(file, captions::kMenuNew, QStringLiteral("MENNEW"),
                   QKeySequence(Qt::CTRL | Qt::Key_N)),
          &QAction::triggered, this, command(&FileCommands::newDesign));
  connect(addEntry(file, captions::kMenuSave, QStringLiteral("SAVE"),
                   QKeySequence(Qt::CTRL | Qt::Key_S)),
          &QAction::triggered, this, command(&FileCommands::save));
  connect(addEntry(file, captions::kMenuSaveAs, QStringLiteral("SAVEAS"), QKeySequence()),
          &QAction::triggered, this, command(&FileCommands::saveAs));
  connect(addEntry(file, captions::kMenuOpen, QStringLiteral("OPEN"),
                   QKeySequence(Qt::CTRL | Qt::Key_O)),
          &QAction::triggered, this, command(&FileCommands::open));
  connect(mNewButton, &QPushButton::clicked, this, command(&FileCommands::newDesign));
  QAction* menRun =
      addEntry(file, captions::kMenuRun, QStringLiteral("MENRUN"), QKeySequence(Qt::Key_F5));
  mReportAction = addEntry(file, captions::kMenuReport, QStringLiteral("MENREPORT"),
                           QKeySequence(Qt::CTRL | Qt::Key_P));
  connect(mReportAction, &QAction::triggered, this, &MainWindow::openReport);
  QAction* menExit = addEntry(file, captions::kMenuExit, QStringLiteral("MENEXIT"),
                              QKeySequence(Qt::CTRL | Qt::Key_E));
  connect(menRun, &QAction::triggered, this, &MainWindow::run);
  connect(menExit, &QAction::triggered, this, &MainWindow::exitProgram);

  QMenu* option = menuBar()->addMenu(QString::fromUtf8(captions::kMenuOption));
  option->setObjectName(QStringLiteral("MENOPTION"));
  mSelectCodeAction =
      addEntry(option, captions::kMenuSelectCode, QStringLiteral("MENSELECTCODE"), QKeySequence());
  mViewAction = addEntry(option, captions::kMenuView, QStringLiteral("MENVIEW"),
                         QKeySequence(Qt::CTRL | Qt::Key_W));
  connect(mSelectCodeAction, &QAction::triggered, this, [this] {
    mWorkspace.conditionWindows().openDialog(OptionDialog::DesignMethod);
    refresh();
  });
  connect(mViewAction, &QAction::triggered, this, [this] {
    mWorkspace.conditionWindows().openDialog(OptionDialog::ResultView);
    refresh();
  });
}

void MainWindow::setTabOrder() {
  const std::array<QWidget*, 23> order = {
      box(Box::Text1),  mSlumpGuidanceButton, box(Box::Text2), mAggregateGuidanceButton,
      box(Box::Text3),  mConditionsButton,    mAboutButton,    box(Box::Text4),
      box(Box::Text5),  box(Box::Text6),      box(Box::Text7), box(Box::Text8),
      box(Box::Text9),  box(Box::Text10),     mExitButton,     mNewButton,
      mRunButton,       mTrialBatchButton,    mResultsList,    box(Box::Text11),
      box(Box::Text12), mAdjustedList,        mAdjustButton};
  for (size_t i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

void MainWindow::refresh() {
  const MainWindowState& state = mWorkspace.state().mainWindow;
  setWindowTitle(QString::fromStdString(state.title));
  for (int i = 1; i <= kBoxCount; ++i) {
    const QString text = QString::fromStdString(state.text(static_cast<Box>(i)));
    if (box(static_cast<Box>(i))->text() != text) box(static_cast<Box>(i))->setText(text);
  }
  // Only the main window's own controls: the conditions window, dialogs and guidance windows are
  // child windows, which a disabled parent would disable with it.
  centralWidget()->setEnabled(state.enabled);
  menuBar()->setEnabled(state.enabled);
  mConditionsButton->setEnabled(state.conditionsButtonEnabled);
  mTrialBatchButton->setEnabled(state.trialBatchButtonEnabled);
  mAdjustButton->setEnabled(state.adjustButtonEnabled);
  mViewAction->setEnabled(state.viewMenuEnabled);
  showList(mResultsList, state.results, state.resultsVisible);
  showList(mAdjustedList, state.adjustedResults, state.adjustedResultsVisible);

  mSelectCodeAction->setEnabled(state.selectCodeMenuEnabled);
  mReportAction->setEnabled(mWorkspace.state().reportAvailable());
  refreshConditionWindows();

  if (!mTrialBatchWindow && mWorkspace.state().trialBatch.shown) {
    mTrialBatchWindow = new TrialBatchDialog(
        mWorkspace, [this] { refresh(); }, this);
    placeOver(mTrialBatchWindow, this);
  }
  if (mTrialBatchWindow) mTrialBatchWindow->refresh();

  if (!mReportDialog && mWorkspace.state().reportDialog.shown) {
    mReportDialog = new ReportDialog(
        mWorkspace, [this] { refresh(); },
        [this](const ReportSettings& settings) { previewReport(settings); }, this);
    mReportDialog->adjustSize();
    placeOver(mReportDialog, this);
  }
  if (mReportDialog) mReportDialog->refresh();

  if (const auto focus = mWorkspace.design().takeFocusRequest()) {
    if (focus->window == Window::Main) {
      box(static_cast<Box>(focus->box))->setFocus();
    } else if (focus->window == Window::TrialBatch && mTrialBatchWindow) {
      mTrialBatchWindow->activateWindow();
      mTrialBatchWindow->box(focus->box)->setFocus();
    } else if (focus->window == Window::Report && mReportDialog) {
      mReportDialog->activateWindow();
      mReportDialog->box(focus->box)->setFocus();
    }
  }
}

void MainWindow::openTrialBatch() {
  mWorkspace.trialBatch().open();
  refresh();
}

void MainWindow::openReport() {
  mWorkspace.report().openDialog();
  refresh();
}

void MainWindow::previewReport(const ReportSettings& settings) {
  const DesignReport report(mWorkspace.state(), settings, QDate::currentDate());
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(reportDocumentTitle());
  printer.setCreator(reportCreator());
  QPrintPreviewDialog preview(&printer, this);
  preview.setObjectName(QStringLiteral("ReportPreview"));
  preview.setWindowTitle(QString::fromUtf8(captions::kReportCaption));
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &report](QPrinter* device) {
    // Printed to a PDF file, the report is written as the command line writes it: complete or not
    // at all, the failure said, never over the design's mix file. The printer then paints nothing.
    if (device->paintEngine()->type() == QPaintEngine::Pdf) {
      const std::string path = device->outputFileName().toStdString();
      if (mWorkspace.report().mayWriteTo(path) && !writeReportPdf(report, path)) {
        mWorkspace.report().notWritten();
      }
      return;
    }
    report.paint(*device);
  });
  preview.exec();
}

void MainWindow::adjust() {
  mWorkspace.trialBatch().adjust();
  refresh();
}

QWidget* MainWindow::dialogOwner(OptionDialog dialog) {
  if (optionDialogInfo(dialog).conditionsRow >= 0) return mConditionsWindow;
  return this;
}

// Windows are created on their first showing and then only hidden and shown again. Each takes
// its visibility and enabled state from the workspace on every refresh.
void MainWindow::refreshConditionWindows() {
  const auto changed = [this] { refresh(); };
  if (!mConditionsWindow && mWorkspace.state().conditionsWindow.shown) {
    mConditionsWindow = new ConditionsWindow(mWorkspace, changed, this);
    placeOver(mConditionsWindow, this);
  }
  if (mConditionsWindow) mConditionsWindow->refresh();
  for (OptionDialog dialog : kOptionDialogs) {
    OptionDialogWindow*& window = mOptionDialogs[static_cast<size_t>(dialog)];
    if (!window && mWorkspace.state().dialog(dialog).shown) {
      window = new OptionDialogWindow(dialog, mWorkspace, changed, this);
      placeOver(window, dialogOwner(dialog));
    }
    if (window) window->refresh();
  }
}

void MainWindow::openConditions() {
  mWorkspace.conditionWindows().openWindow();
  refresh();
}

void MainWindow::run() {
  mWorkspace.design().run();
  refresh();
}

void MainWindow::exitProgram() {
  mWorkspace.design().confirmExit();
  if (mWorkspace.state().mainWindow.programEnded) endProgram();
}

void MainWindow::endProgram() {
  // Every window closes at once; nothing is saved and nothing else is asked.
  for (QWidget* window : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (window->isWindow()) window->hide();
  }
  hide();
  emit programEnded();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  mWorkspace.design().closeMainWindow();
  endProgram();
}

namespace {

// Shows a window; when it was hidden it opens beside the main window where the screen has room,
// so that neither hides the other.
void bringUp(QWidget* window, const QWidget* mainWindow) {
  if (!window->isVisible()) {
    window->adjustSize();
    // Before its first showing a window's frame is unknown; the main window's is the estimate.
    const QSize frame = mainWindow->frameGeometry().size() - mainWindow->size();
    const QScreen* screen = mainWindow->screen();
    window->move(besideMainWindow(screen ? screen->availableGeometry() : QRect(),
                                  mainWindow->frameGeometry(), window->size() + frame));
  }
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

void MainWindow::showSlumpGuidance() {
  if (!mSlumpGuidance) mSlumpGuidance = new SlumpGuidanceWindow(this);
  bringUp(mSlumpGuidance, this);
}

void MainWindow::showAggregateGuidance() {
  if (!mAggregateGuidance) mAggregateGuidance = new AggregateGuidanceWindow(this);
  bringUp(mAggregateGuidance, this);
}

void MainWindow::showAbout() {
  if (!mAbout) mAbout = new AboutWindow(this);
  bringUp(mAbout, this);
}

void MainWindow::openMixFile(const std::string& path) {
  mWorkspace.files().openChosen(path);
  refresh();
}

std::optional<std::string> MainWindow::droppableMixFile(const QMimeData* data) const {
  if (!mWorkspace.state().mainWindow.enabled || !data->hasUrls()) return std::nullopt;
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls[0].isLocalFile()) return std::nullopt;
  const QString path = urls[0].toLocalFile();
  if (!path.endsWith(QStringLiteral(".vdr"), Qt::CaseInsensitive)) return std::nullopt;
  return path.toStdString();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (droppableMixFile(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  if (const std::optional<std::string> path = droppableMixFile(event->mimeData())) {
    event->acceptProposedAction();
    openMixFile(*path);
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
