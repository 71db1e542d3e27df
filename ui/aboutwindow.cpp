#include "ui/aboutwindow.h"

#include "report/fonts.h"
#include "ui/captions.h"
#include "ui/twips.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRandomGenerator>

namespace veldora {

QPixmap aboutBackground(QSize size) {
  QPixmap pixmap(size);
  QPainter p(&pixmap);
  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0, QColor(214, 222, 230));
  sky.setColorAt(1, QColor(150, 150, 145));
  p.fillRect(pixmap.rect(), sky);
  // Aggregate in a concrete face: a fixed seed, so the picture is the same on every opening.
  QRandomGenerator stones(211);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 260; ++i) {
    const int x = stones.bounded(size.width());
    const int y = size.height() / 2 + stones.bounded(size.height() / 2);
    const int r = 1 + stones.bounded(5);
    const int grey = 95 + stones.bounded(70);
    p.setBrush(QColor(grey, grey, grey - 8, 140));
    p.drawEllipse(QPoint(x, y), r, r);
  }
  return pixmap;
}

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

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmAbout"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(twips(5760), twips(3600));
  mBackground = aboutBackground(size());

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("picIcon"));
  icon->setPixmap(programIcon(32));
  icon->setGeometry(twips(240), twips(240), 32, 32);

  auto* title = new QLabel(this);
  title->setObjectName(QStringLiteral("lblTitle"));
  title->setFont(persianFont(18, true));
  title->setGeometry(twips(2160), twips(360), twips(3240), twips(600));

  auto* version = new QLabel(this);
  version->setObjectName(QStringLiteral("lblVersion"));
  version->setFont(persianFont(9.75, false));
  version->setGeometry(twips(2160), twips(1020), twips(3240), twips(300));

  auto* line = new QFrame(this);
  line->setObjectName(QStringLiteral("Line1"));
  line->setFrameShape(QFrame::HLine);
  line->setGeometry(twips(120), twips(1800), twips(5520), 2);

  auto* description = new QLabel(QString::fromUtf8(captions::kAboutDescription), this);
  description->setObjectName(QStringLiteral("lblDescription"));
  description->setFont(persianFont(8.25, false));
  description->setGeometry(twips(120), twips(2040), twips(5520), twips(360));

  auto* disclaimer = new QLabel(QString::fromUtf8(captions::kAboutDisclaimer), this);
  disclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
  disclaimer->setFont(persianFont(7, false));
  disclaimer->setWordWrap(true);
  disclaimer->setGeometry(twips(120), twips(2760), twips(4200), twips(720));

  auto* ok = new QPushButton(QString::fromUtf8(captions::kOk), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setGeometry(twips(4440), twips(2940), twips(1200), twips(420));
  connect(ok, &QPushButton::clicked, this, &QWidget::close);

  // The load steps: caption, version and title.
  const QString appTitle = QString::fromUtf8(captions::kApplicationTitle);
  setWindowTitle(QString::fromUtf8(captions::kAboutPrefix) + appTitle);
  version->setText(QString::fromUtf8(captions::kVersionPrefix) + QStringLiteral("%1.%2.%3")
                                                                     .arg(VELDORA_VERSION_MAJOR)
                                                                     .arg(VELDORA_VERSION_MINOR)
                                                                     .arg(VELDORA_VERSION_PATCH));
  title->setText(appTitle);
}

void AboutWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, mBackground);
}

}  // namespace veldora
