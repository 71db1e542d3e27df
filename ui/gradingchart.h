#pragma once

#include "engine/sieveanalysis.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace veldora {

// A grading chart: percent passing against the sieve opening on a logarithmic axis, the limits of
// the grading checked drawn as a band, the sample's curve over it and its failing points marked.
class GradingChart : public QWidget {
 public:
  explicit GradingChart(QWidget* parent);
  // The sample's results (none: the band alone) and its grading's checks, each with its limit.
  void setGrading(const std::optional<SieveResults>& results, std::vector<LimitCheck> checks);
  // The points drawn, for the windows' tests: the sample's (opening in mm, percent passing).
  const std::vector<QPointF>& curve() const { return mCurve; }
  int failingPoints() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<QPointF> mCurve;
  std::vector<LimitCheck> mChecks;
};

}  // namespace veldora
