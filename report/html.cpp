#include "report/html.h"

#include "presentation/bidi.h"
#include "presentation/numberforms.h"
#include "report/reporttexts.h"

#include <QRegularExpression>

namespace veldora::reporthtml {

QString persian(QString text) {
  text.replace(QChar(0x064A), QChar(0x06CC)).replace(QChar(0x0643), QChar(0x06A9));
  static const QRegularExpression plural(QStringLiteral("(\\S) (ها(?:ی|ئی)?)(?=[\\s،؛.:)]|$)"));
  static const QRegularExpression prefix(QStringLiteral("(^|[\\s(])(ن?می) (?=\\S)"));
  return text.replace(plural, QStringLiteral("\\1\u200C\\2"))
      .replace(prefix, QStringLiteral("\\1\\2\u200C"));
}

QString t(std::string_view utf8) {
  return persian(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())))
      .toHtmlEscaped();
}

QString typed(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toHtmlEscaped();
}

QString n(double x, int decimals) { return isolatedNumber(decimalNumber(x, decimals)); }

QString quantity(double x, int decimals) { return isolatedNumber(groupedNumber(x, decimals)); }

QString strength(double kgPerCm2) { return isolatedNumber(strengthText(kgPerCm2)); }

QString percent(double x, int decimals) { return isolatedNumber(decimalNumber(x, decimals) + "%"); }

QString caption(const char* utf8) {
  QString text = persian(QString::fromUtf8(utf8));
  if (text.endsWith(u'=')) text.chop(1);
  return text.toHtmlEscaped();
}

QString cell(const QString& content, bool heading) {
  return heading ? "<th>" + content + "</th>" : "<td>" + content + "</td>";
}

QString row(std::initializer_list<QString> cells, bool heading) {
  QString html;
  for (const QString& c : cells) html = cell(c, heading) + html;
  return heading ? "<thead><tr>" + html + "</tr></thead>" : "<tr>" + html + "</tr>";
}

QString table(const QString& rows) {
  return "<table width='100%' border='1' cellspacing='0' cellpadding='0'>" + rows + "</table>";
}

QString heading(std::string_view text) { return "<h3 dir='rtl'>" + t(text) + "</h3>"; }

QString section(std::string_view text) { return "<h2 dir='rtl'>" + t(text) + "</h2>"; }

QString valueRow(std::string_view label, const QString& value, bool derived) {
  return row({t(label), derived ? value + " " + t(reporttexts::kDerived) : value});
}

QString elided(const std::string& utf8, qsizetype longest, bool keepEnd) {
  const QString text = QString::fromStdString(utf8);
  if (text.size() <= longest) return text;
  const QChar ellipsis(0x2026);
  if (!keepEnd) return text.left(longest - 1) + ellipsis;
  return text.left(longest / 2 - 1) + ellipsis + text.right(longest / 2 - 1);
}

}  // namespace veldora::reporthtml
