// veldora-cli --batch against the command line's single runs: every output row must give what
// veldora-cli --json gives for the same arguments.
#include "cli/batch.h"

#include "cli/batchrow.h"
#include "cli/cliapp.h"
#include "cli/json.h"
#include "cli/names.h"
#include "engine/boxtext.h"
#include "engine/numbers.h"
#include "files/csv.h"
#include "tests/support/files.h"
#include "tests/support/names.h"
#include "workspace/designcommands.h"
#include "workspace/messages.h"
#include "workspace/optiondialogs.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;
using Row = std::vector<string>;

// The records of a CSV text.
std::vector<Row> records(const string& text) {
  size_t at = 0;
  CsvReader reader([&](char* data, size_t size) {
    const size_t n = std::min(size, text.size() - at);
    text.copy(data, n, at);
    at += n;
    return n;
  });
  std::vector<Row> all;
  for (std::vector<std::string_view> fields; reader.next(fields);) {
    all.emplace_back(fields.begin(), fields.end());
  }
  return all;
}

struct Outcome {
  int status;
  string out, err;
};

Outcome batch(const string& csv, bool json = false) {
  const testing_support::TemporaryFolder folder;
  testing_support::writeFile(folder.path("in.csv"), csv);
  std::ostringstream out, err;
  const int status = cli::runBatch({folder.path("in.csv"), std::nullopt, json}, out, err);
  return {status, out.str(), err.str()};
}

// The --json output of a single run and its exit status.
std::pair<string, int> single(std::vector<string> args) {
  std::ostringstream out, err;
  args.push_back("--json");
  const int status = cli::run(args, out, err);
  return {out.str(), status};
}

// The first match's group in text, or "".
string first(const string& text, const std::regex& pattern) {
  std::smatch match;
  return std::regex_search(text, match, pattern) ? match[1].str() : "";
}

// A number as the batch writes it: the shortest text that reads back as the same double.
string shortest(double x) {
  char buffer[32];
  return string(buffer, std::to_chars(buffer, buffer + 32, x + 0.0).ptr);
}

// The inputs a row was designed with, as the output repeats them: each box's text as a box holds
// it (its start-up text where the input has no column), each condition's word (the start-up
// one where its cell is empty), the trial values as held where the input has trial columns.
Row inputsAsRead(const Row& header, const Row& cells) {
  Row inputs;
  const auto cellOf = [&](std::string_view name) -> std::optional<string> {
    for (size_t i = 0; i < header.size(); ++i) {
      if (cli::columnName(header[i]) == name) return cells[i];
    }
    return std::nullopt;
  };
  for (const cli::BoxName& b : cli::kBoxNames) {
    const std::optional<string> cell = cellOf(b.name);
    inputs.push_back(cell ? boxText(*cell) : DesignCommands::initialText(b.box));
  }
  const DesignConditions start;
  for (const cli::ConditionName& c : cli::kConditionNames) {
    const std::optional<string> cell = cellOf(c.name);
    const int option = optionDialogInfo(c.dialog).selection(start);
    inputs.push_back(cell && !cell->empty() ? *cell : string(c.words[size_t(option)]));
  }
  bool trial = false;
  for (const cli::TrialName& t : cli::kTrialNames) trial = trial || cellOf(t.name);
  for (const cli::TrialName& t : cli::kTrialNames) {
    if (trial) inputs.push_back(boxText(cellOf(t.name).value_or("")));
  }
  return inputs;
}

// The output row the command line's --json runs give for the batch: args as they are, and
// without the trial values for the design's own values (which the adjustment's air changes).
// The members of "proportions" stand in the order of the design columns.
Row expectedRow(const std::vector<string>& args, const string& row, const string& id,
                const Row& inputs) {
  const auto [json, status] = single(args);
  std::vector<string> designArgs;
  for (size_t i = 0; i < args.size(); i += 2) {
    if (!args[i].starts_with("--trial-"))
      designArgs.insert(designArgs.end(), {args[i], args[i + 1]});
  }
  const bool designed = json.find("\"stop\":null,\"inputs\"") != string::npos;
  const string adjusted = first(json, std::regex("\"adjusted\":(.*),\"document\""));
  const bool adjustedDone = adjusted.find("\"stop\":null") != string::npos;
  // A designed row says what its mix cannot have, as the window's line does.
  string message = first(json, std::regex("\"message\":\"([^\"]*)\""));
  if (status == 0) {
    const string warnings = first(json, std::regex("\"warnings\":\\[\"?(.*?)\"?\\]"));
    message = std::regex_replace(warnings, std::regex("\",\""), " / ");
  }
  Row expected = {row, id, status == 0 ? "ok" : "stopped", message};
  expected.insert(expected.end(), inputs.begin(), inputs.end());
  const string proportions =
      first(single(designArgs).first, std::regex("\"proportions\":\\{([^}]*)\\}"));
  static const std::regex kValue(":([^,]*)");
  for (std::sregex_iterator at(proportions.begin(), proportions.end(), kValue), end; at != end;
       ++at) {
    expected.push_back(!designed ? "" : shortest(std::stod((*at)[1].str())));
  }
  const string lines = adjustedDone ? first(adjusted, std::regex("\"lines\":\\[([^\\]]*)\\]")) : "";
  for (size_t at = lines.find('='); at != string::npos; at = lines.find('=', at + 1)) {
    expected.push_back(shortest(parseNumber(lines.substr(at + 1, 12))));
  }
  if (!adjustedDone) expected.resize(expected.size() + 8);
  expected.resize(expected.size() + 2);  // no required strength
  return expected;
}

// The single run's arguments for a row: each cell in its column's order, a box's as it is, a
// condition's or trial value's where not empty.
std::vector<string> arguments(const Row& header, const Row& cells) {
  std::vector<string> args;
  for (size_t i = 0; i < header.size(); ++i) {
    if (header[i] == "id") continue;
    bool box = false;
    for (const cli::BoxName& b : cli::kBoxNames) box = box || b.name == header[i];
    if (!box && cells[i].empty()) continue;
    args.push_back("--" + header[i]);
    args.push_back(cells[i]);
  }
  return args;
}

// Checks every output row of a CSV batch against the single runs (where a row is invalid, the
// single run is a usage error), and the batch's JSON Lines against the single runs' objects; the
// number of rows checked.
int checkAgainstSingleRuns(const string& csv, const string& output) {
  std::vector<Row> in = records(csv);
  std::erase_if(in, [&in](const Row& r) { return in[0].size() > 1 && r == Row{""}; });
  const std::vector<Row> out = records(output);
  EXPECT_EQ(out.size(), in.size());
  std::istringstream jsonLines(batch(csv, true).out);
  const Row& header = in.at(0);
  const auto id = std::find(header.begin(), header.end(), "id");
  for (size_t r = 1; r < std::min(in.size(), out.size()); ++r) {
    const string idText = id == header.end() ? "" : in[r][size_t(id - header.begin())];
    const std::vector<string> args = arguments(header, in[r]);
    string line;
    std::getline(jsonLines, line);
    if (out[r][2] == "invalid") {
      EXPECT_EQ(single(args).second, 2) << "row " << r;
      continue;
    }
    EXPECT_EQ(out[r], expectedRow(args, std::to_string(r), idText, inputsAsRead(header, in[r])))
        << "row " << r;
    const string json = single(args).first;
    EXPECT_EQ(line, "{\"row\":" + out[r][0] +
                        ",\"id\":" + (id == header.end() ? "null" : json::string(idText)) +
                        ",\"status\":\"" + out[r][2] + "\"," + json.substr(1, json.size() - 2));
  }
  return static_cast<int>(in.size()) - 1;
}

// A table of inputs: quoting, byte-order mark, line ends, column orders, empty cells of each kind,
// stops and refusals, Persian digits, each row against its single run.
struct BatchCase {
  const char* name;
  const char* csv;
};

class Batch : public testing::TestWithParam<BatchCase> {};

TEST_P(Batch, GivesWhatTheSingleRunsGive) {
  const Outcome o = batch(GetParam().csv);
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(o.status, o.out.find(",ok,") != string::npos &&
                              o.out.find(",stopped,") == string::npos &&
                              o.out.find(",invalid,") == string::npos
                          ? 0
                          : 1);
  EXPECT_GT(checkAgainstSingleRuns(GetParam().csv, o.out), 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Batch, testing::Values(
    BatchCase{"defaults_only", "id\n1\n"},
    BatchCase{"quoted_id_with_comma_quote_and_line_break", "id,slump\n\"a, \"\"b\"\"\r\nc\",75\n"},
    BatchCase{"byte_order_mark_and_crlf", "\xEF\xBB\xBFstrength,slump\r\n250,75\r\n300,100\r\n"},
    BatchCase{"shuffled_columns_no_last_line_end", "fine-absorption,concrete,max-size,id,workability\n0.5,air-entrained,19,x,high"},
    BatchCase{"empty_box_is_an_empty_box", "slump,strength\n50,\n"},
    BatchCase{"one_column_and_an_empty_line", "strength\n\n250\n"},
    BatchCase{"blank_lines_are_no_rows", "id,slump\nx,75\n\n"},
    BatchCase{"a_mass_below_zero_says_so", "id,rodded-density\nx,17000\n"},
    BatchCase{"empty_condition_is_the_start_up_one", "concrete,exposure,strength\n,,250\n"},
    BatchCase{"empty_trial_cells_are_not_given", "trial-slump,trial-air,trial-water\n,,\n30,,\n"},
    BatchCase{"unknown_condition_word", "id,workability\na,extreme\nb,low\n"},
    BatchCase{"run_stops_adjustment_not_tried", "strength,trial-slump\n500,30\n"},
    BatchCase{"refused_adjustment_keeps_the_design", "trial-unit-weight\n40000\n"},
    BatchCase{"persian_digits_and_a_pasted_line_break", "slump,strength,trial-slump\n۷۵,\"٢٣٠\r\n60\",۳۰\n"},
    BatchCase{"air_entrained_trial_batch", "concrete,trial-slump,trial-air,trial-unit-weight\nair-entrained,30,7,2250\n"}),
    testing_support::CaseName());
// clang-format on

// A number's text, on the command line and in a batch cell: read as the number it is (Persian
// digits, "/" or "٫" between two digits as the decimal mark, blanks around it, an exponent, an
// empty box as the window takes it), or refused naming the option or the column and the text.
struct NumberTextCase {
  const char* name;
  const char* text;
  const char* read;  // the number --json reads, as it writes it; nullptr: refused
};

class NumberText : public testing::TestWithParam<NumberTextCase> {};

TEST_P(NumberText, IsReadWhollyOrRefused) {
  const NumberTextCase& c = GetParam();
  std::ostringstream out, err;
  const int status = cli::run({"--json", "--fine-moisture", c.text}, out, err);
  const string csv = string("id,fine-moisture\nx,\"") + c.text + "\"\n";
  const Outcome rows = batch(csv);
  const std::vector<Row> output = records(rows.out);
  ASSERT_EQ(output.size(), 2u);
  if (c.read) {
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_NE(out.str().find(string("\"wg\":") + c.read + ","), string::npos) << out.str();
    EXPECT_EQ(output[1][2], "ok");
  } else {
    EXPECT_EQ(status, 2);
    EXPECT_EQ(err.str(),
              string("veldora-cli: --fine-moisture takes a number, not '") + c.text + "'\n");
    EXPECT_EQ(output[1][2], "invalid");
    EXPECT_EQ(output[1][3], string("fine-moisture takes a number, not '") + c.text + "'");
  }
  checkAgainstSingleRuns(csv, rows.out);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, NumberText, testing::Values(
    NumberTextCase{"letter_o_for_zero",     "1OO",   nullptr},
    NumberTextCase{"slash_decimal_mark",    "3/5",   "3.5"},
    NumberTextCase{"persian_slash",         "۳/۵",   "3.5"},
    NumberTextCase{"persian_decimal_mark",  "۳٫۵",   "3.5"},
    NumberTextCase{"trailing_letters",      "12abc", nullptr},
    NumberTextCase{"blanks_around",         " 7 ",   "7"},
    NumberTextCase{"comma_is_no_mark",      "7,5",   nullptr},
    NumberTextCase{"exponent",              "1e1",   "10"},
    NumberTextCase{"empty_box",             "",      "0"},
    NumberTextCase{"slash_not_between_digits", "3/", nullptr},
    NumberTextCase{"infinity",              "inf",   nullptr},
    NumberTextCase{"not_a_number",          "NaN",   nullptr}),
    testing_support::CaseName());
// clang-format on

// Headers as people write them (any case, blanks around, a unit in parentheses); a column that is
// not the program's passes through after id, named once on standard error; the strength columns
// give f'cr; a byte-order mark on request.
TEST(BatchHeaders, AreTakenAsPeopleWriteThem) {
  const Outcome o = batch(
      "ID, Strength (kg/cm2),Slump (mm),notes,specified-strength,standard-deviation,test-count,"
      "Cement-Type,Fine Moisture (%),coarse_moisture\n"
      "a,250,75,\"first, note\",,,,,0.7,0.5\n"
      "b,,100,,250,30,20,sulfate-resisting,3/5,1\n"
      "c,250,,,250,,,,,\n");
  EXPECT_EQ(o.err,
            "veldora-cli: the column 'notes' is not the program's; it passes through to the output "
            "unchanged\n");
  const std::vector<Row> out = records(o.out);
  ASSERT_EQ(out.size(), 4u);
  const Row& header = out[0];
  const auto at = [&header](const string& name) {
    return size_t(std::find(header.begin(), header.end(), name) - header.begin());
  };
  EXPECT_EQ((Row{header[0], header[1], header[2], header[3]}),
            (Row{"row", "id", "notes", "status"}));
  EXPECT_EQ(std::set<string>(header.begin(), header.end()).size(), header.size());
  EXPECT_EQ(out[2][at("cement-type")], "sulfate-resisting");
  EXPECT_EQ(out[2][at("fine-moisture")], "3.5");
  EXPECT_EQ(out[2][at("coarse-moisture")], "1");
  // Row a is the row of the program's own names, column by column, its note aside.
  const std::vector<Row> plain = records(batch("id,strength,slump\na,250,75\n").out);
  EXPECT_EQ(out[1][at("notes")], "first, note");
  for (size_t i = 0; i < plain[0].size(); ++i) {
    EXPECT_EQ(out[1].at(at(plain[0][i])), plain[1][i]) << plain[0][i];
  }
  EXPECT_EQ(out[2][at("status")], "ok");
  EXPECT_EQ(out[2][at("required_strength")], "294");
  EXPECT_EQ(out[2][at("required_strength_rule")], "f'cr = f'c + 1.34ks");
  EXPECT_EQ(out[2][at("strength")], "294");
  EXPECT_EQ(out[3][at("status")], "invalid");
  EXPECT_NE(out[3][at("message")].find("specified-strength and strength"), string::npos);

  // JSON Lines carry the columns that pass through too.
  const string firstLine = batch("id,notes\nx,\"a, b\"\n", true).out;
  EXPECT_NE(firstLine.find("{\"row\":1,\"id\":\"x\",\"columns\":{\"notes\":\"a, b\"},"),
            string::npos)
      << firstLine;

  std::ostringstream bom, err;
  const testing_support::TemporaryFolder folder;
  testing_support::writeFile(folder.path("in.csv"), "id\nx\n");
  EXPECT_EQ(cli::runBatch({folder.path("in.csv"), std::nullopt, false, true}, bom, err), 0);
  EXPECT_EQ(bom.str().substr(0, 7), "\xEF\xBB\xBFrow,");
}

// A header or a line that breaks the format is a usage error naming its line; the rows before it
// are written, the batch goes no further.
struct MalformedCase {
  const char* name;
  const char* csv;
  const char* mentions;
  size_t linesWritten;  // the header's among them
};

class MalformedBatch : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedBatch, IsAUsageErrorNamingTheLine) {
  const MalformedCase& c = GetParam();
  const Outcome o = batch(c.csv);
  EXPECT_EQ(o.status, 2);
  EXPECT_NE(o.err.find(c.mentions), string::npos) << o.err;
  EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1);
  EXPECT_EQ(records(o.out).size(), c.linesWritten);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, MalformedBatch, testing::Values(
    MalformedCase{"empty_input",        "",                                "line 1: no header", 0},
    MalformedCase{"duplicate_column",   "slump,max-size,slump\n",          "line 1: the column 'slump'", 0},
    MalformedCase{"too_few_fields",     "slump,strength\n50,210\n50\n",    "line 3: 1 of 2 fields", 2},
    MalformedCase{"text_after_a_quote", "id,slump\n\"a\"b,50\n",           "line 2: text after the closing quote", 1},
    MalformedCase{"not_utf8", "id,slump\nab\xff,75\n", "line 2: not UTF-8", 1},
    MalformedCase{"unclosed_quote",     "id\nx\n\"a,\n\nb\n",              "line 3: a quoted field that is never closed", 2},
    MalformedCase{"line_break_in_a_quote_counts",
                                        "id\n\"a\nb\"\n\"c\"d\n",           "line 4: text after", 2},
    MalformedCase{"lone_carriage_return", "id\na\rb\n",                    "line 2: a carriage return", 1},
    MalformedCase{"named_as_an_output_column", "id,Status\nx,y\n",          "line 1: the column 'Status' has the name", 0}),
    testing_support::CaseName());
// clang-format on

// A NUL byte, which no CSV reader downstream takes, makes its row invalid naming the column and is
// written neither in the CSV (the cell repeated empty) nor raw in JSON; in the header it is a usage
// error.
TEST(BatchNulBytes, MakeTheRowInvalid) {
  using namespace std::string_literals;
  const string csv = "id,slump,note\na\0b,75,x\nc,7\0005,x\nd,75,\0\ne,75,x\n"s;
  const Outcome o = batch(csv);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out.find('\0'), string::npos);
  const std::vector<Row> out = records(o.out);
  ASSERT_EQ(out.size(), 5u);
  const string columns[] = {"id", "slump", "note"};
  for (size_t r = 1; r <= 3; ++r) {
    EXPECT_EQ(out[r][3], "invalid") << r;
    EXPECT_EQ(out[r][4], "the column '" + columns[r - 1] + "' holds a NUL byte") << r;
  }
  EXPECT_EQ(out[4][3], "ok");
  EXPECT_EQ(batch(csv, true).out.find('\0'), string::npos);
  const Outcome header = batch("id,sl\0ump\n1,2\n"s);
  EXPECT_EQ(header.status, 2);
  EXPECT_EQ(header.err, "veldora-cli: line 1: the name of column 2 holds a NUL byte\n");
}

// Random rows (designs, trial batches, odd texts, shuffled columns) give the statuses and values
// of as many single --json runs.
TEST(BatchRandom, TwoThousandRowsAsTwoThousandSingleRuns) {
  std::mt19937 random(2121);
  const auto pick = [&random](size_t n) { return static_cast<size_t>(random() % n); };
  Row header = {"id"};
  for (const cli::BoxName& b : cli::kBoxNames) header.emplace_back(b.name);
  for (const cli::ConditionName& c : cli::kConditionNames) header.emplace_back(c.name);
  for (const cli::TrialName& t : cli::kTrialNames) header.emplace_back(t.name);
  std::shuffle(header.begin(), header.end(), random);
  const double ranges[][2] = {{0, 180},     {9, 155},   {140, 410}, {2.3, 3.1},
                              {1200, 2000}, {2.9, 3.3}, {2.4, 2.9}, {2.4, 2.9},
                              {0, 8},       {0, 10},    {-1, 3},    {-1, 3}};
  const std::vector<string> odd = {"",        "abc",    "1E400", "-1E400", "2 5", "-3",
                                   ".5",      "25.4mm", "1,5",   "1E-300", "0",   "۵۰",
                                   "32767.5", "1e2",    "&H10",  "7D1"};
  std::ostringstream csv;
  for (size_t i = 0; i < header.size(); ++i) csv << (i ? "," : "") << header[i];
  csv << "\r\n";
  for (int r = 0; r < 2000; ++r) {
    const bool trial = pick(3) == 0;
    for (size_t i = 0; i < header.size(); ++i) {
      const string& name = header[i];
      string cell;
      if (name == "id") {
        cell = "mix " + std::to_string(r);
      } else if (const auto b = std::find_if(cli::kBoxNames.begin(), cli::kBoxNames.end(),
                                             [&](const auto& x) { return x.name == name; });
                 b != cli::kBoxNames.end()) {
        const auto& range = ranges[b - cli::kBoxNames.begin()];
        std::ostringstream number;
        number << range[0] + (range[1] - range[0]) * (random() % 10000) / 10000.0;
        cell = pick(12) == 0 ? odd[pick(odd.size())] : number.str();
      } else if (const auto c =
                     std::find_if(cli::kConditionNames.begin(), cli::kConditionNames.end(),
                                  [&](const auto& x) { return x.name == name; });
                 c != cli::kConditionNames.end()) {
        const string words[] = {"", string(c->words[0]), string(c->words[1]), "unknown"};
        cell = words[pick(60) == 0 ? 3 : pick(3)];
      } else if (trial && pick(2) == 0) {
        cell = pick(8) == 0 ? odd[pick(odd.size())] : std::to_string(20 + pick(2400));
      }
      if (cell.find_first_of(",\"") != string::npos) cell = "\"" + cell + "\"";
      csv << (i ? "," : "") << cell;
    }
    csv << "\r\n";
  }
  const Outcome o = batch(csv.str());
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(checkAgainstSingleRuns(csv.str(), o.out), 2000);
}

// --json writes its numbers quickly as the general form to 17 significant digits writes them:
// random doubles of every magnitude, values next to powers of ten, and halfway cases (an odd
// number of 2^-13 between 10^4 and 10^5 has exactly 18 significant digits, the last a 5).
TEST(BatchNumbers, AreWrittenAsTheGeneralFormToSeventeenDigits) {
  std::mt19937_64 random(17);
  const auto expected = [](double x) {
    char buffer[32];
    return string(buffer,
                  std::to_chars(buffer, buffer + 32, x, std::chars_format::general, 17).ptr);
  };
  std::vector<double> values = {0.1,
                                178.6,
                                0.67,
                                1.48,
                                -0.0001,
                                1e-4,
                                9.999999999999999e14,
                                99999.999999999999,
                                0.00099999999999999999};
  for (int i = 0; i < 300000; ++i) {
    double x;
    const std::uint64_t bits = random();
    std::memcpy(&x, &bits, sizeof x);
    if (!std::isfinite(x)) continue;
    values.push_back(x);
    values.push_back(
        std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 70)));
    values.push_back(
        static_cast<double>((random() % 90000 + 10000) * 8192 + (random() % 4096) * 2 + 1) / 8192);
    values.push_back(std::nextafter(std::pow(10.0, static_cast<int>(random() % 20) - 5), 0.0));
  }
  for (const double x : values) {
    char buffer[32];
    ASSERT_EQ(string(buffer, json::writeNumber(buffer, x)), expected(x)) << x;
  }
}

}  // namespace
}  // namespace veldora
