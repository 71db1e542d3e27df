#pragma once

#include "ui/followingwindow.h"
#include "ui/widgets.h"
#include "workspace/workspace.h"

#include <array>

class QLabel;
class QLineEdit;

namespace veldora {

// The required-strength window: the specified strength f'c and, optionally, the plant's standard
// deviation and number of tests; as they are typed it shows the factor k on s, f'c in megapascals,
// f'cr and the rule that governed, and warns when the design would stop at f'cr. OK writes f'cr
// into the strength box; Escape and the close box act as Cancel.
class StrengthWindow : public AnsweredWindow, public FollowingWindow {
  Q_OBJECT
 public:
  StrengthWindow(Workspace& workspace, QWidget* parent);
  QLineEdit* box(StrengthBox box) const { return mBoxes[static_cast<size_t>(box) - 1]; }
  QWidget* widget() override { return this; }
  QWidget* focusBox(int number) const override;
  void follow(const WorkspaceState& state) override;

 private:
  Workspace& mWorkspace;
  std::array<QLineEdit*, 3> mBoxes{};  // by StrengthBox
  QLabel* mFactor = nullptr;           // k, the factor on s for fewer than 30 tests
  QLabel* mSpecified = nullptr;
  QLabel* mRequired = nullptr;
  QLabel* mRule = nullptr;
  QLabel* mWarning = nullptr;
};

}  // namespace veldora
