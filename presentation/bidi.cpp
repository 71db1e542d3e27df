#include "report/bidi.h"

#include "engine/numbers.h"

namespace veldora {
namespace {

constexpr QChar kLeftToRightIsolate(0x2066);
constexpr QChar kPopDirectionalIsolate(0x2069);

bool isNumberChar(QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; }

}  // namespace

QString isolatedNumber(const QString& number) {
  return kLeftToRightIsolate + number + kPopDirectionalIsolate;
}

QString plainNumber(double x) { return QString::fromStdString(plainText(x)).trimmed(); }

ResultLineParts splitResultLine(const QString& line) {
  const qsizetype equals = line.lastIndexOf(u'=');
  if (equals < 0) return {line, {}, {}};
  qsizetype start = equals + 1;
  if (start < line.size() && line[start] == u' ') ++start;  // the sign of a positive number
  qsizetype end = start;
  if (end < line.size() && line[end] == u'-') ++end;
  const qsizetype digits = end;
  while (end < line.size() && isNumberChar(line[end])) ++end;
  if (end == digits) return {line, {}, {}};
  return {line.left(start), line.mid(start, end - start), line.mid(end)};
}

QString displayLine(const QString& line) {
  const ResultLineParts parts = splitResultLine(line);
  if (parts.number.isEmpty()) return line;
  return parts.label + isolatedNumber(parts.number) + parts.rest;
}

}  // namespace veldora
