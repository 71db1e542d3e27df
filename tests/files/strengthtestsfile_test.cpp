#include "files/strengthtestsfile.h"

#include "tests/support/files.h"
#include "tests/support/names.h"

#include <string>

#include <gtest/gtest.h>
#ifndef _WIN32
#include <csignal>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace veldora {
namespace {

using std::string;
using testing_support::CaseName;
using testing_support::TemporaryFolder;
using Cause = StrengthTestsFileProblem::Cause;

const string kHeader = "date,label,cylinder-1,cylinder-2,cylinder-3\n";

// Files refused whole, each naming its line and its cause.
struct BadFile {
  const char* name;
  string bytes;
  Cause cause;
  long line;
  std::optional<TestCellProblem> cellProblem;
  const char* text;  // the cell, or the detail
};

class BadStrengthTestFiles : public testing::TestWithParam<BadFile> {};

TEST_P(BadStrengthTestFiles, AreRefusedWholeNamingTheLineAndTheCause) {
  const BadFile& c = GetParam();
  TemporaryFolder folder;
  testing_support::writeFile(folder.path("tests.csv"), c.bytes);
  const auto read = openStrengthTestsFile(folder.path("tests.csv"));
  ASSERT_TRUE(std::holds_alternative<StrengthTestsFileProblem>(read));
  const auto& problem = std::get<StrengthTestsFileProblem>(read);
  EXPECT_EQ(problem.cause, c.cause);
  EXPECT_EQ(problem.line, c.line);
  EXPECT_EQ(problem.cell ? std::optional(problem.cell->problem) : std::nullopt, c.cellProblem);
  EXPECT_EQ(c.cause == Cause::Cell ? problem.text : problem.detail, c.text);
}

const string kGood = "1403/09/18,C25,250,260,\n";
using P = TestCellProblem;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, BadStrengthTestFiles, testing::Values(
    BadFile{"empty", "", Cause::NoHeader, 1, {}, ""},
    BadFile{"no_header", kGood + kGood, Cause::WrongHeader, 1, {}, ""},
    BadFile{"strength_not_a_number", kHeader + kGood + "1403/09/19,C25,250,2b0,\n",
            Cause::Cell, 3, P::StrengthNotANumber, "2b0"},
    BadFile{"strength_zero", kHeader + kGood + kGood + "1403/09/19,,250,260,0\n",
            Cause::Cell, 4, P::StrengthNotPositive, "0"},
    BadFile{"strength_negative", kHeader + "1403/09/19,,-250,260,\n",
            Cause::Cell, 2, P::StrengthNotPositive, "-250"},
    BadFile{"one_cylinder_only", kHeader + "1403/09/19,,250,,\n",
            Cause::Cell, 2, P::OneCylinderOnly, ""},
    BadFile{"not_a_date", kHeader + kGood + "1402/12/30,,250,260,\n",
            Cause::Cell, 3, P::DateNotADate, "1402/12/30"},
    // A quoted cell's line break: the next record starts on line 4.
    BadFile{"after_a_line_break_in_a_label",
            kHeader + "1403/09/18,\"C\n25\",250,260,\n2024-02-30,,1,2,\n",
            Cause::Cell, 4, P::DateNotADate, "2024-02-30"},
    BadFile{"four_fields", kHeader + "1403/09/19,,250,260\n", Cause::FieldCount, 2, {}, "4"},
    BadFile{"broken_quote", kHeader + "1403/09/19,\"C25,250,260,\n",
            Cause::NotCsv, 2, {}, "a quoted field that is never closed"},
    BadFile{"windows_1256_label", kHeader + "1403/09/19,\xC8\xCA\xE4,250,260,\n",
            Cause::NotUtf8, 0, {}, ""}),
    CaseName());
// clang-format on

TEST(StrengthTestsFile, ReadsWhatALaboratoryWritesAndWritesItBackAsItReads) {
  const string typed =
      "\xEF\xBB\xBF"
      "Date, Label ,Cylinder-1,cylinder-2,CYLINDER-3\r\n"
      "۱۴۰۳/۰۹/۱۸,\"C25, پي\",۲۵۰٫۵, 260 ,\r\n"
      ",,,,\r\n"  // a spreadsheet's empty row
      "2024-12-09,C30,300/25,310,305.125\r\n";
  const auto read = readStrengthTestsFile(typed);
  ASSERT_TRUE(std::holds_alternative<std::vector<StrengthTest>>(read));
  const auto& tests = std::get<std::vector<StrengthTest>>(read);
  ASSERT_EQ(tests.size(), 2u);
  EXPECT_EQ(tests[0].label, "C25, پي");
  EXPECT_EQ(tests[0].strength(), 255.25);
  EXPECT_EQ(tests[1].cylinderCount, 3);
  const string written = strengthTestsFileBytes(tests);
  EXPECT_EQ(written, kHeader.substr(0, kHeader.size() - 1) + "\r\n" +
                         "1403/09/18,\"C25, پي\",250.5,260,\r\n"
                         "1403/09/19,C30,300.25,310,305.125\r\n");

  TemporaryFolder folder;
  const string path = folder.path("tests.csv");
  testing_support::writeFile(path, "an older file");
  ASSERT_EQ(saveStrengthTestsFile(path, tests), std::nullopt);
  const auto reopened = openStrengthTestsFile(path);
  ASSERT_TRUE(std::holds_alternative<std::vector<StrengthTest>>(reopened));
  EXPECT_EQ(strengthTestsFileBytes(std::get<std::vector<StrengthTest>>(reopened)), written);
  EXPECT_EQ(
      std::get<StrengthTestsFileProblem>(openStrengthTestsFile(folder.path("none.csv"))).status,
      FileContents::Status::Missing);
}

#ifndef _WIN32
// A file size limit stands for a full disk in a child process: the save fails as a full disk's
// does and the file that was there stays as it was.
TEST(StrengthTestsFile, ASaveThatCannotBeCompletedLeavesTheOldFile) {
  TemporaryFolder folder;
  const string path = folder.path("tests.csv");
  const string old = kHeader + kGood;
  testing_support::writeFile(path, old);
  std::vector<StrengthTest> many(
      2000, std::get<StrengthTest>(
                readStrengthTest({"1403/09/18", "a label", {"250.125", "260.5", "270"}})));
  const pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(saveStrengthTestsFile(path, many) == WriteProblem::DiskFull ? 0 : 1);
  }
  int status = -1;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(testing_support::readFile(path), old);
}
#endif

}  // namespace
}  // namespace veldora
