#pragma once

#include "ui/followingwindow.h"
#include "ui/widgets.h"

#include <QPixmap>

#include <functional>

namespace veldora {

// frmAbout: its OK (and Escape, and the close box) calls close; the main window then unloads it,
// so each opening loads it afresh.
class AboutWindow : public AnsweredWindow, public FollowingWindow {
  Q_OBJECT
 public:
  QWidget* widget() override { return this; }
  AboutWindow(std::function<void()> close, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap mBackground;
};

// The About window's background: a concrete-grey picture, drawn rather than loaded.
QPixmap aboutBackground(QSize size);

}  // namespace veldora
