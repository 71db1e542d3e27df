#include "files/strengthtestsfile.h"

#include "engine/boxtext.h"
#include "files/csv.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace veldora {
namespace {

using Problem = StrengthTestsFileProblem;
using Cause = StrengthTestsFileProblem::Cause;

bool blank(std::string_view text) { return text.find_first_not_of(" \t") == std::string::npos; }

std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

// The header's names, blanks around each and the case of letters aside.
bool isHeader(const std::vector<std::string_view>& fields) {
  std::string names;
  for (const std::string_view field : fields) {
    if (!names.empty()) names += ',';
    for (const char c : trimmed(field)) names += c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
  }
  return names == kStrengthTestsHeader;
}

Problem refused(Cause cause, long line, std::string detail = {}) {
  Problem problem;
  problem.cause = cause;
  problem.line = line;
  problem.detail = std::move(detail);
  return problem;
}

std::string shortestText(double x) {
  char text[64];
  return std::string(text,
                     std::to_chars(text, text + sizeof text, x, std::chars_format::fixed).ptr);
}

}  // namespace

std::variant<std::vector<StrengthTest>, StrengthTestsFileProblem> readStrengthTestsFile(
    const std::string& bytes) {
  if (!validUtf8(bytes)) return refused(Cause::NotUtf8, 0);
  size_t at = 0;
  CsvReader reader([&](char* data, size_t size) {
    const size_t n = std::min(size, bytes.size() - at);
    std::copy_n(bytes.data() + at, n, data);
    at += n;
    return n;
  });
  std::vector<StrengthTest> tests;
  std::vector<std::string_view> fields;
  try {
    if (!reader.next(fields)) return refused(Cause::NoHeader, 1);
    if (!isHeader(fields)) return refused(Cause::WrongHeader, 1);
    while (reader.next(fields)) {
      const long line = reader.recordLine();
      if (std::all_of(fields.begin(), fields.end(), blank)) continue;
      if (fields.size() != 5) {
        return refused(Cause::FieldCount, line, std::to_string(fields.size()));
      }
      const StrengthTestTexts texts{
          std::string(fields[0]),
          std::string(fields[1]),
          {std::string(fields[2]), std::string(fields[3]), std::string(fields[4])}};
      const auto read = readStrengthTest(texts);
      if (const auto* refusal = std::get_if<TestCellRefusal>(&read)) {
        Problem problem = refused(Cause::Cell, line);
        problem.cell = *refusal;
        problem.text = fields[static_cast<size_t>(refusal->cell)];
        return problem;
      }
      tests.push_back(std::get<StrengthTest>(read));
    }
  } catch (const CsvError& e) {
    return refused(Cause::NotCsv, e.line(), e.what());
  }
  return tests;
}

std::variant<std::vector<StrengthTest>, StrengthTestsFileProblem> openStrengthTestsFile(
    const std::string& path) {
  const FileContents file = readFileAt(path, kStrengthTestsFileSizeLimit);
  if (file.status != FileContents::Status::Read) {
    Problem problem = refused(Cause::Unreadable, 0);
    problem.status = file.status;
    return problem;
  }
  return readStrengthTestsFile(file.bytes);
}

StrengthTestTexts strengthTestTexts(const StrengthTest& test) {
  StrengthTestTexts texts{test.date.jalaliText(), test.label, {}};
  for (int i = 0; i < test.cylinderCount; ++i) {
    texts.cylinders[size_t(i)] = shortestText(test.cylinders[size_t(i)]);
  }
  return texts;
}

std::string strengthTestsFileBytes(const std::vector<StrengthTest>& tests) {
  std::string bytes = kStrengthTestsHeader;
  bytes += "\r\n";
  for (const StrengthTest& test : tests) {
    const StrengthTestTexts texts = strengthTestTexts(test);
    bytes += texts.date;
    bytes += ',';
    appendCsvField(bytes, texts.label);
    for (const std::string& cylinder : texts.cylinders) {
      bytes += ',';
      bytes += cylinder;
    }
    bytes += "\r\n";
  }
  return bytes;
}

std::optional<WriteProblem> saveStrengthTestsFile(const std::string& path,
                                                  const std::vector<StrengthTest>& tests) {
  return replaceFileAt(path, strengthTestsFileBytes(tests));
}

}  // namespace veldora
