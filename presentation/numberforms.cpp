#include "presentation/numberforms.h"

#include "engine/numbers.h"

namespace veldora {

QString plainNumber(double x) { return QString::fromStdString(plainText(x)).trimmed(); }

}  // namespace veldora
