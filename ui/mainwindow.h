#pragma once

#include "workspace/workspace.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QMimeData;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace veldora {

class FollowingWindow;

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
  void followWindows(const WorkspaceState& state);
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

  // Every other window, one row each, in the order they follow the state. Each is a child window
  // of this one, created at the first state that shows it and owned by this one. None is a child of
  // a window that can be disabled: a disabled window disables its child windows.
  enum class Placement {
    OverMainWindow,        // centred over the main window when created
    OverConditionsWindow,  // centred over the conditions window when created
    BesideMainWindow,      // beside the main window, where the screen has room, at each showing
    Own,                   // where the window places itself
  };
  struct WindowRow {
    std::function<bool(const WorkspaceState&)> shown{};
    std::function<FollowingWindow*()> create{};
    Placement placement = Placement::OverMainWindow;
    std::optional<Window> holder{};  // the holder value it takes input under, if it is one
    // Each showing of a window shown already brings it to the front again; none if null.
    std::function<unsigned(const WorkspaceState&)> showings{};
    bool unloadedWhenHidden = false;  // created afresh at each showing
    FollowingWindow* window = nullptr;
    unsigned showingsFollowed = 0;
  };
  std::vector<WindowRow> windowTable();
  void place(const WindowRow& row) const;
  std::vector<WindowRow> mWindows;

  unsigned mFocusApplied = 0;  // the last focus request applied
  bool mFollowing = false;
  bool mFollowAgain = false;
  bool mEnded = false;
  std::unique_ptr<Workspace::Subscription> mSubscription;
};

}  // namespace veldora
