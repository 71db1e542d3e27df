#pragma once

#include <QWidget>

namespace veldora {

// Form2: the recommended slump for each type of structure. OK only hides it; the main window
// keeps it and shows it again unchanged.
class SlumpGuidanceWindow : public QWidget {
  Q_OBJECT
 public:
  explicit SlumpGuidanceWindow(QWidget* parent = nullptr);
};

// Form3: the rules for choosing the largest aggregate size; OK hides it as in Form2.
class AggregateGuidanceWindow : public QWidget {
  Q_OBJECT
 public:
  explicit AggregateGuidanceWindow(QWidget* parent = nullptr);
};

}  // namespace veldora
