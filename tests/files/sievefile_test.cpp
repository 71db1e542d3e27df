#include "files/sievefile.h"

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
using testing_support::readFile;
using testing_support::TemporaryFolder;
using testing_support::writeFile;

constexpr char kHeader[] = "sieve_mm,retained_g\n";

SieveAnalysis doneWhenSand(std::optional<double> original) {
  SieveAnalysis a;
  const std::pair<Sieve, double> masses[] = {
      {Sieve::Mm9_5, 0},   {Sieve::Mm4_75, 20}, {Sieve::Mm2_36, 85}, {Sieve::Mm1_18, 110},
      {Sieve::Um600, 130}, {Sieve::Um300, 90},  {Sieve::Um150, 50}};
  for (const auto& [sieve, grams] : masses) a.retainedOn(sieve) = grams;
  a.pan = 15;
  a.originalMass = original;
  return a;
}

// The sand as a spreadsheet or a person may write it: rows in any order, a byte-order mark, CR LF,
// Persian and Arabic-Indic digits, "/" and "٫" as decimal marks, "0.600", quoted cells, blank
// rows and blanks around cells.
TEST(SieveFile, ReadsRowsInAnyOrderAsTyped) {
  const string bytes =
      "\xEF\xBB\xBF Sieve_mm , retained_g\r\n"
      "0.600,130\r\n"
      "\"pan\",\"15\"\r\n"
      "\r\n"
      ",\r\n"
      "۴٫۷۵,۲۰\r\n"
      "9/5, 0 \r\n"
      "1.18,١١٠\r\n"
      "2.36,85\r\n"
      "0.3,90\r\n"
      "original,500\r\n"
      "0.15,50";
  const SieveFileReading read = readSieveFile(bytes);
  ASSERT_TRUE(std::holds_alternative<SieveAnalysis>(read));
  EXPECT_EQ(std::get<SieveAnalysis>(read), doneWhenSand(500));
}

struct BadFile {
  const char* name;
  string bytes;
  SieveFileCause cause;
  long line;
  string text;
};

class BadSieveFiles : public testing::TestWithParam<BadFile> {};

TEST_P(BadSieveFiles, AreRefusedWholeNamingTheLineAndTheCause) {
  const SieveFileReading read = readSieveFile(GetParam().bytes);
  ASSERT_TRUE(std::holds_alternative<SieveFileError>(read));
  const SieveFileError& e = std::get<SieveFileError>(read);
  EXPECT_EQ(e.cause, GetParam().cause);
  EXPECT_EQ(e.line, GetParam().line);
  EXPECT_EQ(e.text, GetParam().text);
}

using C = SieveFileCause;
const string h = kHeader;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, BadSieveFiles, testing::Values(
    BadFile{"empty",              "",                                   C::Header,           1, ""},
    BadFile{"no_header",          "4.75,20\n",                          C::Header,           1, "4.75,20"},
    BadFile{"header_alone",       h,                                    C::NoSieve,          0, ""},
    BadFile{"pan_alone",          h + "pan,15\n",                       C::NoSieve,          0, ""},
    BadFile{"negative_mass",      h + "9.5,0\n4.75,-2\n",               C::NegativeMass,     3, "-2"},
    BadFile{"mass_with_a_unit",   h + "4.75,12g\n",                     C::NotANumber,       2, "12g"},
    BadFile{"comma_decimal_mark", h + "4.75,\"7,5\"\n",                 C::NotANumber,       2, "7,5"},
    BadFile{"mass_blank",         h + "4.75,\n",                        C::NotANumber,       2, ""},
    BadFile{"sieve_twice",        h + "0.6,10\n0.600,5\n",              C::GivenTwice,       3, "0.600"},
    BadFile{"pan_twice",          h + "4.75,1\npan,1\nPAN,2\n",         C::GivenTwice,       4, "PAN"},
    BadFile{"sieve_not_standard", h + "5,10\n",                         C::NotStandardSieve, 2, "5"},
    BadFile{"micrometres",        h + "600,10\n",                       C::NotStandardSieve, 2, "600"},
    BadFile{"three_cells",        h + "4.75,20,1\n",                    C::Cells,            2, "4.75,20,1"},
    BadFile{"quote_inside",       h + "4.75,\"2\"0\n",                  C::Cells,            2, "4.75,\"2\"0"},
    BadFile{"zero_total",         h + "4.75,0\npan,0\n",                C::ZeroTotal,        0, ""},
    BadFile{"total_too_large",    h + "75,1e308\n63,1e308\n",           C::TotalTooLarge,    0, ""},
    BadFile{"gain",               h + "4.75,20\noriginal,30\npan,15\n", C::GainOverOriginal, 3, "30"}),
    testing_support::CaseName());
// clang-format on

// What is written reads back as it was, on disk too, and as an engineer writes the masses.
TEST(SieveFile, WritesWhatItReadsBack) {
  SieveAnalysis sand = doneWhenSand(500.5);
  sand.retainedOn(Sieve::Mm1_18) = 110.1;
  EXPECT_EQ(writeSieveFile(sand),
            "sieve_mm,retained_g\r\n9.5,0\r\n4.75,20\r\n2.36,85\r\n1.18,110.1\r\n0.6,130\r\n"
            "0.3,90\r\n0.15,50\r\npan,15\r\noriginal,500.5\r\n");
  TemporaryFolder folder;
  const string path = folder.path("sand.csv");
  ASSERT_EQ(saveSieveFile(path, sand), std::nullopt);
  const SieveFileReading read = openSieveFile(path);
  ASSERT_TRUE(std::holds_alternative<SieveAnalysis>(read));
  EXPECT_EQ(std::get<SieveAnalysis>(read), sand);
  const SieveFileReading missing = openSieveFile(folder.path("none.csv"));
  ASSERT_TRUE(std::holds_alternative<SieveFileError>(missing));
  EXPECT_EQ(std::get<SieveFileError>(missing).status, FileContents::Status::Missing);
}

#ifndef _WIN32
// A write that reaches a file-size limit fails as on a full disk and leaves the old file.
TEST(SieveFile, ASaveOverAFileSizeLimitKeepsTheOldFile) {
  TemporaryFolder folder;
  const string path = folder.path("sand.csv");
  const string old = "sieve_mm,retained_g\n4.75,1\n";
  writeFile(path, old);
  const pid_t pid = fork();
  if (pid == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{40, 40};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(saveSieveFile(path, doneWhenSand(500)) == WriteProblem::DiskFull ? 0 : 1);
  }
  int status = -1;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(readFile(path), old);
}
#endif

}  // namespace
}  // namespace veldora
