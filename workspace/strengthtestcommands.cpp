#include "workspace/strengthtestcommands.h"

#include "engine/boxtext.h"
#include "engine/numbers.h"
#include "engine/texts.h"
#include "files/strengthtestsfile.h"
#include "workspace/messages.h"
#include "workspace/reportcommands.h"
#include "workspace/strengthcommands.h"
#include "workspace/workspace.h"

#include <cmath>
#include <string>
#include <vector>

namespace veldora {
namespace {

bool blank(std::string_view text) { return text.find_first_not_of(" \t\r") == std::string::npos; }

bool blankRow(const StrengthTestTexts& row) {
  if (!blank(row.date) || !blank(row.label)) return false;
  for (const std::string& cylinder : row.cylinders) {
    if (!blank(cylinder)) return false;
  }
  return true;
}

// Without the blanks around it.
std::string trimmed(std::string_view text) {
  const size_t start = text.find_first_not_of(" \t\r");
  if (start == std::string_view::npos) return {};
  return std::string(text.substr(start, text.find_last_not_of(" \t\r") - start + 1));
}

std::string lowerCase(std::string text) {
  for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return text;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::string rowMessage(size_t row, const char* text) {
  return std::string(messages::kRowPrefix) + std::to_string(row + 1) + ": " + text;
}

int cellFocus(size_t row, TestCell cell) {
  return 2 + static_cast<int>(row) * kStrengthTestColumns + static_cast<int>(cell);
}

}  // namespace

void StrengthTestCommands::openWindow() {
  const Command command(*this);
  if (!mState.holds(Window::Main)) return;
  hold(Window::StrengthTests);
  requestFocus(Window::StrengthTests, 1);
}

void StrengthTestCommands::close() {
  const Command command(*this);
  if (!mState.holds(Window::StrengthTests)) return;
  hold(Window::Main);
}

void StrengthTestCommands::setSpecified(std::string_view text) {
  const Command command(*this);
  if (!mState.holds(Window::StrengthTests)) return;
  mState.strengthTests.specifiedText = boxText(text);
  recompute();
}

bool StrengthTestCommands::setCell(size_t row, TestCell cell, std::string_view text) {
  const Command command(*this);
  StrengthTestsWindowState& window = mState.strengthTests;
  if (!mState.holds(Window::StrengthTests) || row >= window.rows.size()) return false;
  StrengthTestTexts& cells = window.rows[row];
  if (cell == TestCell::Label) {
    // Blanks around a label would make a group of their own.
    cells.label = trimmed(split(text, '\n').front());
  } else if (cell == TestCell::Date) {
    const std::optional<TestDate> date = readTestDate(text);
    if (!blank(text) && !date) {
      showMessage(texts::kErrorTitle, rowMessage(row, messages::kTestDateRefused));
      requestFocus(Window::StrengthTests, cellFocus(row, cell));
      return false;
    }
    // Shown as the Jalali date, however the laboratory wrote it.
    cells.date = date ? date->jalaliText() : std::string();
  } else {
    const std::optional<double> strength = readCylinderStrength(text);
    if (!blank(text) && (!strength || *strength <= 0 || *strength > kHighestCylinderStrength)) {
      showMessage(texts::kErrorTitle, rowMessage(row, messages::kCylinderStrengthRefused));
      requestFocus(Window::StrengthTests, cellFocus(row, cell));
      return false;
    }
    cells.cylinders[static_cast<size_t>(cell) - static_cast<size_t>(TestCell::Cylinder1)] =
        trimmed(boxText(text));
  }
  window.modified = true;
  recompute();
  return true;
}

void StrengthTestCommands::addRow() {
  const Command command(*this);
  StrengthTestsWindowState& window = mState.strengthTests;
  if (!mState.holds(Window::StrengthTests)) return;
  window.rows.emplace_back();
  recompute();
  requestFocus(Window::StrengthTests, cellFocus(window.rows.size() - 1, TestCell::Date));
}

void StrengthTestCommands::removeRow(size_t row) {
  const Command command(*this);
  StrengthTestsWindowState& window = mState.strengthTests;
  if (!mState.holds(Window::StrengthTests) || row >= window.rows.size()) return;
  window.rows.erase(window.rows.begin() + static_cast<std::ptrdiff_t>(row));
  window.modified = true;
  recompute();
}

bool StrengthTestCommands::paste(std::string_view text) {
  const Command command(*this);
  StrengthTestsWindowState& window = mState.strengthTests;
  if (!mState.holds(Window::StrengthTests)) return false;
  if (text.size() > kStrengthTestsFileSizeLimit) {
    showMessage(texts::kErrorTitle, messages::kTestsPasteTooLong);
    return false;
  }
  std::vector<StrengthTestTexts> pasted;
  const std::vector<std::string_view> lines = split(text, '\n');
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (blank(line)) continue;
    const std::vector<std::string_view> cells = split(line, '\t');
    // A spreadsheet's header row, copied with the tests.
    if (pasted.empty() && lowerCase(trimmed(cells.front())) == "date") continue;
    const char* problem = nullptr;
    StrengthTestTexts row;
    if (cells.size() > kStrengthTestColumns) {
      problem = messages::kPasteColumns;
    } else {
      // A spreadsheet leaves out the empty cells at a row's end.
      row.date = std::string(cells[0]);
      if (cells.size() > 1) row.label = trimmed(cells[1]);
      for (size_t c = 2; c < cells.size(); ++c) row.cylinders[c - 2] = std::string(cells[c]);
      const auto read = readStrengthTest(row);
      if (const auto* refusal = std::get_if<TestCellRefusal>(&read)) {
        problem = messages::testCellRefusal(refusal->problem);
      } else {
        row = strengthTestTexts(std::get<StrengthTest>(read));
      }
    }
    if (problem) {
      showMessage(texts::kErrorTitle, rowMessage(i, problem) + messages::kTestsTableUnchanged);
      return false;
    }
    pasted.push_back(std::move(row));
  }
  if (pasted.empty()) return false;
  while (!window.rows.empty() && blankRow(window.rows.back())) window.rows.pop_back();
  window.rows.insert(window.rows.end(), pasted.begin(), pasted.end());
  window.modified = true;
  recompute();
  return true;
}

bool StrengthTestCommands::openFile() {
  const Command command(*this);
  StrengthTestsWindowState& window = mState.strengthTests;
  if (!mState.holds(Window::StrengthTests)) return false;
  if (window.modified && !window.tests.empty() &&
      !askYesNo(messages::kWarningTitle, messages::kReplaceTestsQuestion)) {
    return false;
  }
  const std::optional<std::string> path =
      chooseFile({false, messages::kTestsFileDialogTitle, messages::kTestsFileDialogFilter,
                  messages::kTestsFileDialogSuffix, window.filename});
  if (!path) return false;
  const auto opened = openStrengthTestsFile(*path);
  if (const auto* problem = std::get_if<StrengthTestsFileProblem>(&opened)) {
    showMessage(texts::kErrorTitle, messages::testsFileRefused(*problem));
    return false;
  }
  window.rows.clear();
  for (const StrengthTest& test : std::get<std::vector<StrengthTest>>(opened)) {
    window.rows.push_back(strengthTestTexts(test));
  }
  window.filename = *path;
  window.modified = false;
  recompute();
  return true;
}

bool StrengthTestCommands::saveFile() {
  const Command command(*this);
  StrengthTestsWindowState& window = mState.strengthTests;
  if (!mState.holds(Window::StrengthTests) || refuseIncompleteRow()) return false;
  if (window.tests.empty()) {
    showMessage(texts::kErrorTitle, messages::kNoTestsToSave);
    return false;
  }
  const std::optional<std::string> path =
      chooseFile({true, messages::kTestsFileDialogTitle, messages::kTestsFileDialogFilter,
                  messages::kTestsFileDialogSuffix, window.filename});
  if (!path) return false;
  if (const std::optional<WriteProblem> problem = saveStrengthTestsFile(*path, window.tests)) {
    showMessage(texts::kErrorTitle, messages::saveFailed(*problem));
    return false;
  }
  window.filename = *path;
  window.modified = false;
  return true;
}

bool StrengthTestCommands::fillRequiredStrength() {
  const Command command(*this);
  const StrengthTestsWindowState& window = mState.strengthTests;
  if (!mState.holds(Window::StrengthTests) || refuseIncompleteRow()) return false;
  const std::optional<StrengthRecord>& record = window.record.record;
  if (!record) {
    showMessage(texts::kErrorTitle, std::string(messages::kNoRecordPrefix) +
                                        messages::recordShortfallText(window.record.shortfall));
    return false;
  }
  if (!blank(window.specifiedText) && !window.specified) {
    showMessage(texts::kErrorTitle, messages::kSpecifiedStrengthInvalid);
    requestFocus(Window::StrengthTests, 1);
    return false;
  }
  const std::string deviation = decimalText(typedStandardDeviation(*record), 1);
  const std::string count = std::to_string(record->tests);
  const std::string specified = window.specifiedText;
  hold(Window::Main);
  StrengthCommands& strength = mWorkspace.strength();
  strength.openWindow();
  if (!specified.empty()) strength.setText(StrengthBox::Specified, specified);
  strength.setText(StrengthBox::StandardDeviation, deviation);
  strength.setText(StrengthBox::Tests, count);
  return true;
}

bool StrengthTestCommands::refuseIncompleteRow() {
  const StrengthTestsWindowState& window = mState.strengthTests;
  if (window.incompleteRows.empty()) return false;
  const size_t row = window.incompleteRows.front();
  const auto read = readStrengthTest(window.rows[row]);
  const TestCellRefusal refusal = std::get<TestCellRefusal>(read);
  showMessage(texts::kErrorTitle, rowMessage(row, messages::testCellRefusal(refusal.problem)) +
                                      " — " + messages::kRowIncomplete);
  requestFocus(Window::StrengthTests, cellFocus(row, refusal.cell));
  return true;
}

void StrengthTestCommands::recompute() {
  StrengthTestsWindowState& window = mState.strengthTests;
  window.tests.clear();
  window.testOfRow.assign(window.rows.size(), -1);
  window.incompleteRows.clear();
  for (size_t i = 0; i < window.rows.size(); ++i) {
    if (blankRow(window.rows[i])) continue;
    const auto read = readStrengthTest(window.rows[i]);
    if (const auto* test = std::get_if<StrengthTest>(&read)) {
      window.testOfRow[i] = static_cast<int>(window.tests.size());
      window.tests.push_back(*test);
    } else {
      window.incompleteRows.push_back(i);
    }
  }
  window.statistics = strengthStatistics(window.tests);
  window.record = qualifyRecord(window.tests);
  window.outOfDateOrder = testsOutOfDateOrder(window.tests);
  const std::optional<double> specified = readDecimalNumber(window.specifiedText);
  window.specified = specified && *specified > 0 && *specified <= kHighestSpecifiedStrength
                         ? specified
                         : std::nullopt;
  window.acceptance =
      window.specified ? std::optional(acceptance(window.tests, *window.specified)) : std::nullopt;
  window.required =
      window.specified
          ? std::optional(requiredAverageStrength(*window.specified, window.record.record))
          : std::nullopt;
}

}  // namespace veldora
