#pragma once

#include "workspace.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class QAction;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace veldora {

class AboutWindow;
class AggregateGuidanceWindow;
class ConditionsWindow;
class OptionDialogWindow;
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
  TrialBatchDialog* trialBatchDialog() const { return mDialog6.get(); }

  // Brings every control up to date with the workspace and applies its focus request.
  void refresh();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void buildMenus();
  void setTabOrder();
  void endProgram();
  void refreshConditionWindows();
  QWidget* dialogOwner(OptionDialog dialog);

  Workspace& mWorkspace;
  std::array<QLineEdit*, kBoxCount> mBoxes{};
  QPushButton* mCommand1 = nullptr;
  QPushButton* mCommand2 = nullptr;
  QPushButton* mCommand3 = nullptr;
  QPushButton* mCommand4 = nullptr;
  QPushButton* mCommand5 = nullptr;
  QPushButton* mCommand6 = nullptr;
  QPushButton* mRun = nullptr;
  QPushButton* mNew = nullptr;
  QPushButton* mEnd = nullptr;
  QListWidget* mResults = nullptr;
  QListWidget* mList1 = nullptr;
  QAction* mMenView = nullptr;
  QAction* mMenSelectCode = nullptr;

  std::unique_ptr<SlumpGuidanceWindow> mForm2;
  std::unique_ptr<AggregateGuidanceWindow> mForm3;
  QPointer<AboutWindow> mAbout;
  std::unique_ptr<ConditionsWindow> mForm4;
  std::unique_ptr<TrialBatchDialog> mDialog6;
  std::array<std::unique_ptr<OptionDialogWindow>, kOptionDialogs.size()> mDialogs;
};

}  // namespace veldora
