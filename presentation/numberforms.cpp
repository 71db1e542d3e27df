#include "presentation/numberforms.h"

#include "engine/numbers.h"
#include "engine/strength.h"

namespace veldora {

QString plainNumber(double x) { return QString::fromStdString(plainText(x)).trimmed(); }

QString fixedNumber(double x, int decimals) {
  return QString::fromStdString(fixedText(x, decimals));
}

QString decimalNumber(double x, int decimals) {
  return QString::fromStdString(decimalText(x, decimals));
}

QString groupedNumber(double x, int decimals) {
  QString text = decimalNumber(x, decimals);
  const qsizetype point = text.indexOf(u'.');
  const qsizetype start = text.startsWith(u'-') ? 1 : 0;
  for (qsizetype at = (point < 0 ? text.size() : point) - 3; at > start; at -= 3) {
    text.insert(at, u',');
  }
  return text;
}

QString strengthText(double kgPerCm2) {
  return decimalNumber(kgPerCm2, 1) + QString::fromUtf8(" kg/cm² (") +
         decimalNumber(megapascals(kgPerCm2), 1) + QStringLiteral(" MPa)");
}

QString strengthRuleText(StrengthRule rule) { return QString::fromUtf8(strengthRuleFormula(rule)); }

QString strengthRequirementText(const StrengthBasis& basis) {
  return decimalNumber(basis.requiredMegapascals, 2) + QString::fromUtf8(" MPa → ") +
         strengthText(basis.required);
}

}  // namespace veldora
