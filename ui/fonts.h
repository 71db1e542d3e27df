#pragma once

#include <QFont>

namespace veldora {

// The font of every Persian caption. "Lotus" where the machine has it; otherwise Nazli from
// Debian's fonts-farsiweb, the closest free Naskh book face, enlarged because it draws small for
// its point size; then Noto Naskh Arabic and DejaVu Sans, which every Debian desktop can shape.
QFont lotusFont(qreal pointSize, bool bold = true, bool italic = false);

// The twips of the original layout (1/1440 inch) to pixels of this program's windows, which are
// drawn a quarter larger than 96 dpi so that the Persian captions fit.
int twips(int value);

}  // namespace veldora
