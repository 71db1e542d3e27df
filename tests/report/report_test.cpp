// The design report as its reader gets it: a PDF read back with poppler's tools (pdfinfo, pdffonts,
// pdftotext), whose text must hold the design's numbers exactly as the result lines show them.
#include "engine/numbers.h"
#include "engine/texts.h"
#include "report/designreport.h"
#include "report/reporttexts.h"
#include "tests/support/files.h"
#include "tests/support/names.h"
#include "tests/support/recordingprompter.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <QGuiApplication>
#include <QString>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;
using testing_support::TemporaryFolder;

// What a command printed on its standard output.
string output(const string& command) {
  string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    pclose(pipe);
  }
  return text;
}

// The text of the PDF as a reader searches it: poppler gives Arabic presentation forms and the
// font's Persian yeh and keheh for the program's Arabic ones, direction marks between runs, and
// brackets mirrored in right-to-left text; brackets are left out on both sides.
QString searchableText(const string& pdf) {
  QString text = QString::fromStdString(output("pdftotext -enc UTF-8 '" + pdf + "' -"))
                     .normalized(QString::NormalizationForm_KC);
  text.replace(QChar(0x06CC), QChar(0x064A)).replace(QChar(0x06A9), QChar(0x0643));
  for (const char16_t mark : {u'\u200E', u'\u200F', u'\u202A', u'\u202B', u'\u202C', u'\u202D',
                              u'\u202E', u'\u2066', u'\u2067', u'\u2068', u'\u2069'}) {
    text.remove(QChar(mark));
  }
  return text.remove(u'(').remove(u')');
}

bool holds(const QString& text, const char* caption) {
  return text.contains(QString::fromUtf8(caption).remove(u'(').remove(u')').remove(u'='));
}

QString number(double x) { return QString::fromStdString(plainText(x)).trimmed(); }

class Report : public testing::Test {
 protected:
  testing_support::RecordingPrompter prompter;
  Workspace ws{prompter};
  TemporaryFolder folder;
  const string pdf = folder.path("report.pdf");

  // Writes the report and checks what every report must be: A4, at most three pages, every font
  // embedded. Returns its searchable text.
  QString write(const ReportSettings& settings) {
    EXPECT_EQ(writeReportPdf(DesignReport(ws.state(), settings, QDate(2026, 12, 7)), pdf),
              std::nullopt);
    const string info = output("pdfinfo '" + pdf + "'");
    EXPECT_NE(info.find("595 x 842 pts (A4)"), string::npos) << info;
    const int pages = std::stoi(info.substr(info.find("Pages:") + 6));
    EXPECT_GE(pages, 1);
    EXPECT_LE(pages, 3);
    const string fonts = output("pdffonts '" + pdf + "'");
    int lines = 0;
    for (size_t at = fonts.find('\n', fonts.find("-----")); at != string::npos;
         at = fonts.find('\n', at + 1)) {
      const string font = fonts.substr(at + 1, fonts.find('\n', at + 1) - at - 1);
      if (font.empty()) continue;
      ++lines;
      EXPECT_NE(font.find(" yes "), string::npos) << "not embedded: " << font;
    }
    EXPECT_GE(lines, 1) << fonts;
    return searchableText(pdf);
  }
};

TEST_F(Report, TheDefaultDesignWithItsPourQuantities) {
  ws.design().run();
  const QString text = write({"برج آفتاب", 12, 50, false});
  const MixProportions& p = ws.state().design.proportions;
  // The numbers of the result lines, the pour quantities of 12 m^3 and the cement in bags.
  for (const double shown :
       {p.mixingWater, p.cementContent, p.coarseAggregateMass, p.fineAggregateMassByWeight,
        p.fineAggregateMassByVolume, p.batchWater, p.batchCoarseAggregateMass,
        p.batchFineAggregateMassByWeight, p.batchFineAggregateMassByVolume, p.unitWeightByWeight,
        p.unitWeightByVolume, p.batchWater * 12, p.cementContent * 12,
        p.batchCoarseAggregateMass * 12, p.batchFineAggregateMassByWeight * 12,
        p.batchFineAggregateMassByVolume * 12, 63.0, 49.2}) {
    EXPECT_TRUE(text.contains(number(shown))) << shown;
  }
  EXPECT_TRUE(text.contains(QString::number(2148))) << "179 kg of water for 12 m^3";
  for (const char* caption :
       {messages::kInputCaptions[1], messages::kInputCaptions[11], reporttexts::kTitle,
        reporttexts::kPerCubicMetre, "برج آفتاب", reporttexts::kUnsaved, "آذر"}) {
    EXPECT_TRUE(holds(text, caption)) << caption;
  }
  EXPECT_FALSE(holds(text, reporttexts::kAdjustment));
}

// An air-entrained design adjusted from a trial batch, whose advice and air contents the report
// names.
TEST_F(Report, AnAdjustedAirEntrainedDesign) {
  ws.conditions().choose(OptionDialog::ConcreteType, 1);
  ws.design().run();
  ws.trialBatch().open();
  ws.trialBatch().setText(TrialBox::Slump, "30");
  ws.trialBatch().setText(TrialBox::Air, "7");
  ASSERT_TRUE(ws.trialBatch().ok());
  ws.trialBatch().adjust();
  const QString text = write({"", 12, 40, true});
  const AdjustedProportions& a = ws.state().adjusted;
  for (const double shown : {a.batchWaterByWeight, a.batchWaterByVolume, a.cementContent,
                             a.batchFineAggregateMassByWeight, a.batchFineAggregateMassByVolume}) {
    EXPECT_TRUE(text.contains(number(shown))) << shown;
  }
  // The pour of the adjusted mix by each method, beside the design's, which is named as such.
  const CompletedAdjustment& adjustment = *ws.state().completedAdjustment;
  for (const BatchMasses& batch : {adjustment.byWeight, adjustment.byVolume}) {
    for (const double perCubicMetre :
         {batch.water, batch.cement, batch.coarseAggregate, batch.fineAggregate}) {
      EXPECT_TRUE(text.contains(number(roundToTenths(perCubicMetre * 12)))) << perCubicMetre;
    }
    const double bags = std::floor(batch.cement * 12 / 40);
    for (const double inBags : {bags, roundToTenths(batch.cement * 12 - bags * 40)}) {
      EXPECT_TRUE(text.contains(number(inBags))) << inBags;
    }
  }
  for (const char* caption :
       {texts::kReduceAdmixture, texts::kAdjustedWaterByVolume, reporttexts::kDesignAir,
        reporttexts::kNoProject, reporttexts::kBeforeAdjustment, reporttexts::kAdjustedPour}) {
    EXPECT_TRUE(holds(text, caption)) << caption;
  }
}

// The longest a report gets: a project name of the most characters in one word, a mix file deep
// in Persian folders, an adjustment; still three pages, the name whole and the file named by its
// start and end.
TEST_F(Report, TheLongestSettingsStayWithinThreePages) {
  string folders = folder.path();
  while (folders.size() < 220) folders += "/پوشه طرح های بتن";
  std::filesystem::create_directories(folders);
  ws.design().run();
  ws.trialBatch().open();
  ws.trialBatch().setText(TrialBox::Slump, "30");
  ASSERT_TRUE(ws.trialBatch().ok());
  ws.trialBatch().adjust();
  prompter.choices.push_back(folders + "/طرح نهايي.vdr");
  ws.files().saveAs();
  const string name(kLongestProjectName, '#');
  const QString text = write({name, 99999.999, 1, true});
  EXPECT_EQ(text.count(u'#'), static_cast<qsizetype>(kLongestProjectName));
  EXPECT_TRUE(holds(text, "نهايي") && text.contains(QStringLiteral(".vdr")));
  EXPECT_TRUE(text.contains(QString::fromStdString(folder.path().substr(0, 20))));
}

// The quantities for the pour are rounded as by hand, halves up, and the bags with their remainder
// add up to the cement shown (266.6 kg/m^3 in the default design).
struct PourCase {
  const char* name;
  double pourVolume;
  const char* cement;
  const char* bags;  // as the bags' cell reads, for 50 kg bags
};

class PourOfTheDefaultDesign : public testing::TestWithParam<PourCase> {};

TEST_P(PourOfTheDefaultDesign, ShowsTheCementAndItsBags) {
  testing_support::RecordingPrompter prompter;
  Workspace ws(prompter);
  ws.design().run();
  TemporaryFolder folder;
  const DesignReport report(ws.state(), {"", GetParam().pourVolume, 50, false}, QDate(2026, 12, 7));
  ASSERT_EQ(writeReportPdf(report, folder.path("r.pdf")), std::nullopt);
  const QString text = searchableText(folder.path("r.pdf")).simplified();
  EXPECT_TRUE(text.contains(QString::fromUtf8(GetParam().cement)));
  EXPECT_TRUE(text.contains(QString::fromUtf8(GetParam().bags))) << GetParam().bags;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, PourOfTheDefaultDesign, testing::Values(
    PourCase{"a_half_goes_up",       0.25,    "66.7",   "1كيسه 50كيلوگرمي و 16.7كيلوگرم"},
    PourCase{"no_remainder_of_a_bag", 15.0036, "4000",   "80كيسه 50كيلوگرمي و 0كيلوگرم"},
    PourCase{"twelve_cubic_metres",  12,      "3199.2", "63كيسه 50كيلوگرمي و 49.2كيلوگرم"}),
    testing_support::CaseName());
// clang-format on

TEST_F(Report, ThatCannotBeWrittenLeavesNothing) {
  ws.design().run();
  const DesignReport report(ws.state(), {"", 1, 50, false}, QDate(2026, 12, 7));
  EXPECT_EQ(writeReportPdf(report, folder.path("no such folder/report.pdf")),
            WriteProblem::FolderMissing);
  testing_support::writeFile(pdf, "an older report");
  EXPECT_EQ(writeReportPdf(report, pdf), std::nullopt);
  EXPECT_EQ(testing_support::readFile(pdf).substr(0, 5), "%PDF-");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace veldora

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
