#include "presentation/numberforms.h"

#include "engine/numbers.h"
#include "engine/strength.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace veldora {

QString plainNumber(double x) { return QString::fromStdString(plainText(x)).trimmed(); }

QString fixedNumber(double x, int decimals) {
  char buffer[400];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals).ptr;
  QString text = QString::fromLatin1(buffer, end - buffer);
  // A negative number that rounds to nothing is nothing.
  const auto nonZero = [](QChar c) { return c >= u'1' && c <= u'9'; };
  if (text.startsWith(u'-') && std::none_of(text.begin(), text.end(), nonZero)) text.remove(0, 1);
  return text;
}

QString decimalNumber(double x, int decimals) {
  QString text = fixedNumber(x, decimals);
  if (text.contains(u'.')) {
    while (text.endsWith(u'0')) text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
  }
  return text;
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

QString strengthRuleText(StrengthRule rule) {
  switch (rule) {
    case StrengthRule::MeanOfThree:
      return QStringLiteral("f'cr = f'c + 1.34ks");
    case StrengthRule::SingleTestLow:
      return QStringLiteral("f'cr = f'c + 2.33ks - 3.5");
    case StrengthRule::SingleTestHigh:
      return QStringLiteral("f'cr = 0.90f'c + 2.33ks");
    case StrengthRule::NoRecordLow:
      return QStringLiteral("f'cr = f'c + 7.0");
    case StrengthRule::NoRecordMiddle:
      return QStringLiteral("f'cr = f'c + 8.3");
    case StrengthRule::NoRecordHigh:
      return QStringLiteral("f'cr = 1.10f'c + 5.0");
  }
  return {};
}

QString strengthRequirementText(const StrengthBasis& basis) {
  return decimalNumber(basis.requiredMegapascals, 2) + QString::fromUtf8(" MPa → ") +
         strengthText(basis.required);
}

}  // namespace veldora
