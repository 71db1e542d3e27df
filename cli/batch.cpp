#include "cli/batch.h"

#include "cli/batchrow.h"
#include "cli/cliapp.h"
#include "cli/json.h"
#include "cli/names.h"
#include "engine/boxtext.h"
#include "engine/strength.h"
#include "files/csv.h"
#include "files/diskfile.h"
#include "workspace/messages.h"
#include "workspace/optiondialogs.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <sstream>
#include <vector>

namespace veldora::cli {
namespace {

constexpr std::string_view kResultColumns =
    ",water,air,water_cement_ratio,cement,coarse,fine_by_weight,"
    "unit_mass_by_weight,fine_by_volume,unit_mass_by_volume,batch_water,batch_coarse,"
    "batch_fine_by_weight,batch_fine_by_volume,adjusted_water_by_weight,adjusted_cement_by_weight,"
    "adjusted_coarse_by_weight,adjusted_fine_by_weight,adjusted_water_by_volume,"
    "adjusted_cement_by_volume,adjusted_coarse_by_volume,adjusted_fine_by_volume,"
    "required_strength,required_strength_rule\n";

// The output's header: the row, its id, the columns that pass through, its status and message,
// the inputs as read, the results.
std::string header(const Cells& input, const BatchColumns& columns) {
  std::string out = "row,id";
  for (const int column : columns.passThrough) {
    out += ',';
    appendCsvField(out, input[size_t(column)]);
  }
  out += ",status,message";
  for (const BoxName& b : kBoxNames) out.append(",").append(b.name);
  for (const ConditionName& c : kConditionNames) {
    out.append(",").append(c.name == "cement" ? kCementTypeColumn : c.name);
  }
  if (columns.hasTrial()) {
    for (const TrialName& t : kTrialNames) out.append(",").append(t.name);
  }
  if (columns.hasStrength()) {
    for (const std::string_view s : kStrengthNames) out.append(",").append(s);
  }
  return out.append(kResultColumns);
}

// A number in the shortest form that reads back as the same double (0.61, not
// 0.60999999999999999), a zero without its sign.
char* writeShortest(char* at, double x) { return std::to_chars(at, at + 32, x + 0.0).ptr; }

void appendCsvRow(std::string& out, long row, const Cells& given, const BatchColumns& columns,
                  const RowResult& r) {
  // A cell with a NUL byte (its row refused) is repeated empty: no CSV reader takes the byte.
  Cells cells = given;
  for (std::string_view& cell : cells) {
    if (cell.find('\0') != std::string_view::npos) cell = {};
  }
  char numbers[32 * 24];
  out.append(numbers, writeShortest(numbers, static_cast<double>(row)));
  out += ',';
  if (columns.id >= 0) appendCsvField(out, cells[size_t(columns.id)]);
  for (const int column : columns.passThrough) {
    out += ',';
    appendCsvField(out, cells[size_t(column)]);
  }
  static constexpr std::string_view kStatus[] = {",ok,", ",stopped,", ",invalid,"};
  out += kStatus[static_cast<int>(r.status)];
  if (!r.message.empty()) appendCsvField(out, r.message);
  // The inputs as read; of a row refused, the cells as they are.
  const bool read = r.status != RowStatus::Invalid;
  const auto input = [&](int column, const std::string& held) {
    out += ',';
    if (read) {
      appendCsvField(out, held);
    } else if (column >= 0) {
      appendCsvField(out, cells[size_t(column)]);
    }
  };
  for (size_t b = 0; b < kBoxCount; ++b) input(columns.boxes[b], r.boxes[b]);
  for (size_t c = 0; c < kConditionNames.size(); ++c) {
    const ConditionName& name = kConditionNames[c];
    input(columns.conditions[c],
          std::string(name.words[size_t(optionDialogInfo(name.dialog).selection(r.conditions))]));
  }
  if (columns.hasTrial()) {
    for (size_t t = 0; t < kTrialNames.size(); ++t) input(columns.trials[t], r.trials[t]);
  }
  if (columns.hasStrength()) {
    for (size_t s = 0; s < kStrengthNames.size(); ++s)
      input(columns.strength[s], r.strengthTexts[s]);
  }
  char* at = numbers;
  const MixProportions& p = r.design;
  for (const double x :
       {p.mixingWater, p.airContent, p.waterCementRatio, p.cementContent, p.coarseAggregateMass,
        p.fineAggregateMassByWeight, p.unitWeightByWeight, p.fineAggregateMassByVolume,
        p.unitWeightByVolume, p.batchWater, p.batchCoarseAggregateMass,
        p.batchFineAggregateMassByWeight, p.batchFineAggregateMassByVolume}) {
    *at++ = ',';
    if (r.designed) at = writeShortest(at, x);
  }
  for (const BatchMasses* m : {&r.byWeight, &r.byVolume}) {
    for (const double x : {m->water, m->cement, m->coarseAggregate, m->fineAggregate}) {
      *at++ = ',';
      if (r.adjusted) at = writeShortest(at, x);
    }
  }
  *at++ = ',';
  if (read && r.basis) at = writeShortest(at, r.basis->required);
  out.append(numbers, at);
  out += ',';
  if (read && r.basis) appendCsvField(out, strengthRuleFormula(r.basis->rule));
  out += '\n';
}

// The row as a JSON line: the command line's --json object of the same arguments, after the row,
// its id and its status.
RowStatus appendJsonRow(std::string& out, long row, const Cells& cells, bool plainCells,
                        const BatchColumns& columns, RowDesigner& designer, RowResult& read) {
  out += "{\"row\":" + std::to_string(row) + ",\"id\":" +
         (columns.id >= 0 ? json::string(cells[size_t(columns.id)]) : std::string(json::null));
  // The columns that pass through, by their header cells.
  if (!columns.passThrough.empty()) {
    out += ",\"columns\":{";
    for (size_t i = 0; i < columns.passThrough.size(); ++i) {
      if (i > 0) out += ',';
      out += json::string(columns.passThroughNames[i]);
      out += ':';
      out += json::string(cells[size_t(columns.passThrough[i])]);
    }
    out += '}';
  }
  if (!designer.read(cells, plainCells, columns, read)) {
    out += ",\"status\":\"invalid\",\"message\":" + json::string(read.message) + "}\n";
    return RowStatus::Invalid;
  }
  std::vector<std::string> args;
  const auto add = [&args, &cells](std::string_view name, int column, bool evenEmpty) {
    if (column < 0 || (!evenEmpty && cells[size_t(column)].empty())) return;
    args.push_back("--" + std::string(name));
    args.emplace_back(cells[size_t(column)]);
  };
  for (size_t b = 0; b < kBoxCount; ++b) add(kBoxNames[b].name, columns.boxes[b], true);
  for (size_t c = 0; c < kConditionNames.size(); ++c) {
    add(kConditionNames[c].name, columns.conditions[c], false);
  }
  for (size_t t = 0; t < kTrialNames.size(); ++t)
    add(kTrialNames[t].name, columns.trials[t], false);
  for (size_t s = 0; s < kStrengthNames.size(); ++s) {
    if (columns.strength[s] >= 0 && !read.strengthTexts[s].empty()) {
      add(kStrengthNames[s], columns.strength[s], false);
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

// The input file changed while it was read (another program truncated or rewrote it): its rows
// may be cut short or mixed from two versions.
struct InputChanged {
  std::string message;
};

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
        const std::optional<size_t> got = input.read(data, size);
        if (!got) throw BatchUsageError{"reading '" + request.input + "' failed: " + input.cause()};
        if (*got == 0 && input.changedSinceOpened()) {
          const std::string name =
              request.input == "-" ? "the standard input" : "'" + request.input + "'";
          throw InputChanged{name + " changed while it was read" +
                             (request.out ? "; '" + *request.out + "' is not written" : "") +
                             ": run the batch again once no other program writes to it"};
        }
        return *got;
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
    const BatchColumns columns(cells);
    // A column of the user's named as one the output writes would stand twice in its header.
    std::string written = ",row,status,message";
    written.append(kResultColumns.substr(0, kResultColumns.size() - 1)).append(",");
    for (const std::string& name : columns.passThroughNames) {
      const std::string named = columnName(name);
      if (written.find("," + named + ",") != std::string::npos) {
        throw BatchUsageError{"line 1: the column '" + name +
                              "' has the name of a column the output writes; rename it"};
      }
    }
    if (!columns.passThrough.empty()) {
      const bool one = columns.passThrough.size() == 1;
      err << (one ? "veldora-cli: the column" : "veldora-cli: the columns");
      for (const int column : columns.passThrough) err << " '" << cells[size_t(column)] << "'";
      err << (one ? " is not the program's; it passes" : " are not the program's; they pass")
          << " through to the output unchanged\n";
    }
    if (request.bom && !request.json) sink.buffer() += "\xEF\xBB\xBF";
    if (!request.json) sink.buffer() += header(cells, columns);
    RowDesigner designer;
    RowResult result;
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
        allOk = appendJsonRow(sink.buffer(), row, cells, reader.plainFields(), columns, designer,
                              result) == RowStatus::Ok &&
                allOk;
      } else {
        designer.design(cells, reader.plainFields(), columns, result);
        appendCsvRow(sink.buffer(), row, cells, columns, result);
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
  } catch (const InputChanged& e) {
    sink.abandon();
    err << "veldora-cli: " << e.message << "\n";
    return 1;
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
