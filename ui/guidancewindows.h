#pragma once

#include "ui/widgets.h"

#include <functional>

namespace veldora {

// Form2: the recommended slump for each type of structure. Its OK (and Escape, and the close box)
// calls close, which hides it; the main window keeps it and shows it again unchanged.
class SlumpGuidanceWindow : public AnsweredWindow {
  Q_OBJECT
 public:
  SlumpGuidanceWindow(std::function<void()> close, QWidget* parent);
};

// Form3: the rules for choosing the largest aggregate size; closed as Form2.
class AggregateGuidanceWindow : public AnsweredWindow {
  Q_OBJECT
 public:
  AggregateGuidanceWindow(std::function<void()> close, QWidget* parent);
};

}  // namespace veldora
