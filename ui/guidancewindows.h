#pragma once

#include "ui/followingwindow.h"
#include "ui/widgets.h"

#include <functional>

namespace veldora {

// Form2: the recommended slump for each type of structure. Its OK (and Escape, and the close box)
// calls close, which hides it; the main window keeps it and shows it again unchanged.
class SlumpGuidanceWindow : public AnsweredWindow, public FollowingWindow {
  Q_OBJECT
 public:
  QWidget* widget() override { return this; }
  SlumpGuidanceWindow(std::function<void()> close, QWidget* parent);
};

// Form3: the rules for choosing the largest aggregate size; closed as Form2.
class AggregateGuidanceWindow : public AnsweredWindow, public FollowingWindow {
  Q_OBJECT
 public:
  QWidget* widget() override { return this; }
  AggregateGuidanceWindow(std::function<void()> close, QWidget* parent);
};

}  // namespace veldora
