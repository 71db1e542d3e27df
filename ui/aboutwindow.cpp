#include "ui/aboutwindow.h"

#include "presentation/fonts.h"
#include "ui/captions.h"
#include "ui/programicon.h"
#include "ui/twips.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
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

AboutWindow::AboutWindow(std::function<void()> close, QWidget* parent)
    : AnsweredWindow(parent, Qt::Window, close) {
  setObjectName(QStringLiteral("frmAbout"));
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
  connect(ok, &QPushButton::clicked, this, close);

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
