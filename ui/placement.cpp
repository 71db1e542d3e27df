#include "ui/placement.h"

#include <algorithm>
#include <array>

namespace veldora {
namespace {

constexpr int kGap = 8;

// The offset that brings [start, start + length) inside [low, high]; the low end wins when the
// length does not fit.
int clampInto(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high + 1 - length));
}

}  // namespace

QPoint besideMainWindow(const QRect& screen, const QRect& main, const QSize& window) {
  const int alignedTop = clampInto(main.top(), window.height(), screen.top(), screen.bottom());
  const int alignedLeft = clampInto(main.left(), window.width(), screen.left(), screen.right());
  const std::array<QPoint, 4> candidates = {
      QPoint(main.right() + 1 + kGap, alignedTop),               // right
      QPoint(main.left() - kGap - window.width(), alignedTop),   // left
      QPoint(alignedLeft, main.bottom() + 1 + kGap),             // below
      QPoint(alignedLeft, main.top() - kGap - window.height()),  // above
  };
  for (const QPoint& at : candidates) {
    const QRect placed(at, window);
    if (screen.contains(placed) && !placed.intersects(main)) return at;
  }
  return QPoint(clampInto(candidates[0].x(), window.width(), screen.left(), screen.right()),
                alignedTop);
}

}  // namespace veldora
