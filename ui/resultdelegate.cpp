#include "ui/resultdelegate.h"

#include "report/bidi.h"

namespace veldora {

QString ResultLineDelegate::displayText(const QVariant& value, const QLocale&) const {
  return displayLine(value.toString());
}

}  // namespace veldora
