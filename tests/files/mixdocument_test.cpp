#include "files/mixdocument.h"

#include "tests/support/files.h"
#include "tests/support/lines.h"
#include "tests/support/names.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;
using testing_support::CaseName;
using testing_support::joinLines;

string golden() { return testing_support::golden("default_design.vdr"); }

std::vector<string> goldenLines() { return testing_support::splitLines(golden()); }

TEST(MixFile, ReadsAndWritesTheDefaultDesignByteForByte) {
  const std::optional<MixDocument> document = readMixFile(golden());
  ASSERT_TRUE(document);
  EXPECT_EQ(document->boxes[1], "25.4");
  EXPECT_EQ(document->trial[0], " 0");
  EXPECT_EQ(document->rowTexts[1], "شرايط عادي");
  EXPECT_EQ(writeMixFile(*document), golden());
  EXPECT_EQ(mixFileLines(*document)[37], "كارايي متوسط");
}

struct ReadCase {
  const char* name;
  int line;          // 1-based line to replace, 0 for none
  const char* text;  // its new text
  bool readable;
};

class FlagLines : public testing::TestWithParam<ReadCase> {};

TEST_P(FlagLines, AreTrueFalseOrANumber) {
  std::vector<string> lines = goldenLines();
  if (GetParam().line > 0) lines[static_cast<size_t>(GetParam().line - 1)] = GetParam().text;
  const std::optional<MixDocument> document = readMixFile(joinLines(lines));
  ASSERT_EQ(document.has_value(), GetParam().readable) << GetParam().name;
  if (document && GetParam().line == 14) {
    EXPECT_EQ(document->commands[1], string(GetParam().name).find("true") == 0);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, FlagLines, testing::Values(
    ReadCase{"true_lower_case",      14, "true",   true},
    ReadCase{"true_minus_one",       14, "-1",     true},
    ReadCase{"true_fraction",        14, "2.5",    true},
    ReadCase{"false_zero",           14, "0",      true},
    ReadCase{"false_mixed_case",     14, "fAlSe",  true},
    ReadCase{"a_word",               14, "yes",    false},
    ReadCase{"an_empty_flag",        35, "",       false},
    ReadCase{"a_number_and_a_word",  49, "1 x",    false},
    ReadCase{"text_lines_take_any",  1,  "abc",    true}), CaseName());
// clang-format on

TEST(MixFile, ShortEmptyOrLongFiles) {
  std::vector<string> lines = goldenLines();
  EXPECT_FALSE(readMixFile(""));
  EXPECT_FALSE(readMixFile(joinLines(std::vector<string>(lines.begin(), lines.begin() + 20))));
  EXPECT_FALSE(readMixFile(joinLines(std::vector<string>(lines.begin(), lines.begin() + 48))));
  // A last line without its end still counts; lines after the 49th are ignored.
  string unended = golden();
  unended.resize(unended.size() - 2);
  EXPECT_TRUE(readMixFile(unended));
  lines.push_back("anything");
  EXPECT_EQ(readMixFile(joinLines(lines)), readMixFile(golden()));
}

TEST(MixFile, BareLineFeedsAreAccepted) {
  EXPECT_EQ(readMixFile(joinLines(goldenLines(), "\n")), readMixFile(golden()));
}

TEST(MixFile, TextsOutsideTheCodePageCannotBeWritten) {
  EXPECT_TRUE(encodableInMixFile("شرايط عادي 25.4 abc"));
  EXPECT_FALSE(encodableInMixFile("۵۰"));  // Persian digits
  EXPECT_FALSE(encodableInMixFile("ی"));   // Farsi yeh
  MixDocument document = *readMixFile(golden());
  document.boxes[4] = "۱۷۰۰";
  EXPECT_FALSE(writeMixFile(document));
}

// Whatever is read is written back as it was read, so a file the program wrote always opens.
TEST(MixFile, NeverWritesWhatItCouldNotReadBack) {
  MixDocument document = *readMixFile(golden());
  document.boxes[2] = "250\r\n";
  EXPECT_FALSE(writeMixFile(document));
  document.boxes[2] = "250";
  document.rowTexts[0] = "a\nb";
  EXPECT_FALSE(writeMixFile(document));
  document.rowTexts[0] = string(kMixFileSizeLimit, 'x');
  EXPECT_FALSE(writeMixFile(document));
  document.rowTexts[0] = string(kMixFileSizeLimit / 2, 'x');
  EXPECT_TRUE(writeMixFile(document));
}

struct DamagedCase {
  const char* name;
  string bytes;
};

class DamagedFiles : public testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedFiles, AreRefusedWhole) { EXPECT_FALSE(readMixFile(GetParam().bytes)); }

std::vector<string> withLine(int line, const string& text) {
  std::vector<string> lines = goldenLines();
  lines[static_cast<size_t>(line - 1)] = text;
  return lines;
}

// A file of exactly the size limit whose flags are written "1" and "0" and whose lines end in a
// bare line feed: written back with "True", "False" and CR LF it would be over the limit.
string atTheLimitWithShortFlags() {
  std::vector<string> lines = goldenLines();
  for (string& line : lines) {
    if (line == "True" || line == "False") line = line == "True" ? "1" : "0";
  }
  const size_t size = joinLines(lines, "\n").size();
  lines[0] = string(kMixFileSizeLimit - size + lines[0].size(), '5');
  return joinLines(lines, "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedFiles,
    testing::Values(DamagedCase{"utf8_byte_order_mark", "\xEF\xBB\xBF" + golden()},
                    DamagedCase{"over_the_size_limit", golden() + string(kMixFileSizeLimit, 'x')},
                    DamagedCase{"written_back_over_the_limit", atTheLimitWithShortFlags()}),
    CaseName());

TEST(MixFile, ATextEndsAtACarriageReturnInsideItsLine) {
  const std::optional<MixDocument> document = readMixFile(joinLines(withLine(3, "250\r300")));
  ASSERT_TRUE(document);
  EXPECT_EQ(document->boxes[2], "250");
  EXPECT_TRUE(writeMixFile(*document));
}

}  // namespace
}  // namespace veldora
