#pragma once

#include "workspace/state.h"

class QWidget;

namespace veldora {

// A window that follows the workspace's state. The main window's table of windows creates it at
// the first state that shows it, places it, and only then has it follow; from then on it follows
// after every announcement. Whether it is shown and whether it takes input are the table's to say:
// a window follows with its contents only, and never from its constructor.
class FollowingWindow {
 public:
  FollowingWindow() = default;
  FollowingWindow(const FollowingWindow&) = delete;
  FollowingWindow& operator=(const FollowingWindow&) = delete;
  virtual ~FollowingWindow() = default;

  // The window itself, a child window of the main window, which owns it.
  virtual QWidget* widget() = 0;
  // Brings what it shows in line with the state.
  virtual void follow(const WorkspaceState& state) { (void)state; }
  // The box the workspace gives the keyboard to, by its number in this window; none by default.
  virtual QWidget* focusBox(int number) const {
    (void)number;
    return nullptr;
  }
  // Brings it up when the state shows it: shown, raised and given the keyboard, as a window the
  // user must answer is. A window that must prepare its showing does so here.
  virtual void bringUp();
};

}  // namespace veldora
