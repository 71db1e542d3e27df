#pragma once

#include <QIcon>
#include <QPixmap>

namespace veldora {

// The program's icon, drawn rather than loaded: a concrete mixer on a 32 by 32 grid, at any size.
QPixmap programIcon(int side);
// The icon at the sizes of the desktop's icon themes (set once, in the build), for the windows.
QIcon programIcons();
inline constexpr int kIconSizes[] = {VELDORA_ICON_SIZES};

}  // namespace veldora
