#include "ui/programicon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace veldora {

QPixmap programIcon(int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(side / 32.0, side / 32.0);  // drawn on a 32 by 32 grid
  const QColor outline(60, 50, 40);
  p.setPen(QPen(outline, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  // The frame and its wheel.
  p.setBrush(QColor(110, 115, 120));
  p.drawPolygon(QPolygonF({QPointF(5, 27), QPointF(27, 27), QPointF(24, 24), QPointF(8, 24)}));
  p.setBrush(QColor(40, 40, 40));
  p.drawEllipse(QPointF(22, 27.5), 2.6, 2.6);
  // The drum, tilted, its mouth up and to the right, with the stripes of its blades.
  p.save();
  p.translate(16, 14);
  p.rotate(-30);
  QPainterPath drum;
  drum.moveTo(-11, -6);
  drum.cubicTo(-14, -2, -14, 2, -11, 6);
  drum.lineTo(7, 8);
  drum.lineTo(11, 3.5);
  drum.lineTo(11, -3.5);
  drum.lineTo(7, -8);
  drum.closeSubpath();
  QLinearGradient paint(0, -8, 0, 8);
  paint.setColorAt(0, QColor(250, 170, 60));
  paint.setColorAt(1, QColor(210, 110, 20));
  p.setBrush(paint);
  p.drawPath(drum);
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(-6, -7), QPointF(-1, 7.5));
  p.drawLine(QPointF(0, -7.5), QPointF(5, 7.8));
  p.setBrush(QColor(90, 90, 90));
  p.drawEllipse(QPointF(11, 0), 1.6, 3.5);
  p.restore();
  return pixmap;
}

QIcon programIcons() {
  QIcon icon;
  for (const int side : kIconSizes) icon.addPixmap(programIcon(side));
  return icon;
}

}  // namespace veldora
