#pragma once

#include "ui/followingwindow.h"
#include "ui/widgets.h"
#include "workspace/workspace.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace veldora {

// The report dialog: the project name, the pour volume, the cement bag mass, the volume of one
// mixer batch, the method of the batching sheet, and whether to include the adjusted proportions.
// Its OK opens the print preview; Escape and the close box act as Cancel.
class ReportDialog : public AnsweredWindow, public FollowingWindow {
  Q_OBJECT
 public:
  ReportDialog(Workspace& workspace, QWidget* parent);
  QLineEdit* box(ReportBox box) const { return mBoxes[static_cast<size_t>(box) - 1]; }
  QWidget* widget() override { return this; }
  QWidget* focusBox(int number) const override;
  void follow(const WorkspaceState& state) override;

 private:
  Workspace& mWorkspace;
  std::array<QLineEdit*, 4> mBoxes{};  // by ReportBox
  QRadioButton* mVolumeMethod = nullptr;
  QRadioButton* mWeightMethod = nullptr;
  QCheckBox* mIncludeAdjustment = nullptr;
};

}  // namespace veldora
