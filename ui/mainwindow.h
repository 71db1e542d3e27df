#pragma once

#include "workspace/workspace.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QMimeData;
class QLineEdit;
class QListWidget;
class QPrintPreviewDialog;
class QPrinter;
class QPushButton;

namespace veldora {

class AboutWindow;
class AggregateGuidanceWindow;
class ConditionsWindow;
class DesignReport;
class OptionDialogWindow;
class ReportDialog;
class SlumpGuidanceWindow;
class StrengthWindow;
class TrialBatchDialog;

// Form1: forwards the user's commands to the workspace, and follows its state with every window
// of the program, which it creates on first showing and owns.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(Workspace& workspace, QWidget* parent = nullptr);
  ~MainWindow() override;

  QLineEdit* box(Box box) const { return mBoxes[static_cast<size_t>(box) - 1]; }

 signals:
  // A command ended the program: every window is closed and the application should quit.
  void programEnded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildControls();
  void buildMenus();
  void setTabOrder();

  // Brings every window in line with the workspace's state: the workspace's one subscription.
  // An announcement that comes while the windows follow an earlier one is followed after it.
  void follow();
  void followOnce();
  void followMainWindow(const WorkspaceState& state);
  void followConditionWindows(const WorkspaceState& state);
  void followInfoWindows(const WorkspaceState& state);
  void followPrintPreview(const WorkspaceState& state);
  void followFocus(const WorkspaceState& state);
  void closeEveryWindow();

  bool isMenuShortcut(const QKeyEvent* event) const;
  // The mix file a drag carries: exactly one local file named *.vdr, while the window holds the
  // user.
  std::optional<std::string> droppableMixFile(const QMimeData* data) const;

  Workspace& mWorkspace;
  std::array<QLineEdit*, kBoxCount> mBoxes{};
  QPushButton* mConditionsButton = nullptr;
  QPushButton* mTrialBatchButton = nullptr;
  QPushButton* mAdjustButton = nullptr;
  QListWidget* mResultsList = nullptr;
  QListWidget* mAdjustedList = nullptr;
  QLabel* mNoMassWarning = nullptr;  // under the lists
  QAction* mViewAction = nullptr;
  QAction* mSelectCodeAction = nullptr;
  QAction* mReportAction = nullptr;

  // Every other window is a child of this one, created on its first showing and owned by it. None
  // is a child of a window that can be disabled: a disabled window disables its child windows.
  SlumpGuidanceWindow* mSlumpGuidance = nullptr;
  AggregateGuidanceWindow* mAggregateGuidance = nullptr;
  AboutWindow* mAbout = nullptr;  // unloaded when closed
  ConditionsWindow* mConditionsWindow = nullptr;
  TrialBatchDialog* mTrialBatchWindow = nullptr;
  ReportDialog* mReportDialog = nullptr;
  StrengthWindow* mStrengthWindow = nullptr;
  std::array<OptionDialogWindow*, kOptionDialogs.size()> mOptionDialogs{};
  std::unique_ptr<QPrinter> mPrinter;
  QPrintPreviewDialog* mPreview = nullptr;
  std::unique_ptr<DesignReport> mPreviewedReport;
  bool mPrintFailed = false;     // the last printing to a PDF file wrote nothing
  bool mPdfNameRefused = false;  // the preview's own dialog for the PDF's name was cancelled

  std::array<unsigned, kInfoWindows> mInfoShowings{};  // the showings already brought up
  unsigned mFocusApplied = 0;                          // the last focus request applied
  bool mFollowing = false;
  bool mFollowAgain = false;
  bool mEnded = false;
  std::unique_ptr<Workspace::Subscription> mSubscription;
};

}  // namespace veldora
