#pragma once

#include "ui/followingwindow.h"
#include "ui/widgets.h"
#include "workspace/workspace.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace veldora {

class ControlChart;

// The strength-tests window: f'c, a table of the plant's cylinder tests (the date shown in the
// Jalali calendar, the label, two or three cylinders in kg/cm^2 and MPa, the test strength and the
// average of three, failing ones marked), what they say together, their acceptance and a control
// chart. Every edit goes to the workspace, which refuses a cell that is no test's and recomputes;
// the window only shows. Escape and the close box close it.
class StrengthTestsWindow : public AnsweredWindow, public FollowingWindow {
  Q_OBJECT
 public:
  StrengthTestsWindow(Workspace& workspace, QWidget* parent);
  QWidget* widget() override { return this; }
  QWidget* focusBox(int number) const override;
  void follow(const WorkspaceState& state) override;

 private:
  void showRows(const StrengthTestsWindowState& tests);
  void showSummary(const StrengthTestsWindowState& tests);

  Workspace& mWorkspace;
  QLineEdit* mSpecified = nullptr;
  QTableWidget* mTable = nullptr;
  QLabel* mStatistics = nullptr;
  QLabel* mAcceptance = nullptr;
  QLabel* mNotes = nullptr;
  ControlChart* mChart = nullptr;
  bool mFilling = false;  // the table's items are being set from the state
};

}  // namespace veldora
