#include "cliapp.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;

struct Outcome {
  int status;
  string out;
  string err;
};

Outcome runCli(std::vector<string> args) {
  std::ostringstream out, err;
  const int status = cli::run(args, out, err);
  return {status, out.str(), err.str()};
}

int lineCount(const string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

bool contains(const string& text, const string& part) { return text.find(part) != string::npos; }

TEST(Cli, DefaultDesignPrintsTheFifteenLinesByteForByte) {
  std::ifstream golden(VELDORA_TEST_DATA "/default_design.txt", std::ios::binary);
  ASSERT_TRUE(golden);
  const string expected((std::istreambuf_iterator<char>(golden)), {});
  const Outcome o = runCli({});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, expected);
  EXPECT_EQ(lineCount(o.out), 15);
  EXPECT_EQ(o.err, "");
}

TEST(Cli, MethodBsPrintsFourteen) {
  const Outcome o = runCli({"--method", "bs"});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(lineCount(o.out), 14);
  EXPECT_FALSE(contains(o.out, "ACI-89"));
}

struct UsageCase {
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
    UsageCase{{"--colour"},                     "--colour"},
    UsageCase{{"--slump"},                      "--slump"},
    UsageCase{{"--workability", "extreme"},     "low|medium|high"},
    UsageCase{{"--concrete", "air"},            "non-air-entrained|air-entrained"},
    UsageCase{{"--json=yes"},                   "--json"},
    UsageCase{{"a.vdr", "b.vdr"},               "b.vdr"},
    UsageCase{{"--save"},                       "--save"}));
// clang-format on

TEST(Cli, HelpListsTheOptions) {
  const Outcome o = runCli({"--help"});
  EXPECT_EQ(o.status, 0);
  EXPECT_TRUE(contains(o.out, "--trial-unit-weight"));
}

TEST(Cli, EmptyStrengthStopsTheRun) {
  const Outcome o = runCli({"--strength", ""});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(lineCount(o.out), 1);  // the heading stays in the hidden list
  EXPECT_TRUE(contains(o.err, "مقاومت فشاري بتن بايد بين 150تا 400"));
}

TEST(Cli, JsonReportsTheStopWithItsFocus) {
  const Outcome o = runCli({"--json", "--strength=", "--slump", "1E400"});
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(contains(o.out, "\"resultsVisible\":false"));
  EXPECT_TRUE(contains(o.out, "\"focus\":\"Text1\""));
  EXPECT_TRUE(contains(o.out, "\"title\":\"پيغام خطا\""));
  EXPECT_TRUE(contains(o.out, "\"SL\":null"));
  EXPECT_TRUE(contains(o.out, "\"adjusted\":null"));
  EXPECT_TRUE(contains(o.out, "\"codes\":{\"AIR\":0,"));
}

TEST(Cli, JsonRefusalWithoutFocus) {
  const Outcome o = runCli({"--json", "--exposure", "wet-freeze-thaw"});
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(contains(o.out, "\"results\":[]"));
  EXPECT_TRUE(contains(o.out, "\"focus\":null"));
  EXPECT_TRUE(contains(o.out, "\"WOC\":0.67399999999999993"));
  EXPECT_TRUE(contains(o.out, "\"RT\":2"));
}

TEST(Cli, JsonNumbersRoundTrip) {
  const Outcome o = runCli({"--json", "--concrete", "air-entrained"});
  EXPECT_EQ(o.status, 0);
  EXPECT_TRUE(contains(o.out, "\"WATER\":159.69999999999999"));
  EXPECT_TRUE(contains(o.out, "\"WOC\":0.57999999999999996"));
  EXPECT_TRUE(contains(o.out, "\"SIM\":275.30000000000001"));
  EXPECT_TRUE(contains(o.out, "\"AIR\":2"));
}

TEST(Cli, TrialBatchAppendsTheAdjustedList) {
  const Outcome o =
      runCli({"--trial-slump", "30", "--trial-unit-weight=2350", "--trial-water", "180"});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(lineCount(o.out), 15 + 1 + 9);
  EXPECT_TRUE(contains(o.out, "\n\nمقادير اصلاح شده طرح اختلاط پس از ساخت نمونه\n"));
}

TEST(Cli, TrialBatchOutOfRangeIsRefusedAtOk) {
  const Outcome o = runCli({"--json", "--trial-unit-weight", "40000"});
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(contains(o.out, "\"adjusted\":{\"lines\":[],\"stop\":{"));
  EXPECT_TRUE(contains(o.out, "\"focus\":\"Dialog6.Text2\"},\"members\":null}"));
  EXPECT_TRUE(contains(o.err, "خارج از محدوده مجاز"));
}

TEST(Cli, TrialBatchAfterAStoppedRunIsRefused) {
  const Outcome o = runCli({"--json", "--fineness", "9", "--trial-slump", "30"});
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(contains(o.out, "محاسبه اصلاح فقط پس از اجراي كامل طرح اختلاط"));
  EXPECT_TRUE(contains(o.out, "\"members\":null}"));
}

TEST(Cli, TrialBatchMembersAreReported) {
  const Outcome o = runCli({"--json", "--concrete", "air-entrained", "--trial-slump", "30",
                            "--trial-air", "7", "--trial-unit-weight", "2250"});
  EXPECT_EQ(o.status, 0);
  EXPECT_TRUE(contains(o.out, "\"sl1\":30,\"airp1\":7,\"roc1\":2250,"));
  EXPECT_TRUE(contains(o.out, "بايد مقدار مواد مضاف هوازا را كاهش داد"));
  EXPECT_TRUE(contains(o.out, "\"AIRP\":3}},\"document\":["));
}

class CliFiles : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }
  string path(const char* name) const {
    return dir.filePath(QString::fromLatin1(name)).toStdString();
  }
  static string read(const string& file) {
    std::ifstream in(file, std::ios::binary);
    return string((std::istreambuf_iterator<char>(in)), {});
  }
  QTemporaryDir dir;
};

TEST_F(CliFiles, SaveThenOpenWithOptionsAppliedAfterTheFile) {
  const string mix = path("mix.vdr");
  Outcome o = runCli({"--slump", "75", "--concrete", "air-entrained", "--save", mix});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(lineCount(read(mix)), 49);

  o = runCli({mix, "--json", "--strength", "250"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(contains(o.out, "\"SL\":75,"));
  EXPECT_TRUE(contains(o.out, "\"FC\":250,"));
  EXPECT_TRUE(contains(o.out, "\"AIR\":2,"));
  EXPECT_TRUE(contains(o.out, "\"document\":[\"75\",\"25.4\",\"250\","));
}

TEST_F(CliFiles, FailedOpenRunsNothing) {
  const string bad = path("bad.vdr");
  std::ofstream(bad) << "only a line\n";
  const Outcome o = runCli({bad, "--save", path("out.vdr")});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "");
  EXPECT_TRUE(contains(o.err, "اين فايل طرح اختلاط ناقص يا نامعتبر است و باز نشد"));
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path("out.vdr"))));
  EXPECT_EQ(runCli({path("missing.vdr")}).status, 1);
}

TEST_F(CliFiles, UnsavableTextIsRefused) {
  const Outcome o = runCli({"--json", "--slump", "۵۰", "--save", path("x.vdr")});
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(contains(o.out, "\"document\":null"));
  EXPECT_TRUE(contains(o.err, "قابل ذخيره در فايل نيست"));
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path("x.vdr"))));
}

}  // namespace
}  // namespace veldora
