#include "cli/reportwriter.h"
#include "tests/support/files.h"
#include "tests/support/lines.h"
#include "tests/support/names.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;
using testing_support::CaseName;

struct Outcome {
  int status;
  string out;
  string err;
};

Outcome runCli(const std::vector<string>& args) {
  std::ostringstream out, err;
  const int status = cli::run(args, out, err, cli::writePdfReport);
  return {status, out.str(), err.str()};
}

int lineCount(const string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

bool contains(const string& text, const string& part) { return text.find(part) != string::npos; }

TEST(Cli, DefaultDesignPrintsTheFifteenLinesByteForByte) {
  const Outcome o = runCli({});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, testing_support::golden("default_design.txt"));
  EXPECT_EQ(o.err, "");
}

struct UsageCase {
  const char* name;
  std::vector<string> args;
  const char* mentions;
};

class CliUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, ExitsWithTwoAndOneLine) {
  const Outcome o = runCli(GetParam().args);
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(lineCount(o.err), 1);
  EXPECT_TRUE(contains(o.err, GetParam().mentions)) << o.err;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, CliUsage, testing::Values(
    UsageCase{"unknown_option",        {"--colour"},                 "--colour"},
    UsageCase{"value_missing",         {"--slump"},                  "--slump"},
    UsageCase{"unknown_workability",   {"--workability", "extreme"}, "low|medium|high"},
    UsageCase{"two_files",             {"a.vdr", "b.vdr"},           "b.vdr"},
    UsageCase{"save_without_a_name",   {"--save"},                   "--save"},
    UsageCase{"pour_volume_too_large", {"--pour-volume=1e6"},        "0.001 to 100000"},
    UsageCase{"bag_mass_huge",         {"--bag-mass", "1e308"},      "1 to 2000"},
    UsageCase{"project_name_too_long", {"--project-name", string(201, 'x')}, "200 characters"},
    UsageCase{"report_over_the_file",  {"d.vdr", "--report", "d.vdr"}, "'d.vdr'"},
    UsageCase{"report_over_the_save",  {"--save", "x/d.vdr", "--report=x/../x/d.vdr"}, "'x/d.vdr'"},
    UsageCase{"report_over_a_new_save", {"--save", "new.vdr", "--report", "./new.vdr"}, "'new.vdr'"},
    UsageCase{"project_name_not_utf8", {"--project-name", "a\xff"},  "UTF-8"},
    UsageCase{"batch_volume_over_20",  {"--batch-volume", "21"},     "0.001 to 20"},
    UsageCase{"batch_method_word",     {"--batch-method", "mass"},   "weight|volume"},
    UsageCase{"sand_method_twice_named", {"--sand-method", "weight", "--batch-method", "volume"},
              "give it once"},
    UsageCase{"two_strengths",         {"--strength", "250", "--specified-strength", "200"},
              "--specified-strength"},
    UsageCase{"deviation_alone",       {"--specified-strength", "200", "--standard-deviation", "30"},
              "go together"},
    UsageCase{"record_without_fc",     {"--test-count", "20", "--standard-deviation", "30"},
              "--specified-strength"},
    UsageCase{"specified_word",        {"--specified-strength", "high"}, "above 0"},
    UsageCase{"batch_with_a_box",      {"--batch", "a.csv", "--slump", "50"}, "--slump"},
    UsageCase{"batch_with_a_file",     {"a.vdr", "--batch", "-"},    "'a.vdr'"},
    UsageCase{"out_over_the_input",    {"--batch", "a.csv", "--out", "./a.csv"}, "'a.csv'"},
    UsageCase{"out_without_batch",     {"--out", "o.csv"},           "--batch"},
    UsageCase{"out_to_a_dash",         {"--batch", "-", "--out", "-"}, "--out takes a file name"},
    UsageCase{"report_to_a_dash",      {"--report=-"},               "--report takes a file name"},
    UsageCase{"save_to_a_dash",        {"--save", "-"},              "--save takes a file name"},
    UsageCase{"tests_fraction",        {"--specified-strength", "200", "--standard-deviation", "3",
                                        "--test-count", "20.5"}, "whole number"},
    // The sieve analyses run no design.
    UsageCase{"sieve_with_a_box",      {"--sieve-fine", "s.csv", "--slump", "50"}, "not --slump"},
    UsageCase{"sieve_with_a_report",   {"--report", "r.pdf", "--sieve-coarse", "g.csv"}, "--report"},
    UsageCase{"sieve_with_strength",   {"--sieve-fine", "s.csv", "--specified-strength", "250"},
              "--specified-strength"},
    UsageCase{"sieve_with_batch",      {"--batch", "-", "--sieve-fine", "s.csv"}, "--sieve-fine"},
    UsageCase{"sieve_with_a_mix_file", {"d.vdr", "--sieve-fine", "s.csv"}, "no mix file"},
    UsageCase{"coarse_size_alone",     {"--sieve-fine", "s.csv", "--coarse-size", "57"},
              "--sieve-coarse"},
    UsageCase{"sieve_file_not_utf8",   {"--sieve-fine", "s\xff.csv"}, "UTF-8"},
    UsageCase{"coarse_size_unknown",   {"--sieve-coarse", "g.csv", "--coarse-size", "5"},
              "3|357|4|467|57|6|67|7|8, not '5'"}),
    CaseName());
// clang-format on

// What scripts rely on: the options reach the design, the exit status says how it ended, the
// messages go to stderr, and the JSON keys and number forms stay as they are.
struct ContractCase {
  const char* name;
  std::vector<string> args;
  int status;
  int lines;  // of the plain output, -1 when --json
  std::vector<string> out;
  std::vector<string> err;
};

class CliContract : public testing::TestWithParam<ContractCase> {};

TEST_P(CliContract, HoldsForScripts) {
  const ContractCase& c = GetParam();
  const Outcome o = runCli(c.args);
  EXPECT_EQ(o.status, c.status) << o.err;
  if (c.lines >= 0) {
    EXPECT_EQ(lineCount(o.out), c.lines);
  }
  for (const string& part : c.out) EXPECT_TRUE(contains(o.out, part)) << part << "\n" << o.out;
  for (const string& part : c.err) EXPECT_TRUE(contains(o.err, part)) << part << "\n" << o.err;
  if (c.err.empty()) {
    EXPECT_EQ(o.err, "");
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, CliContract, testing::Values(
    ContractCase{"help", {"--help"}, 0, -1, {"--trial-unit-weight", "--save OUT.vdr", "--sieve-coarse GRAVEL.csv"}, {}},
    ContractCase{"method_bs_has_no_heading", {"--method", "bs"}, 0, 14, {}, {}},
    ContractCase{"stopped_run_keeps_the_heading", {"--strength", ""}, 1, 1, {"ACI-89"},
                 {"مقاومت فشاري بتن بايد بين 150تا 400"}},
    ContractCase{"json_stop_with_its_focus", {"--json", "--strength=", "--slump", "1E40"}, 1, -1,
                 {"\"resultsVisible\":false", "\"focus\":\"Text1\"", "\"title\":\"پيغام خطا\"",
                  "\"SL\":1e+40", "\"adjusted\":null", "\"codes\":{\"AIR\":0,"},
                 {"اسلامپ بايد بين صفر"}},
    ContractCase{"json_refusal_without_focus", {"--json", "--exposure", "wet-freeze-thaw"}, 1, -1,
                 {"\"results\":[]", "\"focus\":null", "\"WOC\":0.67399999999999993", "\"RT\":2"},
                 {"حتماً بايد از بتن هوادار"}},
    ContractCase{"json_numbers_round_trip", {"--json", "--concrete", "air-entrained"}, 0, -1,
                 {"\"WATER\":159.69999999999999", "\"SIM\":275.30000000000001", "\"AIR\":2",
                  "\"document\":[\"50\",\"25.4\","}, {}},
    ContractCase{"trial_batch_lists_after_an_empty_line",
                 {"--trial-slump", "30", "--trial-unit-weight=2350", "--trial-water", "180"}, 0,
                 15 + 1 + 9, {"\n\nمقادير اصلاح شده طرح اختلاط پس از ساخت نمونه\n"}, {}},
    ContractCase{"trial_batch_members",
                 {"--json", "--concrete", "air-entrained", "--trial-slump", "30", "--trial-air", "7",
                  "--trial-unit-weight", "2250"}, 0, -1,
                 {"\"sl1\":30,\"airp1\":7,\"roc1\":2250,", "بايد مقدار مواد مضاف هوازا را كاهش داد",
                  "\"AIRP\":3}},\"document\":["}, {}},
    ContractCase{"trial_value_refused_at_ok", {"--json", "--trial-unit-weight", "40000"}, 1, -1,
                 {"\"adjusted\":{\"lines\":[],\"stop\":{",
                  "\"focus\":\"Dialog6.Text2\"},\"members\":null}"}, {"خارج از محدوده مجاز"}},
    ContractCase{"trial_batch_after_a_stopped_run", {"--json", "--fineness", "9", "--trial-slump",
                 "30"}, 1, -1, {"محاسبه اصلاح فقط پس از اجراي كامل طرح اختلاط",
                 "\"members\":null}"}, {"مدول نرمي ماسه"}},
    ContractCase{"json_without_warnings_basis_or_sheet", {"--json"}, 0, -1,
                 {"\"warnings\":[],\"required_strength\":null,\"sheet\":null}"}, {}},
    ContractCase{"json_warns_of_a_trial_batch_in_the_wrong_unit",
                 {"--json", "--trial-water", "5.2", "--trial-unit-weight", "2390", "--trial-air",
                  "2.2", "--trial-slump", "60"}, 0, -1,
                 {"هشدار: درصد هوا -6.74% است", "هشدار: سيمان 5 كيلوگرم در متر مكعب است"}, {}},
    ContractCase{"json_sheet_of_a_laboratory_batch",
                 {"--json", "--pour-volume", "3", "--bag-mass", "25", "--batch-volume", "0.0125",
                  "--sand-method", "weight"}, 0, -1,
                 {"\"sheet\":{\"mix\":\"design\",\"sand_method\":\"weight\"",
                  "\"batch_volume\":0.012500000000000001,", "\"water_per_bag\":16.699999999999999,",
                  "\"batches\":240,\"last_batch_volume\":0.012500000000000001"}, {}},
    ContractCase{"specified_strength", {"--json", "--specified-strength", "۲۵۰"}, 0, -1,
                 {"\"FC\":335,", "\"document\":[\"50\",\"25.4\",\"335\","}, {}},
    ContractCase{"specified_strength_with_a_record", {"--json", "--specified-strength=250",
                 "--standard-deviation", "30", "--test-count", "20"}, 0, -1, {"\"FC\":294,"}, {}},
    ContractCase{"required_strength_over_400_stops", {"--json", "--specified-strength", "360"}, 1,
                 -1, {"\"FC\":447,", "\"focus\":\"Text3\""}, {"مقاومت فشاري بتن بايد بين 150تا 400"}}),
    CaseName());
// clang-format on

// Persian and Arabic-Indic digits, as Persian and Arabic keyboards type them, become ASCII digits
// in the box itself: the run reads them, --json and Save show them, and the whole output is that of
// the ASCII text.
struct DigitsCase {
  const char* name;
  const char* option;
  const char* typed;
  const char* kept;    // what the box holds: the whole output is that of this text
  const char* member;  // as --json names it, with the number read
};

class PersianDigits : public testing::TestWithParam<DigitsCase> {};

TEST_P(PersianDigits, ReadAsTheAsciiText) {
  const DigitsCase& c = GetParam();
  const Outcome typed = runCli({"--json", c.option, c.typed});
  const Outcome ascii = runCli({"--json", c.option, c.kept});
  EXPECT_EQ(typed.out, ascii.out);
  EXPECT_EQ(typed.status, ascii.status);
  EXPECT_TRUE(contains(typed.out, c.member)) << typed.out;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, PersianDigits, testing::Values(
    DigitsCase{"persian",          "--slump",             "۷۵",   "75",   "\"SL\":75,"},
    DigitsCase{"arabic_indic",     "--strength",          "٢٣٠",  "230",  "\"FC\":230,"},
    DigitsCase{"decimal_separator","--fineness",          "۲٫۹",  "2.9",  "\"MN\":2.8999999999999999,"}),
    CaseName());
// clang-format on

class CliFiles : public testing::Test {
 protected:
  testing_support::TemporaryFolder folder;
  string at(const char* name) const { return folder.path(name); }
};

TEST_F(CliFiles, SaveThenOpenWithOptionsAppliedAfterTheFile) {
  const string mix = at("mix.vdr");
  Outcome o = runCli({"--slump", "75", "--concrete", "air-entrained", "--save", mix});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(testing_support::splitLines(testing_support::readFile(mix)).size(), 49u);

  o = runCli({mix, "--json", "--strength", "250"});
  EXPECT_EQ(o.status, 0) << o.err;
  for (const char* part :
       {"\"SL\":75,", "\"FC\":250,", "\"AIR\":2,", "\"document\":[\"75\",\"25.4\",\"250\","}) {
    EXPECT_TRUE(contains(o.out, part)) << part;
  }
}

// A file that cannot be opened, or a design that cannot be saved, runs and writes nothing.
TEST_F(CliFiles, FailedOpenOrRefusedSaveWritesNothing) {
  testing_support::writeFile(at("bad.vdr"), "only a line\n");
  for (const auto& [args, message] :
       {std::pair{std::vector<string>{at("bad.vdr"), "--save", at("out.vdr")},
                  "اين فايل طرح اختلاط ناقص يا نامعتبر است و باز نشد"},
        {std::vector<string>{at("missing.vdr"), "--save", at("out.vdr")}, "موجود نميباشد"}}) {
    const Outcome o = runCli(args);
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(contains(o.err, message)) << o.err;
    EXPECT_FALSE(std::filesystem::exists(at("out.vdr")));
  }
}

// A run that stopped and an adjustment that was refused write no report (that a report adds its
// file and nothing else to the output is the process test's, through the report's program).
TEST_F(CliFiles, AReportIsWrittenOnlyForADesignThatWentThrough) {
  const string pdf = at("r.pdf");
  for (const std::vector<string>& args :
       {std::vector<string>{"--strength", "", "--report", pdf},
        std::vector<string>{"--trial-unit-weight", "40000", "--report", pdf}}) {
    EXPECT_EQ(runCli(args).status, 1);
    EXPECT_FALSE(std::filesystem::exists(pdf));
  }
}

// The sieve analyses from their files: the checks' outcome in the exit status, a bad file refused
// naming its line and the cause, nothing printed then.
struct SieveCase {
  const char* name;
  std::vector<string> args;  // the files by their names in the folder
  int status;
  std::vector<string> out;
  string err;
};

class CliSieves : public CliFiles, public testing::WithParamInterface<SieveCase> {};

TEST_P(CliSieves, PrintTheAnalysesAndTheirChecks) {
  const string header = "sieve_mm,retained_g\n";
  testing_support::writeFile(
      at("sand.csv"),
      header + "9.5,0\n4.75,20\n2.36,85\n1.18,110\n0.6,130\n0.3,90\n0.15,50\npan,15\n");
  testing_support::writeFile(at("fit.csv"),
                             header +
                                 "9.5,0\n4.75,20\n2.36,80\n1.18,180\n0.6,260\n0.3,240\n0.15,170\n"
                                 "pan,50\noriginal,1004\n");
  testing_support::writeFile(
      at("gravel.csv"),
      header + "25,0\n19,250\n12.5,1250\n9.5,1500\n4.75,1750\n2.36,200\npan,50\n");
  testing_support::writeFile(at("bad.csv"), header + "4.75,20\n2.36,-2\n");
  std::vector<string> args = GetParam().args;
  for (string& arg : args) {
    if (arg.ends_with(".csv")) arg = at(arg.c_str());
  }
  const Outcome o = runCli(args);
  EXPECT_EQ(o.status, GetParam().status) << o.err;
  for (const string& part : GetParam().out) EXPECT_TRUE(contains(o.out, part)) << part << o.out;
  EXPECT_TRUE(contains(o.err, GetParam().err)) << o.err;
  if (GetParam().err.empty() || o.status == 2) {
    EXPECT_EQ(o.err.empty(), GetParam().err.empty());
    EXPECT_EQ(o.out.empty(), o.status == 2);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, CliSieves, testing::Values(
    SieveCase{"sand_json", {"--sieve-fine", "sand.csv", "--json"}, 1,
              {"\"percent_passing\":79}", "\"fineness_modulus\":3.21,", "\"maximum_size_mm\":9.5,",
               "\"nominal_maximum_size_mm\":4.75,", "\"failing_sieves_mm\":[2.36]", "{\"sieve_mm\":0.6,\"retained_g\":130,",
               "\"fineness_modulus\":\"fail\"", "\"coarse\":null"}, ""},
    SieveCase{"sand_lines", {"--sieve-fine", "sand.csv"}, 1,
              {"2.36\t85\t17.0\t21.0\t79.0\n", "مدول نرمي= 3.21\n",
               "2.36 ميليمتر: عبوري 79.0 درصد، حدود 80 تا 100: مردود\n",
               "مدول نرمي 3.21، حدود 2.3 تا 3.1: مردود\n"}, ""},
    // 4 g lost of 1004 g: 0.4 %, over the 0.3 % of ASTM C136; the grading passes.
    SieveCase{"sand_with_a_loss", {"--sieve-fine", "fit.csv"}, 0,
              {"مدول نرمي= 2.67\n", "افت وزن در الك كردن= 0.4 درصد\n", "ASTM C136"}, ""},
    SieveCase{"gravel_suggested", {"--sieve-coarse", "gravel.csv", "--json"}, 0,
              {"\"size_number\":\"67\"", "\"suggestion_fits\":true", "\"fineness_modulus\":null",
               "lacks the sieve(s) 1.18, 0.6, 0.3, 0.15 mm", "\"nominal_maximum_size_mm\":19,"}, ""},
    SieveCase{"gravel_as_57", {"--sieve-coarse", "gravel.csv", "--coarse-size", "۵۷"}, 1,
              {"شماره اندازه 57: مردود\n", "37.5 ميليمتر: عبوري -، حدود 100 تا 100: آزمايش نشده\n"},
              ""},
    SieveCase{"both", {"--sieve-fine", "fit.csv", "--sieve-coarse", "gravel.csv", "--json"}, 0,
              {"{\"fine\":{\"file\":", "\"loss_over_limit\":true", ",\"coarse\":{\"file\":"}, ""},
    SieveCase{"bad_file", {"--sieve-coarse", "gravel.csv", "--sieve-fine", "bad.csv"}, 2, {},
              "bad.csv': line 3: a mass cannot be negative: '-2'\n"},
    SieveCase{"missing_file", {"--sieve-fine", "none.csv"}, 2, {}, "none.csv': cannot be read: no such file"}),
    CaseName());
// clang-format on

}  // namespace
}  // namespace veldora
