#include "files/sievefile.h"

#include "engine/boxtext.h"
#include "engine/numbers.h"

#include <charconv>
#include <vector>

namespace veldora {
namespace {

constexpr std::string_view kHeader[] = {"sieve_mm", "retained_g"};

std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

bool sameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A row's cells by RFC 4180 (a cell in double quotes may hold commas, its quotes doubled); nothing
// for a quote out of place.
std::optional<std::vector<std::string>> cellsOf(std::string_view row) {
  std::vector<std::string> cells(1);
  bool quoted = false, closed = false;
  for (size_t i = 0; i < row.size(); ++i) {
    const char c = row[i];
    std::string& cell = cells.back();
    if (quoted) {
      if (c != '"') {
        cell += c;
      } else if (i + 1 < row.size() && row[i + 1] == '"') {
        cell += '"';
        ++i;
      } else {
        quoted = false;
        closed = true;
      }
    } else if (c == ',') {
      cells.emplace_back();
      closed = false;
    } else if (c == '"') {
      if (closed || !trimmed(cell).empty()) return std::nullopt;
      cell.clear();
      quoted = true;
    } else if (closed && c != ' ' && c != '\t') {
      return std::nullopt;
    } else {
      cell += c;
    }
  }
  if (quoted) return std::nullopt;
  return cells;
}

std::optional<Sieve> standardSieve(std::string_view text) {
  const std::optional<double> millimetres = readWholeNumber(boxText(text));
  if (!millimetres) return std::nullopt;
  for (const Sieve sieve : kSieves) {
    // Both sides rounded once from the same decimal: "0.6" and "0.600" are 600 / 1000.0.
    if (*millimetres == micrometres(sieve) / 1000.0) return sieve;
  }
  return std::nullopt;
}

}  // namespace

std::string massText(double grams) {
  char buffer[400];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, grams, std::chars_format::fixed).ptr;
  return std::string(buffer, end);
}

SieveFileReading readSieveFile(std::string_view bytes) {
  if (bytes.size() > kSieveFileSizeLimit) {
    return SieveFileError{
        SieveFileCause::Unreadable, 0, {}, FileContents::Status::TooLargeOrBroken};
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  SieveAnalysis analysis;
  bool headerRead = false;
  long originalLine = 0;
  std::string originalText;
  long line = 0;
  while (!bytes.empty()) {
    ++line;
    const size_t end = bytes.find('\n');
    std::string_view row = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (row.ends_with('\r')) row.remove_suffix(1);
    const auto error = [line](SieveFileCause cause, std::string_view text) {
      return SieveFileError{cause, line, std::string(text), FileContents::Status::Read};
    };
    const std::optional<std::vector<std::string>> cells = cellsOf(row);
    if (!cells) return error(SieveFileCause::Cells, row);
    bool blank = true;
    for (const std::string& cell : *cells) blank = blank && trimmed(cell).empty();
    if (blank) continue;
    if (!headerRead) {
      if (cells->size() != 2 || !sameWord(trimmed((*cells)[0]), kHeader[0]) ||
          !sameWord(trimmed((*cells)[1]), kHeader[1])) {
        return error(SieveFileCause::Header, row);
      }
      headerRead = true;
      continue;
    }
    if (cells->size() != 2) return error(SieveFileCause::Cells, row);
    const std::string_view name = trimmed((*cells)[0]);
    std::optional<double>* slot = nullptr;
    if (sameWord(name, "pan")) {
      slot = &analysis.pan;
    } else if (sameWord(name, "original")) {
      slot = &analysis.originalMass;
      originalLine = line;
      originalText = (*cells)[1];
    } else if (const std::optional<Sieve> sieve = standardSieve(name)) {
      slot = &analysis.retainedOn(*sieve);
    } else {
      return error(SieveFileCause::NotStandardSieve, (*cells)[0]);
    }
    if (slot->has_value()) return error(SieveFileCause::GivenTwice, (*cells)[0]);
    const MassText mass = readMass((*cells)[1]);
    if (const auto* grams = std::get_if<double>(&mass)) {
      *slot = *grams;
    } else if (std::get_if<MassProblem>(&mass) &&
               std::get<MassProblem>(mass) == MassProblem::Negative) {
      return error(SieveFileCause::NegativeMass, (*cells)[1]);
    } else {
      return error(SieveFileCause::NotANumber, (*cells)[1]);
    }
  }
  if (!headerRead) return SieveFileError{SieveFileCause::Header, 1, {}, FileContents::Status::Read};
  const auto results = analyseSieves(analysis);
  if (const auto* problem = std::get_if<AnalysisProblem>(&results)) {
    switch (*problem) {
      case AnalysisProblem::NoSieve:
        return SieveFileError{SieveFileCause::NoSieve, 0, {}, FileContents::Status::Read};
      case AnalysisProblem::ZeroTotal:
        return SieveFileError{SieveFileCause::ZeroTotal, 0, {}, FileContents::Status::Read};
      case AnalysisProblem::GainOverOriginal:
        return SieveFileError{SieveFileCause::GainOverOriginal, originalLine, originalText,
                              FileContents::Status::Read};
      case AnalysisProblem::InvalidMass:  // every mass was read finite and not negative
        return SieveFileError{SieveFileCause::TotalTooLarge, 0, {}, FileContents::Status::Read};
    }
  }
  return analysis;
}

SieveFileReading openSieveFile(const std::string& path) {
  const FileContents file = readFileAt(path, kSieveFileSizeLimit);
  if (file.status != FileContents::Status::Read) {
    return SieveFileError{SieveFileCause::Unreadable, 0, {}, file.status};
  }
  return readSieveFile(file.bytes);
}

std::string writeSieveFile(const SieveAnalysis& analysis) {
  std::string bytes = std::string(kHeader[0]) + "," + std::string(kHeader[1]) + "\r\n";
  const auto row = [&bytes](std::string_view name, double grams) {
    bytes += name;
    bytes += ',';
    bytes += massText(grams);
    bytes += "\r\n";
  };
  for (const Sieve sieve : kSieves) {
    if (const std::optional<double>& grams = analysis.retainedOn(sieve)) {
      row(millimetreText(micrometres(sieve)), *grams);
    }
  }
  if (analysis.pan) row("pan", *analysis.pan);
  if (analysis.originalMass) row("original", *analysis.originalMass);
  return bytes;
}

std::optional<WriteProblem> saveSieveFile(const std::string& path, const SieveAnalysis& analysis) {
  return replaceFileAt(path, writeSieveFile(analysis));
}

}  // namespace veldora
