#pragma once

#include <QPixmap>
#include <QWidget>

namespace veldora {

// frmAbout: deleted when closed with OK, so each opening loads it afresh.
class AboutWindow : public QWidget {
  Q_OBJECT
 public:
  explicit AboutWindow(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap mBackground;
};

// The program's pictures, drawn rather than loaded: a concrete-grey background and the mixer
// icon of picIcon.
QPixmap aboutBackground(QSize size);
QPixmap programIcon(int side);

}  // namespace veldora
