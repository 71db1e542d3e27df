#pragma once

#include <QFont>

namespace veldora {

// The font of every Persian caption, on the screen and in the report. "Lotus" where the machine
// has it; otherwise Nazli from Debian's fonts-farsiweb, the closest free Naskh book face,
// enlarged because it draws small for its point size; then Noto Naskh Arabic and DejaVu Sans,
// which every Debian desktop can shape.
QFont persianFont(qreal pointSize, bool bold = true, bool italic = false);

// Makes the fonts in the folder "fonts" beside the program available to it alone (the Windows
// folder carries Nazli so; nothing is installed into the system). Where there is no such folder,
// as on Debian, the system's fonts serve. Needs the application object.
void loadBundledFonts();

}  // namespace veldora
