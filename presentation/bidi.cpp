#include "presentation/bidi.h"

#include <QRegularExpression>

namespace veldora {
namespace {

constexpr QChar kLeftToRightIsolate(0x2066);
constexpr QChar kPopDirectionalIsolate(0x2069);

QString text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

QString isolatedNumber(const QString& number) {
  return kLeftToRightIsolate + number + kPopDirectionalIsolate;
}

QString withIsolatedNumbers(const QString& text) {
  static const QRegularExpression number(QStringLiteral("-?\\d+(?:\\.\\d+)?%?"));
  QString shown;
  qsizetype at = 0;
  for (auto match = number.globalMatch(text); match.hasNext();) {
    const QRegularExpressionMatch m = match.next();
    shown += text.mid(at, m.capturedStart() - at) + isolatedNumber(m.captured());
    at = m.capturedEnd();
  }
  return shown + text.mid(at);
}

QString displayLine(const ResultLine& line) {
  QString number = QString::fromStdString(numberText(line));
  QString shown = text(line.label);
  if (number.startsWith(u' ')) {
    shown += u' ';
    number.remove(0, 1);
  }
  if (!number.isEmpty()) shown += isolatedNumber(number);
  return shown + text(line.unit);
}

}  // namespace veldora
