#include "cli/batch.h"

#include "cli/cliapp.h"
#include "cli/csv.h"
#include "cli/json.h"
#include "cli/names.h"
#include "engine/adjustment.h"
#include "engine/boxtext.h"
#include "engine/designrun.h"
#include "engine/numbers.h"
#include "engine/resultline.h"
#include "files/diskfile.h"
#include "workspace/designcommands.h"
#include "workspace/messages.h"
#include "workspace/trialbatchcommands.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>
#include <vector>

namespace veldora::cli {
namespace {

constexpr std::string_view kHeader =
    "row,id,status,message,water,air,water_cement_ratio,cement,coarse,fine_by_weight,"
    "unit_mass_by_weight,fine_by_volume,unit_mass_by_volume,batch_water,batch_coarse,"
    "batch_fine_by_weight,batch_fine_by_volume,adjusted_water_by_weight,adjusted_cement_by_weight,"
    "adjusted_coarse_by_weight,adjusted_fine_by_weight,adjusted_water_by_volume,"
    "adjusted_cement_by_volume,adjusted_coarse_by_volume,adjusted_fine_by_volume\n";

// The cells of a row, as the reader gives them.
using Cells = std::vector<std::string_view>;

// A usage error at a line of the input.
struct BatchUsageError {
  std::string message;
};

// Where each named input stands in a row: its column, or -1 where the header does not name it.
struct Columns {
  std::array<int, kBoxCount> boxes;
  std::array<int, kConditionNames.size()> conditions;
  std::array<int, kTrialNames.size()> trials;
  int id = -1;
  size_t count = 0;

  explicit Columns(const Cells& header) {
    boxes.fill(-1);
    conditions.fill(-1);
    trials.fill(-1);
    count = header.size();
    for (size_t i = 0; i < header.size(); ++i) {
      const std::string name(header[i]);
      int* column = name == "id" ? &id : nullptr;
      for (size_t b = 0; !column && b < kBoxNames.size(); ++b) {
        if (kBoxNames[b].name == name) column = &boxes[b];
      }
      for (size_t c = 0; !column && c < kConditionNames.size(); ++c) {
        if (kConditionNames[c].name == name) column = &conditions[c];
      }
      for (size_t t = 0; !column && t < kTrialNames.size(); ++t) {
        if (kTrialNames[t].name == name) column = &trials[t];
      }
      if (!column) throw BatchUsageError{"line 1: unknown column '" + name + "'"};
      if (*column >= 0) throw BatchUsageError{"line 1: the column '" + name + "' comes twice"};
      *column = static_cast<int>(i);
    }
  }
};

enum class RowStatus { Ok, Stopped, Invalid };

// What a row gives: the design run's values when it went through, the adjusted lines' numbers
// when the adjustment did.
struct RowResult {
  RowStatus status = RowStatus::Ok;
  std::string message;
  bool designed = false;
  MixProportions design;
  bool adjusted = false;
  BatchMasses byWeight, byVolume;
};

// A cell as a box holds it: the cell itself where the box would keep it as it is (the common
// case, which then costs no copy), else what the box keeps.
std::string_view heldText(std::string_view cell, std::string& kept) {
  for (const char c : cell) {
    if (c == '\r' || c == '\n' || static_cast<unsigned char>(c) >= 0x80) {
      kept = boxText(cell);
      return kept;
    }
  }
  return cell;
}

// The design of a row as the command line makes it with the same arguments: the boxes set, the
// conditions chosen, the run, and with any trial value the trial-batch window opened, the values
// typed, OK and the adjustment. A condition word the program does not know makes the row invalid.
class RowDesigner {
 public:
  RowDesigner() {
    for (size_t b = 0; b < kBoxCount; ++b) {
      mStartUp.*kInputsInBoxOrder[b] = parseNumber(DesignCommands::initialText(Box(b + 1)));
    }
  }

  // The row's conditions, the start-up ones where a cell is empty; none, and the row invalid with
  // its message, where a cell holds a word the program does not know.
  static std::optional<DesignConditions> conditions(const Cells& cells, const Columns& columns,
                                                    RowResult& result) {
    result.status = RowStatus::Ok;
    result.message.clear();
    result.designed = result.adjusted = false;
    DesignConditions conditions;
    for (size_t c = 0; c < kConditionNames.size(); ++c) {
      if (columns.conditions[c] < 0) continue;
      const std::string_view word = cells[size_t(columns.conditions[c])];
      if (word.empty()) continue;
      const ConditionName& name = kConditionNames[c];
      const std::optional<int> option = name.option(word);
      if (!option) {
        result.status = RowStatus::Invalid;
        result.message = std::string(name.name);
        result.message.append(" takes ").append(name.wordList()).append(", not '");
        result.message.append(word).append("'");
        return std::nullopt;
      }
      optionDialogInfo(name.dialog).select(conditions, *option);
    }
    return conditions;
  }

  void design(const Cells& cells, bool plainCells, const Columns& columns, RowResult& result) {
    const std::optional<DesignConditions> chosen = RowDesigner::conditions(cells, columns, result);
    if (!chosen) return;
    const DesignConditions& conditions = *chosen;

    MixInputs in = mStartUp;
    std::string_view slumpBox = DesignCommands::initialText(Box::Text1);
    for (size_t b = 0; b < kBoxCount; ++b) {
      const int column = columns.boxes[b];
      if (column < 0) continue;
      const std::string_view text =
          plainCells ? cells[size_t(column)] : heldText(cells[size_t(column)], mKept[b]);
      in.*kInputsInBoxOrder[b] = parseNumber(text);
      if (b == 0) slumpBox = text;
    }
    ConditionCodes codes;
    result.design = MixProportions{};
    designRun(in, conditions, codes, result.design, mRun);
    result.designed = mRun.end == RunEnd::Completed;
    if (!result.designed) {
      result.status = RowStatus::Stopped;
      result.message = mRun.stop->message;
    } else if (holdsNoMass(mRun.lines)) {
      // The row is designed, but with a mass no concrete can be batched by: the window's line.
      result.message = messages::kNoMassWarning;
    }

    bool trial = false;
    for (const int column : columns.trials)
      trial = trial || (column >= 0 && !cells[size_t(column)].empty());
    if (!trial) return;
    // The window's boxes: what the row gives, else what the window offers.
    TrialTexts& texts = mTrialTexts;
    for (size_t t = 0; t < kTrialNames.size(); ++t) {
      const TrialBox box = kTrialNames[t].box;
      const int column = columns.trials[t];
      std::string& text = texts[TrialBatchWindowState::index(box)];
      if (column >= 0 && !cells[size_t(column)].empty()) {
        text = heldText(cells[size_t(column)], mTrialKept);
      } else {
        text = offeredTrialText(box, slumpBox, result.design);
      }
    }
    const TrialValues values = trialValues(texts);
    const char* refusal = nullptr;
    std::optional<AdjustmentReport> report;
    if (trialBoxOutOfRange(values, conditions.concreteType == ConcreteType::AirEntrained)) {
      refusal = messages::kTrialValueOutOfRange;
    } else if (!result.designed) {
      refusal = messages::kAdjustmentNeedsRun;
    } else {
      report =
          adjustProportions(in, result.design, conditions.concreteType, trialMeasurements(values));
    }
    if (result.status != RowStatus::Ok) return;  // the run's message stands
    if (refusal || report->refusal) {
      result.status = RowStatus::Stopped;
      result.message = refusal ? refusal : report->refusal->message;
      return;
    }
    result.adjusted = true;
    result.byWeight = report->byWeight;
    result.byVolume = report->byVolume;
    if (holdsNoMass(report->lines)) result.message = messages::kNoMassWarning;
  }

 private:
  MixInputs mStartUp;  // the numbers of the boxes' start-up texts
  std::array<std::string, kBoxCount> mKept;
  TrialTexts mTrialTexts;
  std::string mTrialKept;
  RunReport mRun;
};

// Numbers to 17 significant digits, as --json writes them, a zero without its sign. A catalogue
// repeats its numbers (a table's water, an air content, a ratio), so the last text of each of a
// few hundred numbers is kept.
class NumberTexts {
 public:
  char* write(char* at, double x) {
    x += 0.0;
    // A whole number is its digits.
    if (std::abs(x) < 1e15) {
      const auto whole = static_cast<long long>(x);
      if (static_cast<double>(whole) == x) return std::to_chars(at, at + 24, whole).ptr;
    }
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    Entry& entry = mEntries[(bits ^ (bits >> 29) ^ (bits >> 47)) % mEntries.size()];
    if (entry.length == 0 || entry.bits != bits) {
      entry.bits = bits;
      entry.length = static_cast<std::uint8_t>(json::writeNumber(entry.text, x) - entry.text);
    }
    std::memcpy(at, entry.text, entry.length);
    return at + entry.length;
  }

 private:
  struct Entry {
    std::uint64_t bits = 0;
    std::uint8_t length = 0;
    char text[31];
  };
  std::array<Entry, 1024> mEntries{};
};

void appendCsvRow(std::string& out, long row, const Cells& cells, const Columns& columns,
                  const RowResult& r, NumberTexts& numberTexts) {
  const auto writeCell = [&numberTexts](char* at, double x) { return numberTexts.write(at, x); };
  char numbers[32 * 22];
  out.append(numbers, writeCell(numbers, static_cast<double>(row)));
  out += ',';
  if (columns.id >= 0) appendCsvField(out, cells[size_t(columns.id)]);
  static constexpr std::string_view kStatus[] = {",ok,", ",stopped,", ",invalid,"};
  out += kStatus[static_cast<int>(r.status)];
  if (!r.message.empty()) appendCsvField(out, r.message);
  char* at = numbers;
  const MixProportions& p = r.design;
  for (const double x :
       {p.mixingWater, p.airContent, p.waterCementRatio, p.cementContent, p.coarseAggregateMass,
        p.fineAggregateMassByWeight, p.unitWeightByWeight, p.fineAggregateMassByVolume,
        p.unitWeightByVolume, p.batchWater, p.batchCoarseAggregateMass,
        p.batchFineAggregateMassByWeight, p.batchFineAggregateMassByVolume}) {
    *at++ = ',';
    if (r.designed) at = writeCell(at, x);
  }
  for (const BatchMasses* m : {&r.byWeight, &r.byVolume}) {
    for (const double x : {m->water, m->cement, m->coarseAggregate, m->fineAggregate}) {
      *at++ = ',';
      if (r.adjusted) at = writeCell(at, x);
    }
  }
  *at++ = '\n';
  out.append(numbers, at);
}

// The row as a JSON line: the command line's --json object of the same arguments, after the row,
// its id and its status.
RowStatus appendJsonRow(std::string& out, long row, const Cells& cells, const Columns& columns) {
  out += "{\"row\":" + std::to_string(row) + ",\"id\":" +
         (columns.id >= 0 ? json::string(cells[size_t(columns.id)]) : std::string(json::null));
  RowResult invalid;
  if (!RowDesigner::conditions(cells, columns, invalid)) {
    out += ",\"status\":\"invalid\",\"message\":" + json::string(invalid.message) + "}\n";
    return RowStatus::Invalid;
  }
  std::vector<std::string> args;
  const auto add = [&args](std::string_view name, std::string_view value) {
    args.push_back("--" + std::string(name));
    args.emplace_back(value);
  };
  for (size_t i = 0; i < cells.size(); ++i) {
    const int column = static_cast<int>(i);
    for (size_t b = 0; b < kBoxCount; ++b) {
      if (columns.boxes[b] == column) add(kBoxNames[b].name, cells[i]);
    }
    for (size_t c = 0; c < kConditionNames.size(); ++c) {
      if (columns.conditions[c] == column && !cells[i].empty()) {
        add(kConditionNames[c].name, cells[i]);
      }
    }
    for (size_t t = 0; t < kTrialNames.size(); ++t) {
      if (columns.trials[t] == column && !cells[i].empty()) add(kTrialNames[t].name, cells[i]);
    }
  }
  args.push_back("--json");
  std::ostringstream object, messages;
  const int status = run(args, object, messages);
  const std::string text = object.str();
  out += status == 0 ? ",\"status\":\"ok\"," : ",\"status\":\"stopped\",";
  out.append(text, 1);  // without its opening brace
  return status == 0 ? RowStatus::Ok : RowStatus::Stopped;
}

constexpr size_t kFlushSize = 1 << 16;

// Where the rows go: the standard output as they are done, or a file that replaces the named
// one only once every row is in it.
class Sink {
 public:
  Sink(std::ostream& out, const std::optional<std::string>& path) : mOut(out) {
    if (path) mFile = std::make_unique<FileReplacement>(*path);
    mBuffer.reserve(kFlushSize * 2);
  }
  std::string& buffer() { return mBuffer; }
  std::optional<WriteProblem> problem() const { return mFile ? mFile->problem() : std::nullopt; }
  // Sends the rows done on their way.
  void flush() {
    if (mBuffer.empty()) return;
    if (mFile) {
      mFile->write(mBuffer);
    } else {
      mOut.write(mBuffer.data(), static_cast<std::streamsize>(mBuffer.size()));
      mOut.flush();
    }
    mBuffer.clear();
  }
  // Whether the standard output took every row (a full disk, a file-size limit, a closed pipe).
  bool outputFailed() const { return !mFile && !mOut; }
  // The rows done so far stay on the standard output; a file is not written at all.
  void abandon() {
    if (!mFile) flush();
  }
  // The file into place, once every row is in it.
  std::optional<WriteProblem> finish() {
    flush();
    return mFile ? mFile->commit() : std::nullopt;
  }

 private:
  std::ostream& mOut;
  std::unique_ptr<FileReplacement> mFile;
  std::string mBuffer;
};

}  // namespace

int runBatch(const BatchRequest& request, std::ostream& out, std::ostream& err) {
  FileReader input(request.input == "-" ? std::string() : request.input);
  if (input.problem() == FileContents::Status::NotRegular) {
    err << "veldora-cli: --batch takes a CSV file, not the folder '" << request.input << "'\n";
    return 2;
  }
  if (input.problem()) {
    err << "veldora-cli: cannot read '" << request.input << "': " << input.cause() << "\n";
    return 2;
  }
  return runBatch(
      [&input, &request](char* data, size_t size) -> size_t {
        if (const std::optional<size_t> got = input.read(data, size)) return *got;
        throw BatchUsageError{"reading '" + request.input + "' failed: " + input.cause()};
      },
      request, out, err);
}

int runBatch(const ReadSome& input, const BatchRequest& request, std::ostream& out,
             std::ostream& err) {
  Sink sink(out, request.out);
  if (const std::optional<WriteProblem> problem = sink.problem()) {
    err << messages::resultsNotWritten(*problem) << "\n";
    return 1;
  }
  // Rows written so far go out before the batch waits for more input, so that a pipe sees each
  // row as soon as it is done.
  CsvReader reader(input, [&sink] { sink.flush(); });
  Cells cells;
  bool allOk = true;
  try {
    if (!reader.next(cells)) throw BatchUsageError{"line 1: no header"};
    const Columns columns(cells);
    if (!request.json) sink.buffer() += kHeader;
    RowDesigner designer;
    RowResult result;
    NumberTexts numberTexts;
    for (long row = 1; reader.next(cells);) {
      const std::string line = "line " + std::to_string(reader.recordLine()) + ": ";
      // A blank line (an editor's last one) is no row where the header names several columns.
      if (cells.size() == 1 && cells[0].empty() && columns.count > 1) continue;
      if (cells.size() != columns.count) {
        throw BatchUsageError{line + std::to_string(cells.size()) + " of " +
                              std::to_string(columns.count) + " fields"};
      }
      if (!reader.plainFields() && !std::all_of(cells.begin(), cells.end(),
                                                [](std::string_view c) { return validUtf8(c); })) {
        throw BatchUsageError{line + "not UTF-8 (save the file as CSV UTF-8)"};
      }
      if (request.json) {
        allOk = appendJsonRow(sink.buffer(), row, cells, columns) == RowStatus::Ok && allOk;
      } else {
        designer.design(cells, reader.plainFields(), columns, result);
        appendCsvRow(sink.buffer(), row, cells, columns, result, numberTexts);
        allOk = allOk && result.status == RowStatus::Ok;
      }
      if (sink.buffer().size() >= kFlushSize) sink.flush();
      ++row;
    }
  } catch (const CsvError& e) {
    sink.abandon();
    err << "veldora-cli: line " << e.line() << ": " << e.what() << "\n";
    return 2;
  } catch (const BatchUsageError& e) {
    sink.abandon();
    err << "veldora-cli: " << e.message << "\n";
    return 2;
  }
  if (const std::optional<WriteProblem> problem = sink.finish()) {
    err << messages::resultsNotWritten(*problem) << "\n";
    return 1;
  }
  if (sink.outputFailed()) {
    err << "veldora-cli: the results could not all be written to the standard output\n";
    return 1;
  }
  return allOk ? 0 : 1;
}

}  // namespace veldora::cli
