#pragma once

#include "workspace/workspace.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QMimeData;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace veldora {

class AboutWindow;
class AggregateGuidanceWindow;
class ConditionsWindow;
class OptionDialogWindow;
class ReportDialog;
class TrialBatchDialog;
class SlumpGuidanceWindow;

// Form1: renders the workspace and forwards the user's commands to it.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(Workspace& workspace, QWidget* parent = nullptr);
  ~MainWindow() override;

  QLineEdit* box(Box box) const { return mBoxes[static_cast<size_t>(box) - 1]; }

  // The run button, "&RUN" and F5.
  void run();
  // The exit button and "E&XIT": ends the program at once on Yes.
  void exitProgram();
  void showSlumpGuidance();
  void showAggregateGuidance();
  void showAbout();
  void openConditions();  // Command3
  void openTrialBatch();  // Command5
  void adjust();          // Command6
  // "RE&PORT...": the report dialog, then the print preview of the report it set up.
  void openReport();
  void previewReport(const ReportSettings& settings);
  TrialBatchDialog* trialBatchDialog() const { return mTrialBatchWindow; }

  // Brings every window up to date with the workspace and applies its focus request.
  void refresh();

  // Opens a mix file named on the command line or dropped on the window, as Open does.
  void openMixFile(const std::string& path);

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
  void endProgram();
  void refreshConditionWindows();
  QWidget* dialogOwner(OptionDialog dialog);
  bool isMenuShortcut(const QKeyEvent* event) const;
  // The mix file a drag carries: exactly one local file named *.vdr, while the window is enabled.
  std::optional<std::string> droppableMixFile(const QMimeData* data) const;

  Workspace& mWorkspace;
  std::array<QLineEdit*, kBoxCount> mBoxes{};
  QPushButton* mSlumpGuidanceButton = nullptr;
  QPushButton* mAggregateGuidanceButton = nullptr;
  QPushButton* mConditionsButton = nullptr;
  QPushButton* mAboutButton = nullptr;
  QPushButton* mTrialBatchButton = nullptr;
  QPushButton* mAdjustButton = nullptr;
  QPushButton* mRunButton = nullptr;
  QPushButton* mNewButton = nullptr;
  QPushButton* mExitButton = nullptr;
  QListWidget* mResultsList = nullptr;
  QListWidget* mAdjustedList = nullptr;
  QAction* mViewAction = nullptr;
  QAction* mSelectCodeAction = nullptr;
  QAction* mReportAction = nullptr;

  // Every other window is a child of this one, created on first use and owned by it. None is a
  // child of a window that can be disabled: a disabled window disables its child windows too.
  SlumpGuidanceWindow* mSlumpGuidance = nullptr;
  AggregateGuidanceWindow* mAggregateGuidance = nullptr;
  QPointer<AboutWindow> mAbout;  // deleted when closed
  ConditionsWindow* mConditionsWindow = nullptr;
  TrialBatchDialog* mTrialBatchWindow = nullptr;
  ReportDialog* mReportDialog = nullptr;
  std::array<OptionDialogWindow*, kOptionDialogs.size()> mOptionDialogs{};
};

}  // namespace veldora
