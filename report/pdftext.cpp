#include "report/pdftext.h"

#include <QList>
#include <QMap>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <utility>

namespace veldora {
namespace {

constexpr QByteArrayView kCMapStart = "/CIDInit /ProcSet findresource begin";

// Whether a character is one of Arabic's presentation forms: a letter in one of its joined
// shapes, or a ligature.
bool isPresentationForm(char32_t c) {
  return (c >= 0xFB50 && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF);
}

QByteArray hex(QStringView text) {
  QByteArray out;
  for (const QChar c : text) out += QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
  return out.toUpper();
}

// The glyphs of a ToUnicode CMap and the text of each, from its bfrange lines.
QMap<int, QString> glyphTexts(const QByteArray& cmap) {
  QMap<int, QString> texts;
  static const QRegularExpression range(
      QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>\\s*(<[0-9A-Fa-f]+>|\\[[^\\]]*\\])"));
  static const QRegularExpression element(QStringLiteral("<([0-9A-Fa-f]+)>"));
  const QString text = QString::fromLatin1(cmap);
  const qsizetype start = text.indexOf(QStringLiteral("beginbfrange"));
  if (start < 0) return texts;
  const QString ranges = text.mid(start, text.lastIndexOf(QStringLiteral("endbfrange")) - start);
  const auto unitsOf = [](const QString& digits) {
    QString units;
    for (qsizetype i = 0; i + 4 <= digits.size(); i += 4) {
      units += QChar(static_cast<char16_t>(digits.mid(i, 4).toUInt(nullptr, 16)));
    }
    return units;
  };
  for (auto match = range.globalMatch(ranges); match.hasNext();) {
    const QRegularExpressionMatch m = match.next();
    const int first = m.captured(1).toInt(nullptr, 16);
    const int last = m.captured(2).toInt(nullptr, 16);
    const QString target = m.captured(3);
    if (target.startsWith(u'[')) {
      int glyph = first;
      for (auto item = element.globalMatch(target); item.hasNext() && glyph <= last; ++glyph) {
        texts[glyph] = unitsOf(item.next().captured(1));
      }
    } else {
      const QString units = unitsOf(target.mid(1, target.size() - 2));
      for (int glyph = first; glyph <= last; ++glyph) {
        // A range counts up from its first character.
        QString text = units;
        if (!text.isEmpty()) text.back() = QChar(text.back().unicode() + (glyph - first));
        texts[glyph] = text;
      }
    }
  }
  return texts;
}

// A CMap that gives the letters of each glyph: each presentation form as the letters it shows, in
// bfchar lines (at most 100 to a block).
std::optional<QByteArray> withLetters(const QByteArray& cmap) {
  QMap<int, QString> texts = glyphTexts(cmap);
  bool changed = false;
  for (QString& text : texts) {
    QString letters;
    for (const QChar c : text) {
      if (!isPresentationForm(c.unicode())) {
        letters += c;
        continue;
      }
      // A ligature's letters go in reading order reversed: readers turn the characters of a
      // right-to-left run round one by one, those of one glyph too ("لا", not "ال").
      QString form = QString(c).normalized(QString::NormalizationForm_KC);
      std::reverse(form.begin(), form.end());
      letters += form;
    }
    changed = changed || letters != text;
    text = letters;
  }
  if (!changed) return std::nullopt;
  const qsizetype body = cmap.indexOf("endcodespacerange\n");
  if (body < 0) return std::nullopt;
  QByteArray out = cmap.left(body + qsizetype(sizeof "endcodespacerange\n") - 1);
  const QList<int> glyphs = texts.keys();
  for (qsizetype at = 0; at < glyphs.size(); at += 100) {
    const qsizetype count = std::min<qsizetype>(100, glyphs.size() - at);
    out += QByteArray::number(count) + " beginbfchar\n";
    for (qsizetype i = at; i < at + count; ++i) {
      const int glyph = glyphs[i];
      out += '<' + QByteArray::number(glyph, 16).rightJustified(4, '0').toUpper() + "> <" +
             (texts[glyph].isEmpty() ? QByteArray("0000") : hex(texts[glyph])) + ">\n";
    }
    out += "endbfchar\n";
  }
  out += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
  return out;
}

}  // namespace

QByteArray withLettersForText(const QByteArray& pdf) {
  const qsizetype xref = pdf.lastIndexOf("\nxref\n") + 1;
  if (xref <= 0) return pdf;
  // The cross-reference table: "xref", "0 N", then N entries of 20 bytes.
  const qsizetype countAt = xref + 5;
  const qsizetype countEnd = pdf.indexOf('\n', countAt);
  const QList<QByteArray> header = pdf.mid(countAt, countEnd - countAt).split(' ');
  if (header.size() != 2 || header[0] != "0") return pdf;
  const int count = header[1].toInt();
  const qsizetype entries = countEnd + 1;
  if (entries + qsizetype(count) * 20 > pdf.size()) return pdf;
  std::vector<std::pair<qsizetype, int>> objects;  // offset, number
  for (int n = 0; n < count; ++n) {
    const QByteArray entry = pdf.mid(entries + qsizetype(n) * 20, 20);
    if (entry.size() == 20 && entry[17] == 'n') objects.push_back({entry.left(10).toLongLong(), n});
  }
  std::sort(objects.begin(), objects.end());

  QByteArray out = pdf.left(objects.empty() ? xref : objects.front().first);
  std::vector<qsizetype> offsets(static_cast<size_t>(count), 0);
  for (size_t i = 0; i < objects.size(); ++i) {
    const auto [offset, number] = objects[i];
    const qsizetype end = i + 1 < objects.size() ? objects[i + 1].first : xref;
    QByteArray object = pdf.mid(offset, end - offset);
    const qsizetype stream = object.indexOf("stream\n");
    const qsizetype streamEnd = object.indexOf("\nendstream");
    if (stream >= 0 && streamEnd > stream &&
        object.mid(stream + 7, kCMapStart.size()) == kCMapStart) {
      const QByteArray cmap = object.mid(stream + 7, streamEnd - stream - 7);
      if (const std::optional<QByteArray> letters = withLetters(cmap)) {
        object = QByteArray::number(number) + " 0 obj\n<< /Length " +
                 QByteArray::number(letters->size()) + " >>\nstream\n" + *letters +
                 object.mid(streamEnd);
      }
    }
    offsets[static_cast<size_t>(number)] = out.size();
    out += object;
  }
  const qsizetype newXref = out.size();
  out += pdf.mid(xref, entries - xref);
  for (int n = 0; n < count; ++n) {
    const QByteArray entry = pdf.mid(entries + qsizetype(n) * 20, 20);
    if (entry.size() == 20 && entry[17] == 'n') {
      out += QByteArray::number(offsets[static_cast<size_t>(n)]).rightJustified(10, '0') +
             entry.mid(10);
    } else {
      out += entry;
    }
  }
  QByteArray trailer = pdf.mid(entries + qsizetype(count) * 20);
  const qsizetype startxref = trailer.indexOf("startxref\n");
  if (startxref < 0) return pdf;
  const qsizetype numberEnd = trailer.indexOf('\n', startxref + 10);
  trailer.replace(startxref + 10, numberEnd - startxref - 10, QByteArray::number(newXref) + ' ');
  return out + trailer;
}

}  // namespace veldora
