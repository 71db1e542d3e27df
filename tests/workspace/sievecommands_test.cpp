#include "workspace/sievecommands.h"

#include "engine/numbers.h"
#include "tests/support/files.h"
#include "tests/support/names.h"
#include "tests/support/recordingprompter.h"
#include "tests/support/script.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <fstream>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using testing_support::play;

// Masses retained 0, 20, 85, 110, 130, 90, 50 g on 9.5 mm to 150 µm and 15 g in the pan.
constexpr char kSand[] =
    "sieves Fine9.5=0 Fine4.75=20 Fine2.36=85 Fine1.18=110 Fine0.6=130 Fine0.3=90 Fine0.15=50 "
    "Finepan=15";
// A No. 57 gravel of 1000 g: 0, 30, 200, 300, 150, 250, 50 g on 37.5 to 2.36 mm, 20 g in the pan.
constexpr char kGravel[] =
    " Coarse37.5=0 Coarse25=30 Coarse19=200 Coarse12.5=300 Coarse9.5=150 Coarse4.75=250 "
    "Coarse2.36=50 Coarsepan=20";

TEST(SieveWindow, TheSandGivesItsGradingAndItsFinenessModulusGoesIntoTheDesign) {
  testing_support::RecordingPrompter prompter;
  Workspace ws(prompter);
  play(ws, kSand);
  const SieveWindowState& w = ws.state().sieveWindow;
  const std::optional<SieveResults>& r = w.table(AggregateTable::Fine).results;
  ASSERT_TRUE(r);
  EXPECT_EQ(fixedText(*r->finenessModulus.value, 2), "3.21");
  std::string passing;
  for (const SieveRow& row : r->rows) passing += decimalText(row.percentPassing, 0) + " ";
  EXPECT_EQ(passing, "100 96 79 57 31 13 3 ");
  EXPECT_EQ(r->maximumSize, Sieve::Mm9_5);
  EXPECT_EQ(r->nominalMaximumSize, Sieve::Mm4_75);
  ASSERT_TRUE(w.fineCheck);
  EXPECT_TRUE(w.fineCheck->fails());
  for (const LimitCheck& c : w.fineCheck->sieves) {
    EXPECT_EQ(c.outcome == CheckOutcome::Fail, c.limit.sieve == Sieve::Mm2_36);
  }
  EXPECT_EQ(w.fineCheck->finenessModulus, CheckOutcome::Fail);
  play(ws, "sieve-use");
  EXPECT_EQ(ws.state().mainWindow.text(Box::Text4), "3.21");
  EXPECT_EQ(ws.state().mainWindow.text(Box::Text2), "25.4");  // no coarse aggregate
  EXPECT_EQ(ws.state().holder.window, Window::Main);
  EXPECT_TRUE(prompter.shown.empty());
}

// What typing into cells, the size number and the button do to the tables, the design's boxes
// and the focus.
struct SieveCase {
  const char* name;
  std::string script;
  const char* message;  // the one message shown, or nullptr
  const char* cell;     // the fine 4.75 mm cell afterwards
  const char* text2;    // the maximum-size box
  const char* text4;    // the fineness box
  Window holder;
  const char* checkedSize;
};

class SieveWindowTyping : public testing::TestWithParam<SieveCase> {};

TEST_P(SieveWindowTyping, TakesMassesAndRefusesTheRest) {
  const SieveCase& c = GetParam();
  testing_support::RecordingPrompter prompter;
  Workspace ws(prompter);
  play(ws, c.script);
  const WorkspaceState& s = ws.state();
  ASSERT_EQ(prompter.shown.size(), c.message ? 1u : 0u);
  if (c.message) {
    EXPECT_EQ(prompter.shown[0].text, c.message);
  }
  // A refused cell takes the focus; the window opens with it in its first cell.
  const bool refused = c.message && c.message != std::string(messages::kSieveNothingToUse);
  if (s.holder.window == Window::SieveAnalysis) {
    EXPECT_EQ(s.focus.target, (FocusTarget{Window::SieveAnalysis,
                                           sieveCellBox(AggregateTable::Fine, refused ? 8 : 0)}));
  }
  EXPECT_EQ(s.sieveWindow.table(AggregateTable::Fine).cell(8), c.cell);
  EXPECT_EQ(s.mainWindow.text(Box::Text2), c.text2);
  EXPECT_EQ(s.mainWindow.text(Box::Text4), c.text4);
  EXPECT_EQ(s.holder.window, c.holder);
  EXPECT_EQ(coarseGrading(s.sieveWindow.checkedSize()).name, c.checkedSize);
}

const std::string kSandAndGravel = std::string(kSand) + kGravel;
const std::string kWithOriginal = std::string("sieves Fineoriginal=100 Fine0.15=60 ");

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, SieveWindowTyping, testing::Values(
    SieveCase{"both_into_the_design", kSandAndGravel + " sieve-use", nullptr, "20", "25", "3.21", Window::Main, "57"},
    SieveCase{"chosen_size_number",   kSandAndGravel + " size:67", nullptr, "20", "25.4", "2.8", Window::SieveAnalysis, "67"},
    SieveCase{"persian_digits",       "sieves Fine9.5=0 Fine4.75=۲۰٫۵ Fine2.36=0 Fine1.18=0 Fine0.6=0 Fine0.3=0 Fine0.15=٤/5 sieve-use", nullptr, "20.5", "25.4", "5.10", Window::Main, "57"},
    SieveCase{"not_a_number",         "sieves Fine4.75=20 Fine4.75=20g", messages::kSieveMassNotANumber, "20", "25.4", "2.8", Window::SieveAnalysis, "57"},
    SieveCase{"negative",             "sieves Fine4.75=-5", messages::kSieveMassNegative, "", "25.4", "2.8", Window::SieveAnalysis, "57"},
    SieveCase{"gain_over_original",   kWithOriginal + "Fine4.75=50", messages::kSieveGainOverOriginal, "", "25.4", "2.8", Window::SieveAnalysis, "57"},
    SieveCase{"nothing_to_use",       "sieves Fine4.75=0 sieve-use", messages::kSieveNothingToUse, "0", "25.4", "2.8", Window::SieveAnalysis, "57"},
    SieveCase{"closed_unchanged",     std::string(kSand) + " sieve-close", nullptr, "20", "25.4", "2.8", Window::Main, "57"},
    SieveCase{"only_from_main",       "strength sieves Fine4.75=20", nullptr, "", "25.4", "2.8", Window::RequiredStrength, "57"}),
    testing_support::CaseName());
// clang-format on

// A cell holding what is no mass when the button is pressed is refused before anything is used.
TEST(SieveWindow, AButtonFirstRefusesACellBeingTyped) {
  testing_support::RecordingPrompter prompter;
  Workspace ws(prompter);
  play(ws, kSand);
  ws.sieves().editCell(AggregateTable::Fine, 8, "2x");
  EXPECT_EQ(ws.state().sieveWindow.table(AggregateTable::Fine).cell(8), "2x");
  EXPECT_FALSE(ws.sieves().useInDesign());
  EXPECT_EQ(ws.state().sieveWindow.table(AggregateTable::Fine).cell(8), "20");
  EXPECT_EQ(ws.state().mainWindow.text(Box::Text4), "2.8");
  ASSERT_EQ(prompter.shown.size(), 1u);
}

// Saved and opened again, into the other table, whole; a refused file leaves the table as it was.
TEST(SieveWindow, FilesKeepATableWholeOrChangeNothing) {
  testing_support::TemporaryFolder folder;
  testing_support::RecordingPrompter prompter;
  const std::string sand = folder.path("sand.csv"), bad = folder.path("bad.csv");
  std::ofstream(bad) << "sieve_mm,retained_g\n4.75,20\n2.36,-1\n";
  prompter.choices = {sand, sand, bad, folder.path("none/x.csv")};
  Workspace ws(prompter);
  play(ws, std::string(kSand) + " Fineoriginal=501.25 fine-save coarse-open");
  const SieveWindowState& w = ws.state().sieveWindow;
  EXPECT_EQ(w.table(AggregateTable::Coarse).cells, w.table(AggregateTable::Fine).cells);
  EXPECT_EQ(w.table(AggregateTable::Coarse).cell(kOriginalCell), "501.25");
  play(ws, "coarse-open");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.shown[0].text.find("سطر 3: وزن مانده نمي تواند منفي باشد: «-1»"),
            std::string::npos);
  EXPECT_EQ(w.table(AggregateTable::Coarse).cells, w.table(AggregateTable::Fine).cells);
  play(ws, "coarse-save");
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[1].text, messages::sieveFileNotWritten(WriteProblem::FolderMissing));
  play(ws,
       "Coarsepan=_ Coarse4.75=_ Coarse2.36=_ Coarse1.18=_ Coarse0.6=_ Coarse0.3=_ "
       "Coarse0.15=_ Coarse9.5=_ coarse-save");
  EXPECT_EQ(prompter.shown.back().text, messages::kSieveNothingToSave);
}

}  // namespace
}  // namespace veldora
