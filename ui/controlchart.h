#pragma once

#include "workspace/state.h"

#include <QWidget>

namespace veldora {

// A control chart of strength tests: each test in order and the moving average of three, with
// lines at f'c, at the single-test limit and at f'cr (the averages and lines once f'c is given);
// failing tests and averages drawn as red squares. Strengths in kg/cm^2 up the side, test numbers
// along the bottom.
class ControlChart : public QWidget {
 public:
  explicit ControlChart(QWidget* parent);
  void setTests(const StrengthTestsWindowState& tests);
  // Draws the chart into rect of any paint device (the window, a PDF page).
  static void draw(QPainter& painter, const QRectF& rect, const StrengthTestsWindowState& tests);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  StrengthTestsWindowState mTests;
};

}  // namespace veldora
