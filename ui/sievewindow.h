#pragma once

#include "ui/followingwindow.h"
#include "ui/gradingchart.h"
#include "ui/widgets.h"
#include "workspace/workspace.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

namespace veldora {

// The sieve analysis window: a fine and a coarse aggregate's masses retained on the standard
// sieves, typed cell by cell; beside them, as they are typed, the percentages, the limits of
// ASTM C33 with what passes and fails, the fineness modulus, the sizes and the size number the
// coarse aggregate fits, and a grading chart of each. Its button puts the fineness modulus and the
// nominal maximum size into the design's boxes; Escape and the close box close it.
class SieveWindow : public AnsweredWindow, public FollowingWindow {
  Q_OBJECT
 public:
  SieveWindow(Workspace& workspace, QWidget* parent);
  QWidget* widget() override { return this; }
  QWidget* focusBox(int number) const override;
  void follow(const WorkspaceState& state) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The user leaves a cell: the workspace takes its text or refuses it.
  void leave(AggregateTable which, size_t cell);
  // One aggregate's table: a row per sieve, the pan and the original mass.
  struct Table {
    std::array<QLineEdit*, kSieveTableCells> cells{};
    // Per sieve row (and the pan for the first two): % retained, cumulative, % passing, limits
    // and outcome.
    std::array<std::array<QLabel*, 5>, kSieves.size() + 1> values{};
    QLabel* results = nullptr;
    QLabel* warning = nullptr;
    GradingChart* chart = nullptr;
  };
  QWidget* buildTable(AggregateTable which);
  void followTable(AggregateTable which, const WorkspaceState& state);

  Workspace& mWorkspace;
  std::array<Table, 2> mTables;
  QComboBox* mSizeNumber = nullptr;
  QLabel* mSuggestion = nullptr;
};

}  // namespace veldora
