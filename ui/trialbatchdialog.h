#pragma once

#include "ui/followingwindow.h"
#include "ui/widgets.h"
#include "workspace/workspace.h"

#include <array>

class QLabel;
class QLineEdit;

namespace veldora {

// Dialog6: the trial batch's measured slump, unit weight, water and (air-entrained concrete only)
// air content, with OK and Cancel stacked at the right; Escape and the close box act as Cancel.
class TrialBatchDialog : public AnsweredWindow, public FollowingWindow {
  Q_OBJECT
 public:
  TrialBatchDialog(Workspace& workspace, QWidget* parent);
  QLineEdit* box(TrialBox box) const { return mBoxes[TrialBatchWindowState::index(box)]; }
  QWidget* widget() override { return this; }
  QWidget* focusBox(int number) const override;
  void follow(const WorkspaceState& state) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Workspace& mWorkspace;
  std::array<QLineEdit*, 4> mBoxes{};  // by TrialBox
  QLabel* mAirLabel = nullptr;
};

}  // namespace veldora
