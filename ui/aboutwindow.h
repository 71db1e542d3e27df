#pragma once

#include <QIcon>
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
// The program's icon at the sizes of the desktop's icon themes, for its windows.
QIcon programIcons();
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

}  // namespace veldora
