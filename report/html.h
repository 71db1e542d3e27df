#pragma once

#include <QString>

#include <initializer_list>
#include <string>
#include <string_view>

// The pieces the report's HTML is made of. Every text of the program's own goes in through t(),
// which writes its Persian as a Persian reader expects it (the windows keep their captions as
// they are): Persian yeh and keheh, and zero-width non-joiners between a word and "ها", "های"
// and after "می" and "نمی".
namespace veldora::reporthtml {

QString persian(QString text);

// A text of the program's, in the report's Persian, HTML-escaped.
QString t(std::string_view utf8);
// A user's text (a project name) as typed, HTML-escaped.
QString typed(std::string_view utf8);

// A number as an engineer writes it, to at most decimals decimals, isolated as left-to-right text,
// which keeps "-12" from reading "12-".
QString n(double x, int decimals = 4);
// A quantity to weigh out: to the decimals given, its digits grouped by thousands.
QString quantity(double x, int decimals);
// A strength, with its megapascals.
QString strength(double kgPerCm2);
// A percentage, with its sign.
QString percent(double x, int decimals = 4);
// A caption as a heading of its own: without the "=" that follows it in the main window.
QString caption(const char* utf8);

QString cell(const QString& content, bool heading = false);
// A table row, its first cell at the right: the text layout places cells left to right. A heading
// row is the table's first and is repeated at the top of each page the table runs on to.
QString row(std::initializer_list<QString> cells, bool heading = false);
QString table(const QString& rows);
QString heading(std::string_view text);
QString section(std::string_view text);
// A label and a value, marked as the report's own when the steps never held it.
QString valueRow(std::string_view label, const QString& value, bool derived = false);

// Text of at most longest characters: a longer one shortened by an ellipsis at its end, or in its
// middle when its end matters too.
QString elided(const std::string& utf8, qsizetype longest, bool keepEnd);

}  // namespace veldora::reporthtml
