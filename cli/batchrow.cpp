#include "cli/batchrow.h"

#include "engine/batching.h"
#include "engine/boxtext.h"
#include "engine/numbers.h"
#include "workspace/designcommands.h"
#include "workspace/messages.h"
#include "workspace/optiondialogs.h"
#include "workspace/strengthcommands.h"

#include <algorithm>

namespace veldora::cli {
namespace {

bool blank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

// A cell as a box holds it: the cell itself where the box keeps it as it is (ASCII without a line
// break or a "/" that may be a decimal mark), else what the box keeps.
std::string heldText(std::string_view cell, bool plainCells) {
  return plainCells ? std::string(cell) : boxText(cell);
}

}  // namespace

std::string columnName(std::string_view header) {
  const auto trimmed = [](std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::string_view();
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
  };
  std::string_view name = trimmed(header);
  if (name.ends_with(')')) {
    if (const size_t open = name.rfind('('); open != std::string_view::npos && open > 0) {
      name = trimmed(name.substr(0, open));
    }
  }
  // "Fine Moisture" and "fine_moisture" name the column fine-moisture.
  std::string lower(name);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c == ' ' || c == '_') c = '-';
  }
  return lower;
}

BatchColumns::BatchColumns(const Cells& header) {
  boxes.fill(-1);
  conditions.fill(-1);
  trials.fill(-1);
  strength.fill(-1);
  count = header.size();
  for (size_t i = 0; i < header.size(); ++i) {
    if (header[i].find('\0') != std::string_view::npos) {
      throw BatchUsageError{"line 1: the name of column " + std::to_string(i + 1) +
                            " holds a NUL byte"};
    }
    names.emplace_back(header[i]);
    const std::string name = columnName(header[i]);
    int* column = name == "id" ? &id : nullptr;
    for (size_t b = 0; !column && b < kBoxNames.size(); ++b) {
      if (kBoxNames[b].name == name) column = &boxes[b];
    }
    for (size_t c = 0; !column && c < kConditionNames.size(); ++c) {
      const bool cementType = name == kCementTypeColumn && kConditionNames[c].name == "cement";
      if (kConditionNames[c].name == name || cementType) column = &conditions[c];
    }
    for (size_t t = 0; !column && t < kTrialNames.size(); ++t) {
      if (kTrialNames[t].name == name) column = &trials[t];
    }
    for (size_t s = 0; !column && s < kStrengthNames.size(); ++s) {
      if (kStrengthNames[s] == name) column = &strength[s];
    }
    if (!column) {
      passThrough.push_back(static_cast<int>(i));
      passThroughNames.emplace_back(header[i]);
      continue;
    }
    if (*column >= 0) throw BatchUsageError{"line 1: the column '" + name + "' comes twice"};
    *column = static_cast<int>(i);
  }
}

bool BatchColumns::hasTrial() const {
  return std::any_of(trials.begin(), trials.end(), [](int c) { return c >= 0; });
}

bool BatchColumns::hasStrength() const {
  return std::any_of(strength.begin(), strength.end(), [](int c) { return c >= 0; });
}

RowDesigner::RowDesigner() {
  for (size_t b = 0; b < kBoxCount; ++b) {
    mStartUp.*kInputsInBoxOrder[b] = parseNumber(DesignCommands::initialText(Box(b + 1)));
  }
}

bool RowDesigner::read(const Cells& cells, bool plainCells, const BatchColumns& columns,
                       RowResult& r) {
  r.status = RowStatus::Ok;
  r.message.clear();
  r.designed = r.adjusted = false;
  r.basis.reset();
  const auto refuse = [&r](std::string message) {
    r.status = RowStatus::Invalid;
    r.message = std::move(message);
    return false;
  };
  for (size_t i = 0; i < cells.size(); ++i) {
    if (cells[i].find('\0') != std::string_view::npos) {
      return refuse("the column '" + columns.names[i] + "' holds a NUL byte");
    }
  }
  // A number cell holds a number or nothing, once held as a box holds it.
  const auto number = [&](std::string_view name, int column, std::string& held) {
    if (column < 0) return true;
    const std::string_view cell = cells[size_t(column)];
    held = heldText(cell, plainCells);
    if (blank(held) || readWholeNumber(held)) return true;
    return refuse(std::string(name) + " takes a number, not '" + std::string(cell) + "'");
  };
  for (size_t b = 0; b < kBoxCount; ++b) {
    r.boxes[b] = DesignCommands::initialText(Box(b + 1));
    if (!number(kBoxNames[b].name, columns.boxes[b], r.boxes[b])) return false;
  }
  for (size_t t = 0; t < kTrialNames.size(); ++t) {
    r.trials[t].clear();
    if (!number(kTrialNames[t].name, columns.trials[t], r.trials[t])) return false;
  }
  r.conditions = DesignConditions{};
  for (size_t c = 0; c < kConditionNames.size(); ++c) {
    if (columns.conditions[c] < 0) continue;
    const std::string_view word = cells[size_t(columns.conditions[c])];
    if (word.empty()) continue;
    const ConditionName& name = kConditionNames[c];
    const std::optional<int> option = name.option(word);
    if (!option) {
      return refuse(std::string(name.name) + " takes " + name.wordList() + ", not '" +
                    std::string(word) + "'");
    }
    optionDialogInfo(name.dialog).select(r.conditions, *option);
  }
  // f'c, s and n as the required-strength window reads them; f'cr goes into the strength box.
  for (size_t s = 0; s < kStrengthNames.size(); ++s) {
    const int column = columns.strength[s];
    r.strengthTexts[s] = column < 0 ? std::string() : boxText(cells[size_t(column)]);
  }
  const auto& [specified, deviation, tests] = r.strengthTexts;
  if (blank(specified)) {
    if (!blank(deviation) || !blank(tests)) {
      return refuse("standard-deviation and test-count go with specified-strength");
    }
    return true;
  }
  if (columns.boxes[2] >= 0 && !blank(cells[size_t(columns.boxes[2])])) {
    return refuse("specified-strength and strength both set the strength; give one");
  }
  if (blank(deviation) != blank(tests)) {
    return refuse("standard-deviation and test-count go together");
  }
  const auto basis = readStrengthBasis(r.strengthTexts);
  if (const auto* problem = std::get_if<StrengthProblem>(&basis)) {
    const size_t s = static_cast<size_t>(problem->box) - 1;
    return refuse(
        strengthRefusal(problem->box, kStrengthNames[s], cells[size_t(columns.strength[s])]));
  }
  r.basis = std::get<StrengthBasis>(basis);
  r.boxes[2] = plainText(r.basis->required).substr(1);
  return true;
}

void RowDesigner::design(const Cells& cells, bool plainCells, const BatchColumns& columns,
                         RowResult& result) {
  if (!read(cells, plainCells, columns, result)) return;
  const DesignConditions& conditions = result.conditions;
  MixInputs in = mStartUp;
  for (size_t b = 0; b < kBoxCount; ++b) in.*kInputsInBoxOrder[b] = parseNumber(result.boxes[b]);
  ConditionCodes codes;
  result.design = MixProportions{};
  designRun(in, conditions, codes, result.design, mRun);
  result.designed = mRun.end == RunEnd::Completed;
  std::vector<std::string> warnings;  // the design's, then the adjustment's
  if (!result.designed) {
    result.status = RowStatus::Stopped;
    result.message = mRun.stop->message;
  } else {
    // The row is designed, but its mix may be no concrete's: the window's line.
    warnings = messages::warningTexts(
        holdsNoMass(mRun.lines), implausibleMix(in, result.design, mRun.trace.moisture, nullptr));
    result.message = messages::warningLine(warnings);
  }

  if (std::all_of(result.trials.begin(), result.trials.end(),
                  [](const std::string& t) { return t.empty(); })) {
    return;
  }
  // The window's boxes: what the row gives, else what the window offers.
  for (size_t t = 0; t < kTrialNames.size(); ++t) {
    const TrialBox box = kTrialNames[t].box;
    mTrialTexts[TrialBatchWindowState::index(box)] =
        !result.trials[t].empty() ? result.trials[t]
                                  : offeredTrialText(box, result.boxes[0], result.design);
  }
  const TrialBatchOutcome outcome = trialBatchOutcome(
      trialValues(mTrialTexts), {in, result.design, conditions.concreteType, result.designed});
  if (result.status != RowStatus::Ok) return;  // the run's message stands
  if (outcome.refusal) {
    result.status = RowStatus::Stopped;
    result.message = outcome.refusal->message;
    return;
  }
  result.adjusted = true;
  result.byWeight = outcome.report.byWeight;
  result.byVolume = outcome.report.byVolume;
  for (const std::string& w : outcome.warnings)
    warnings.push_back(messages::kAdjustedMixWarning + w);
  result.message = messages::warningLine(warnings);
}

}  // namespace veldora::cli
