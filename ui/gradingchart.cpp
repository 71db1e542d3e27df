#include "ui/gradingchart.h"

#include "presentation/fonts.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace veldora {
namespace {

// The axis runs from below the 150 µm sieve to above the 75 mm one.
constexpr double kSmallestMillimetres = 0.1;
constexpr double kLargestMillimetres = 100;
// The openings labelled under the axis: those of the fineness modulus's series.
constexpr double kLabelled[] = {0.15, 0.3, 0.6, 1.18, 2.36, 4.75, 9.5, 19, 37.5, 75};

double millimetres(Sieve sieve) { return micrometres(sieve) / 1000.0; }

}  // namespace

GradingChart::GradingChart(QWidget* parent) : QWidget(parent) {
  setFixedSize(250, 200);
  // A chart reads left to right, smallest opening first, in any language.
  setLayoutDirection(Qt::LeftToRight);
}

void GradingChart::setGrading(const std::optional<SieveResults>& results,
                              std::vector<LimitCheck> checks) {
  mCurve.clear();
  if (results) {
    for (const SieveRow& row : results->rows) {
      mCurve.emplace_back(millimetres(row.sieve), row.percentPassing);
    }
    std::reverse(mCurve.begin(), mCurve.end());
  }
  mChecks = std::move(checks);
  std::sort(mChecks.begin(), mChecks.end(), [](const LimitCheck& a, const LimitCheck& b) {
    return micrometres(a.limit.sieve) < micrometres(b.limit.sieve);
  });
  update();
}

int GradingChart::failingPoints() const {
  return static_cast<int>(std::count_if(mChecks.begin(), mChecks.end(), [](const LimitCheck& c) {
    return c.outcome == CheckOutcome::Fail;
  }));
}

void GradingChart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::white);
  const QRectF plot(28, 8, width() - 36, height() - 34);
  const double logLow = std::log10(kSmallestMillimetres);
  const double logSpan = std::log10(kLargestMillimetres) - logLow;
  const auto at = [&](double mm, double percent) {
    return QPointF(plot.left() + (std::log10(mm) - logLow) / logSpan * plot.width(),
                   plot.bottom() - percent / 100 * plot.height());
  };
  QFont font = persianFont(7, false);
  p.setFont(font);
  // The grid: a line at every standard sieve and every 20 %.
  p.setPen(QPen(QColor(220, 220, 220), 1));
  for (const Sieve sieve : kSieves) {
    p.drawLine(at(millimetres(sieve), 0), at(millimetres(sieve), 100));
  }
  for (int percent = 0; percent <= 100; percent += 20) {
    p.drawLine(at(kSmallestMillimetres, percent), at(kLargestMillimetres, percent));
  }
  p.setPen(Qt::black);
  for (int percent = 0; percent <= 100; percent += 20) {
    const QPointF left = at(kSmallestMillimetres, percent);
    p.drawText(QRectF(0, left.y() - 7, plot.left() - 4, 14), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(percent));
  }
  double lastLabel = -100;  // labels that would overlap are left out, smallest first kept
  for (const double mm : kLabelled) {
    const QPointF bottom = at(mm, 0);
    if (bottom.x() - lastLabel < 24) continue;
    lastLabel = bottom.x();
    p.drawText(QRectF(bottom.x() - 20, plot.bottom() + 2, 40, 14), Qt::AlignCenter,
               QString::number(mm));
  }
  p.drawText(QRectF(plot.left(), plot.bottom() + 14, plot.width(), 12), Qt::AlignCenter,
             QStringLiteral("mm"));
  p.drawRect(plot);
  // The band of the limits: up along the highest percentages, back along the lowest.
  if (!mChecks.empty()) {
    QPolygonF band;
    for (const LimitCheck& c : mChecks) band << at(millimetres(c.limit.sieve), c.limit.highest);
    for (auto c = mChecks.rbegin(); c != mChecks.rend(); ++c) {
      band << at(millimetres(c->limit.sieve), c->limit.lowest);
    }
    p.setPen(QPen(QColor(60, 140, 60), 1, Qt::DashLine));
    p.setBrush(QColor(120, 200, 120, 90));
    p.drawPolygon(band);
  }
  // The sample.
  if (!mCurve.empty()) {
    QPolygonF line;
    for (const QPointF& point : mCurve) line << at(point.x(), point.y());
    p.setPen(QPen(QColor(20, 60, 180), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(line);
    p.setBrush(QColor(20, 60, 180));
    for (const QPointF& point : line) p.drawEllipse(point, 2.5, 2.5);
  }
  p.setPen(QPen(QColor(200, 0, 0), 2));
  p.setBrush(Qt::NoBrush);
  for (const LimitCheck& c : mChecks) {
    if (c.outcome != CheckOutcome::Fail || !c.passing) continue;
    p.drawEllipse(at(millimetres(c.limit.sieve), *c.passing), 6, 6);
  }
}

}  // namespace veldora
