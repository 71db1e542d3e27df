#include "ui/controlchart.h"

#include "presentation/fonts.h"
#include "presentation/numberforms.h"
#include "ui/captions.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace veldora {

ControlChart::ControlChart(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ControlChart"));
  setMinimumSize(560, 200);
  setLayoutDirection(Qt::LeftToRight);  // test 1 at the left, as a chart is read
}

void ControlChart::setTests(const StrengthTestsWindowState& tests) {
  mTests = tests;
  update();
}

void ControlChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  draw(painter, QRectF(rect()), mTests);
}

void ControlChart::draw(QPainter& painter, const QRectF& rect, const StrengthTestsWindowState& t) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const std::optional<Acceptance>& judged = t.acceptance;
  std::vector<double> values;
  for (const StrengthTest& test : t.tests) values.push_back(test.strength());
  if (judged) {
    values.push_back(judged->specified);
    values.push_back(judged->singleTestLimit);
  }
  if (t.required) values.push_back(t.required->required);
  painter.setPen(Qt::black);
  QFont font = persianFont(8, false);
  painter.setFont(font);
  const qreal fontHeight = painter.fontMetrics().height();
  const QRectF plot =
      rect.adjusted(4 * fontHeight, fontHeight / 2, -7 * fontHeight, -1.5 * fontHeight);
  painter.drawRect(plot);
  if (values.empty()) {
    painter.restore();
    return;
  }
  // Whole tens of kg/cm^2 around every value, so that each line stands inside.
  // Four steps of whole tens.
  const double low = std::floor(*std::min_element(values.begin(), values.end()) / 10) * 10 - 10;
  const double high =
      low + std::ceil((*std::max_element(values.begin(), values.end()) + 10 - low) / 40) * 40;
  const size_t n = t.tests.size();
  const auto x = [&](size_t i) {
    return plot.left() + plot.width() * (static_cast<double>(i) + 0.5) /
                             static_cast<double>(std::max<size_t>(n, 1));
  };
  const auto y = [&](double v) { return plot.bottom() - plot.height() * (v - low) / (high - low); };
  // The strength scale: five steps.
  for (int k = 0; k <= 4; ++k) {
    const double v = low + (high - low) * k / 4;
    painter.setPen(QColor(220, 220, 220));
    painter.drawLine(QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v)));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(rect.left(), y(v) - fontHeight / 2, 3.5 * fontHeight, fontHeight),
                     Qt::AlignRight | Qt::AlignVCenter, decimalNumber(v, 1));
  }
  const size_t step = std::max<size_t>(1, n / 15 + 1);
  for (size_t i = 0; i < n; i += step) {
    painter.drawText(QRectF(x(i) - 2 * fontHeight, plot.bottom(), 4 * fontHeight, fontHeight),
                     Qt::AlignCenter, QString::number(i + 1));
  }
  // The lines of the limits, named at the right.
  const auto limit = [&](double v, const QColor& colour, Qt::PenStyle style, const QString& name) {
    painter.setPen(QPen(colour, 1.5, style));
    painter.drawLine(QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v)));
    painter.drawText(QRectF(plot.right() + 4, y(v) - fontHeight / 2, 8 * fontHeight, fontHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, name);
  };
  if (judged) {
    limit(judged->specified, QColor(0, 100, 0), Qt::SolidLine,
          QString::fromUtf8(captions::kTestsChartSpecified));
    limit(judged->singleTestLimit, QColor(176, 0, 0), Qt::DashLine,
          QString::fromUtf8(captions::kTestsChartLimit));
  }
  if (t.required) {
    limit(t.required->required, QColor(0, 0, 160), Qt::DotLine,
          QString::fromUtf8(captions::kTestsChartRequired));
  }
  // The tests, joined, and the moving average of three.
  const auto marked = [&](QPointF at, bool fails, const QColor& colour) {
    painter.setPen(fails ? QPen(QColor(200, 0, 0), 2) : QPen(colour, 1));
    painter.setBrush(fails ? QBrush(QColor(200, 0, 0)) : QBrush(colour));
    if (fails) {
      painter.drawRect(QRectF(at.x() - 4, at.y() - 4, 8, 8));
    } else {
      painter.drawEllipse(at, 3, 3);
    }
  };
  QPainterPath tests;
  QPainterPath averages;
  for (size_t i = 0; i < n; ++i) {
    const QPointF at(x(i), y(values[i]));
    i == 0 ? tests.moveTo(at) : tests.lineTo(at);
    if (judged && judged->tests[i].averageOfThree) {
      const QPointF average(x(i), y(*judged->tests[i].averageOfThree));
      i == 2 ? averages.moveTo(average) : averages.lineTo(average);
    }
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawPath(tests);
  painter.setPen(QPen(QColor(230, 130, 0), 2));
  painter.drawPath(averages);
  for (size_t i = 0; i < n; ++i) {
    marked(QPointF(x(i), y(values[i])), judged && judged->tests[i].testFails, Qt::black);
    if (judged && judged->tests[i].averageFails) {
      marked(QPointF(x(i), y(*judged->tests[i].averageOfThree)), true, QColor(230, 130, 0));
    }
  }
  painter.restore();
}

}  // namespace veldora
