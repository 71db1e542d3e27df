#include "cli/cliapp.h"
#include "tests/support/files.h"
#include "tests/support/names.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;
using testing_support::CaseName;

const string kTwentyTests = string(VELDORA_TEST_DATA) + "/strength_tests_20.csv";

// --strength-tests with the files and options a user gives: the exit status and what the output
// or the error line must hold.
struct ModeCase {
  const char* name;
  string file;  // written to a temporary tests.csv, or a path where it starts with '/'
  std::vector<string> options;
  int status;
  std::vector<string> outputHolds;  // in the standard output, or the error line where status 2
};

class StrengthTestsMode : public testing::TestWithParam<ModeCase> {};

TEST_P(StrengthTestsMode, PrintsTheTestsOrRefusesWithTwo) {
  const ModeCase& c = GetParam();
  testing_support::TemporaryFolder folder;
  string path = c.file;
  if (!path.starts_with('/')) {
    path = folder.path("tests.csv");
    testing_support::writeFile(path, c.file);
  }
  std::vector<string> args = {"--strength-tests", path};
  args.insert(args.end(), c.options.begin(), c.options.end());
  std::ostringstream out, err;
  EXPECT_EQ(cli::run(args, out, err), c.status) << err.str();
  const string& shown = c.status == 2 ? err.str() : out.str();
  EXPECT_TRUE(c.status != 2 || out.str().empty()) << out.str();
  for (const string& part : c.outputHolds) EXPECT_NE(shown.find(part), string::npos) << shown;
}

const string kThree =
    "date,label,cylinder-1,cylinder-2,cylinder-3\n"
    "1403/09/18,C25,250,260,\n1403/09/25,C25,270,280,275\n"
    "2024-12-08,C25,240,250,\n";
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, StrengthTestsMode, testing::Values(
    // The 20 tests worked by hand (the engine's table): test 11 and the average ending at test 9
    // fail; s and n = 20 give f'cr by k = 1.08.
    ModeCase{"twenty_tests_json", kTwentyTests, {"--specified-strength", "250", "--json"}, 1,
             {"{\"n\":20,\"mean\":278.05000000000001,"
              "\"standard_deviation\":29.827089418142943,",
              "\"within_test_standard_deviation\":6.294326241134752,"
              "\"control_rating\":\"very good\"",
              "\"failing_tests\":[11],\"failing_averages\":[9]",
              "\"test_count\":20,\"k\":1.0800000000000001,\"required_strength\":294,"
              "\"rule\":\"f'cr = f'c + 1.34ks\"}}\n"}},
    ModeCase{"twenty_tests_text", kTwentyTests, {"--specified-strength=۲۵۰"}, 1,
             {"mean: 278.1 kg/cm2\nstandard deviation: 29.8 kg/cm2\n", "not accepted",
              "tests below 214.3 kg/cm2: 11\n", "by their last test: 9\n",
              "f'cr = 294.0 kg/cm2 by f'cr = f'c + 1.34ks (k = 1.08)"}},
    ModeCase{"no_fc_no_acceptance", kTwentyTests, {"--json"}, 0,
             {"\"failing_tests\":null,\"failing_averages\":null,\"required_strength\":null}"}},
    // Too few for a record: f'cr by the margin without one. Test 3 is dated before test 2.
    ModeCase{"accepted_without_a_record", kThree, {"--specified-strength", "200"}, 0,
             {"accepted\n", "record: none, fewer than 15 tests",
              "f'cr = 272.0 kg/cm2 by f'cr = f'c + 7.0",
              "kept in the order given: tests 3\n"}},
    ModeCase{"bad_line_named", kThree + "1403/09/30,C25,250,26O,\n", {}, 2,
             {"line 5: cylinder-2 takes a strength above zero in kg/cm2, not '26O'"}},
    ModeCase{"one_cylinder", kThree + "1403/09/30,C25,250,,\n", {}, 2,
             {"line 5: a test takes two or three cylinders, not one"}},
    ModeCase{"missing_file", "/nonexistent/tests.csv", {}, 2, {"no such file"}},
    ModeCase{"bad_fc", kThree, {"--specified-strength", "abc"}, 2, {"--specified-strength"}},
    ModeCase{"standard_deviation", kThree, {"--specified-strength", "250",
             "--standard-deviation", "30", "--test-count", "20"}, 2, {"not --standard-deviation"}},
    ModeCase{"design_option", kThree, {"--slump", "50"}, 2, {"not --slump"}},
    ModeCase{"report", kThree, {"--report", "r.pdf"}, 2, {"not --report"}},
    ModeCase{"batch", kThree, {"--batch", "b.csv"}, 2, {"--strength-tests"}},
    ModeCase{"mix_file", kThree, {"mix.vdr"}, 2, {"no mix file"}}),
    CaseName());
// clang-format on

}  // namespace
}  // namespace veldora
