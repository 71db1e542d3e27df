#include "files/mixdocument.h"

#include "files/codepage1256.h"

#include <QRegularExpression>
#include <QString>

#include <vector>

namespace veldora {
namespace {

const char* flag(bool value) { return value ? "True" : "False"; }

bool holdsLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// A flag line: "true" or "false" in any letter case, or a plain decimal number (zero is false),
// with blanks around it ignored.
std::optional<bool> readFlag(const QString& line) {
  const QString text = line.trimmed();
  if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
  if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
  static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
  if (!number.match(text).hasMatch()) return std::nullopt;
  for (QChar c : text) {
    if (c >= u'1' && c <= u'9') return true;
  }
  return false;
}

}  // namespace

bool encodableInMixFile(const std::string& text) { return toCodePage1256(text).has_value(); }

std::array<std::string, kMixFileLines> mixFileLines(const MixDocument& d) {
  std::array<std::string, kMixFileLines> lines;
  size_t n = 0;
  for (const std::string& box : d.boxes) lines[n++] = box;
  for (bool b : d.commands) lines[n++] = flag(b);
  for (bool b : d.conditionOptions) lines[n++] = flag(b);
  for (const std::string& t : d.trial) lines[n++] = t;
  lines[n++] = flag(d.airBoxEnabled);
  for (bool b : d.resultView) lines[n++] = flag(b);
  for (const std::string& t : d.rowTexts) lines[n++] = t;
  for (bool b : d.rowOffered) lines[n++] = flag(b);
  return lines;
}

std::optional<std::string> writeMixFile(const MixDocument& d) {
  std::string bytes;
  for (const std::string& line : mixFileLines(d)) {
    const std::optional<std::string> encoded =
        holdsLineBreak(line) ? std::nullopt : toCodePage1256(line);
    if (!encoded) return std::nullopt;
    bytes += *encoded;
    bytes += "\r\n";
  }
  if (bytes.size() > kMixFileSizeLimit) return std::nullopt;
  return bytes;
}

std::optional<MixDocument> readMixFile(const std::string& bytes) {
  if (bytes.size() > kMixFileSizeLimit || bytes.starts_with("\xEF\xBB\xBF")) return std::nullopt;
  const QString text = QString::fromStdString(fromCodePage1256(bytes));

  std::vector<QString> lines;
  qsizetype start = 0;
  while (start < text.size() && lines.size() < kMixFileLines) {
    qsizetype end = text.indexOf(u'\n', start);
    if (end < 0) end = text.size();
    QString line = text.mid(start, end - start);
    if (line.endsWith(u'\r')) line.chop(1);
    lines.push_back(line);
    start = end + 1;
  }
  if (lines.size() < kMixFileLines) return std::nullopt;

  MixDocument d;
  size_t n = 0;
  bool wellFormed = true;
  // A text value ends at a carriage return inside its line.
  const auto nextText = [&] {
    const std::string line = lines[n++].toStdString();
    return line.substr(0, line.find('\r'));
  };
  const auto nextFlag = [&] {
    const std::optional<bool> value = readFlag(lines[n++]);
    wellFormed = wellFormed && value.has_value();
    return value.value_or(false);
  };
  for (std::string& box : d.boxes) box = nextText();
  for (bool& b : d.commands) b = nextFlag();
  for (bool& b : d.conditionOptions) b = nextFlag();
  for (std::string& t : d.trial) t = nextText();
  d.airBoxEnabled = nextFlag();
  for (bool& b : d.resultView) b = nextFlag();
  for (std::string& t : d.rowTexts) t = nextText();
  for (bool& b : d.rowOffered) b = nextFlag();
  if (!wellFormed || !writeMixFile(d)) return std::nullopt;
  return d;
}

}  // namespace veldora
