#include "report/compositionchart.h"

#include "engine/batching.h"
#include "presentation/bidi.h"
#include "presentation/numberforms.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace veldora {
namespace {

// To a tenth, as the shares are rounded and as the masses are weighed.
QString number(double x) { return isolatedNumber(decimalNumber(x, 1)); }

}  // namespace

CompositionChart::CompositionChart(std::vector<ChartPart> volumes, QString volumeTitle,
                                   std::vector<ChartPart> masses, QString massTitle, QFont font,
                                   double millimetre)
    : mVolumes(std::move(volumes)),
      mVolumeTitle(std::move(volumeTitle)),
      mMasses(std::move(masses)),
      mMassTitle(std::move(massTitle)),
      mFont(std::move(font)),
      mMillimetre(millimetre) {}

QSizeF CompositionChart::intrinsicSize(QTextDocument* document, int, const QTextFormat&) {
  const double lines = 4.5 + static_cast<double>(mMasses.size());
  return QSizeF(document->textWidth() - 4 * mMillimetre, lines * 5.5 * mMillimetre);
}

void CompositionChart::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                                  const QTextFormat&) {
  painter->save();
  painter->setFont(mFont);
  painter->setLayoutDirection(Qt::RightToLeft);
  const double mm = mMillimetre;
  const double rowHeight = 5.5 * mm;
  const QPen outline(Qt::black, 0.2 * mm);
  // Alignments are of the page, not mirrored by the right-to-left direction.
  const auto text = [painter](const QRectF& box, const QString& s, int flags) {
    painter->setPen(Qt::black);
    painter->drawText(box, flags | Qt::AlignAbsolute | Qt::AlignVCenter | Qt::TextSingleLine, s);
  };

  // The volumes: one bar of 100%, right to left in the order of the materials.
  double total = 0;
  for (const ChartPart& part : mVolumes) total += part.value;
  double y = rect.top();
  text(QRectF(rect.left(), y, rect.width(), rowHeight), mVolumeTitle, Qt::AlignRight);
  y += rowHeight;
  const QRectF bar(rect.left(), y, rect.width(), rowHeight);
  double right = bar.right();
  for (const ChartPart& part : mVolumes) {
    const double width = total > 0 ? bar.width() * part.value / total : 0;
    const QRectF segment(right - width, bar.top(), width, bar.height());
    painter->setPen(outline);
    painter->setBrush(part.colour);
    painter->drawRect(segment);
    right -= width;
  }
  y += rowHeight;
  // Under the bar, each material's share, right to left.
  const double legendWidth =
      rect.width() / static_cast<double>(std::max<size_t>(mVolumes.size(), 1));
  for (size_t i = 0; i < mVolumes.size(); ++i) {
    const ChartPart& m = mVolumes[i];
    const QRectF cell(rect.right() - legendWidth * static_cast<double>(i + 1), y, legendWidth,
                      rowHeight);
    painter->setPen(outline);
    painter->setBrush(m.colour);
    painter->drawRect(QRectF(cell.right() - 4 * mm, cell.top() + 2 * mm, 3 * mm, 3 * mm));
    const double share = shareInPercent(m.value, total);
    text(cell.adjusted(0, 0, -5 * mm, 0),
         m.name + " " + isolatedNumber(decimalNumber(share, 1) + "%"), Qt::AlignRight);
  }
  y += rowHeight * 1.5;

  // The masses: a bar each, to the scale of the largest.
  text(QRectF(rect.left(), y, rect.width(), rowHeight), mMassTitle, Qt::AlignRight);
  y += rowHeight;
  double largest = 0;
  for (const ChartPart& part : mMasses) largest = std::max(largest, part.value);
  const double nameWidth = rect.width() * 0.25;
  const double valueWidth = rect.width() * 0.12;
  const double barWidth = rect.width() - nameWidth - valueWidth;
  for (const ChartPart& m : mMasses) {
    text(QRectF(rect.right() - nameWidth, y, nameWidth - 2 * mm, rowHeight), m.name,
         Qt::AlignRight);
    const double width = largest > 0 ? barWidth * m.value / largest : 0;
    const QRectF massBar(rect.right() - nameWidth - width, y + 1 * mm, width, rowHeight - 2 * mm);
    painter->setPen(outline);
    painter->setBrush(m.colour);
    painter->drawRect(massBar);
    text(QRectF(massBar.left() - valueWidth, y, valueWidth - 1 * mm, rowHeight), number(m.value),
         Qt::AlignRight);
    y += rowHeight;
  }
  painter->restore();
}

}  // namespace veldora
