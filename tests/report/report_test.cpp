// The design report as its reader gets it: a PDF read back with poppler's tools (pdfinfo, pdffonts,
// pdftotext), whose text must hold the numbers the plant weighs out.
#include "engine/numbers.h"
#include "engine/texts.h"
#include "presentation/numberforms.h"
#include "report/designreport.h"
#include "report/html.h"
#include "report/reporttexts.h"
#include "tests/support/files.h"
#include "tests/support/names.h"
#include "tests/support/recordingprompter.h"
#include "tests/support/script.h"
#include "workspace/messages.h"
#include "workspace/optiondialogs.h"
#include "workspace/workspace.h"

#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QString>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
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

// A text as it is searched for: with Arabic yeh and kaf for Persian ones (the windows' captions
// have them, the report writes Persian), without zero-width non-joiners (no glyph carries them),
// direction marks between runs, or brackets (mirrored in right-to-left text).
QString searchable(QString text) {
  text.replace(QChar(0x06CC), QChar(0x064A)).replace(QChar(0x06A9), QChar(0x0643));
  for (const char16_t mark : {u'\u200C', u'\u200E', u'\u200F', u'\u202A', u'\u202B', u'\u202C',
                              u'\u202D', u'\u202E', u'\u2066', u'\u2067', u'\u2068', u'\u2069'}) {
    text.remove(QChar(mark));
  }
  return text.remove(u'(').remove(u')').simplified();
}

// The text of the PDF as a reader copies and searches it.
QString pdfText(const string& pdf, const string& pages = "") {
  return QString::fromStdString(output("pdftotext -enc UTF-8" + pages + " '" + pdf + "' -"));
}

QString searchableText(const string& pdf, const string& pages = "") {
  return searchable(pdfText(pdf, pages));
}

// A text of the program's as the report writes it, searchable.
QString asWritten(const char* utf8) {
  return searchable(reporthtml::persian(QString::fromUtf8(utf8))).remove(u'=');
}

// The first sentence of the warning of a quantity of zero or less: pdftotext moves its full stop.
const QString kNotBatchable = asWritten(reporttexts::kNotBatchable).section(u'.', 0, 0);

// Whether text holds the caption, blanks aside (pdftotext puts one where a run of another direction
// begins).
bool holds(const QString& text, const char* caption) {
  return QString(text).remove(u' ').contains(asWritten(caption).remove(u' '));
}

// The text of the pages from first to last.
QString pagesText(const string& pdf, int first, int last) {
  const string range = " -f " + std::to_string(first) + " -l " + std::to_string(last);
  return searchableText(pdf, range);
}

// Whether text holds the number as written, not as part of a longer one.
bool holdsNumber(const QString& text, const QString& number) {
  const QRegularExpression alone("(?<![\\d.,])" + QRegularExpression::escape(number) +
                                 "(?![\\d]|[.,]\\d)");
  return text.contains(alone);
}

// Writes the report of the workspace's last run and checks what every report must be: A4, at
// most four pages, every font embedded, the batching sheet whole on its first page. Returns the
// number of pages.
int writeReport(const Workspace& ws, const ReportSettings& settings, const string& pdf) {
  EXPECT_EQ(writeReportPdf(DesignReport(ws.state(), settings, QDate(2026, 12, 7)), pdf),
            std::nullopt);
  const string info = output("pdfinfo '" + pdf + "'");
  EXPECT_NE(info.find("595 x 842 pts (A4)"), string::npos) << info;
  const int pages = std::stoi(info.substr(info.find("Pages:") + 6));
  EXPECT_GE(pages, 2);
  EXPECT_LE(pages, kReportPages);
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
  const QString sheet = pagesText(pdf, 1, 1);
  EXPECT_TRUE(holds(sheet, reporttexts::kSheetTitle) && holds(sheet, reporttexts::kApprovedBy));
  EXPECT_FALSE(holds(sheet, reporttexts::kInputs));
  EXPECT_TRUE(holds(pagesText(pdf, 2, 2), reporttexts::kTitle));
  return pages;
}

class Report : public testing::Test {
 protected:
  testing_support::RecordingPrompter prompter;
  Workspace ws{prompter};
  TemporaryFolder folder;
  const string pdf = folder.path("report.pdf");

  QString write(const ReportSettings& settings) {
    writeReport(ws, settings, pdf);
    return searchableText(pdf);
  }
};

// The batching sheet of a table of designs, read back from the PDF: the mass ratio, the
// water-cement ratio, the water per bag and to add per bag (from the water to add before it is
// rounded: 178.6 / 266.6 x 50 = 33.5), one batch (in grams up to 0.1 m^3), the pour with tonnes
// from 10 tonnes on, the bags to order rounded up from the exact cement. The numbers were worked
// out by hand from the result lines.
struct SheetCase {
  const char* name;
  const char* script;  // the design, as the user makes it
  BatchMethod method;
  double batchVolume, pourVolume, bagMass;
  const char* ratio;
  const char* waterCementRatio;
  const char* perBag;  // water per bag; water to add per bag, litres
  const char* toAddPerBag;
  std::array<const char*, 4> batch;  // water to add, cement, coarse, sand
  std::array<const char*, 4> pour;   // the same, each with its tonnes where it has them
  const char* bags;
  bool warning;  // a quantity of zero or less
};

class BatchingSheet : public testing::TestWithParam<SheetCase> {};

TEST_P(BatchingSheet, GivesWhatThePlantWeighsOut) {
  const SheetCase& c = GetParam();
  testing_support::RecordingPrompter prompter;
  Workspace ws(prompter);
  testing_support::play(ws, c.script);
  const bool adjusted = ws.state().completedAdjustment.has_value();
  const TemporaryFolder folder;
  writeReport(ws, {"", c.pourVolume, c.bagMass, c.batchVolume, c.method, adjusted},
              folder.path("r.pdf"));
  const QString sheet = pagesText(folder.path("r.pdf"), 1, 1);
  EXPECT_TRUE(sheet.contains(QString::fromUtf8(c.ratio))) << c.ratio;
  for (const char* n : {c.waterCementRatio, c.perBag, c.toAddPerBag, c.bags}) {
    EXPECT_TRUE(holdsNumber(sheet, QString::fromUtf8(n))) << n;
  }
  for (const auto& quantities : {c.batch, c.pour}) {
    for (const char* q : quantities) {
      for (const QString& n : QString::fromUtf8(q).split(u' ')) {
        EXPECT_TRUE(holdsNumber(sheet, n)) << q;
      }
    }
  }
  EXPECT_EQ(holds(sheet, reporttexts::kAdjustedMix), adjusted);
  EXPECT_EQ(holds(sheet, reporttexts::kCheckTheInputs), c.warning);
  const QRegularExpression grams(QString::fromUtf8("(^|\\s)گرم\\s?،"));
  EXPECT_EQ(sheet.contains(grams), c.batchVolume <= 0.1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, BatchingSheet, testing::Values(
    SheetCase{"default_by_volume", "run", BatchMethod::Volume, 1, 1, 50,
              "1 : 2.93 : 4.28", "0.67", "33.5", "33.5",
              {"179", "266.6", "1,147", "787"}, {"179", "266.6", "1,147", "787"}, "6", false},
    SheetCase{"laboratory_batch_by_weight", "run", BatchMethod::Weight, 0.02, 12, 50,
              "1 : 2.92 : 4.28", "0.67", "33.5", "33.5",
              {"3,580", "5,332", "22,940", "15,680"},
              {"2,148", "3,199.2", "13,764 13.76", "9,408"}, "64", false},
    SheetCase{"air_entrained_dam", "choose:Dialog4=1 run", BatchMethod::Volume, 0.5, 100000, 50,
              "1 : 2.85 : 4.14", "0.58", "29.0", "29.0",
              {"80", "137.7", "573.5", "394.5"},
              {"16,000,000 16,000", "27,530,000 27,530", "114,700,000 114,700", "78,900,000 78,900"},
              "550,600", false},
    SheetCase{"air_entrained_adjusted_by_weight",
              "choose:Dialog4=1 run trial Trial1=30 Trial3=7 trial-ok adjust",
              BatchMethod::Weight, 3, 250, 40, "1 : 2.79 : 3.76", "0.58", "23.2", "23.2",
              {"525", "906", "3,426", "2,547"},
              {"43,750 43.75", "75,500 75.5", "285,500 285.5", "212,250 212.25"}, "1,888", false},
    SheetCase{"adjusted_laboratory_batch_of_a_dam", "run trial Trial1=30 trial-ok adjust",
              BatchMethod::Volume, 0.02, 100000, 25, "1 : 2.85 : 4.25", "0.67", "16.8", "16.8",
              {"3,580", "5,340", "22,800", "15,320"},
              {"17,900,000 17,900", "26,700,000 26,700", "114,000,000 114,000",
               "76,600,000 76,600"}, "1,068,000", false},
    // The absolute-volume method's sand brings 190 kg of free water: 178.6 - 131.2 - 190 = -143.
    SheetCase{"very_wet_aggregates", "Text9=12 Text10=25 run", BatchMethod::Volume, 1, 1, 50,
              "1 : 2.93 : 4.28", "0.67", "33.5", "-26.8",
              {"-143", "266.6", "1,278", "978"}, {"-143", "266.6", "1,278", "978"}, "6", true}),
    testing_support::CaseName());
// clang-format on

// Page 1 states what the mix is: its cement and exposure in the program's words, the cylinder, the
// slump with its ASTM C94 tolerance, the air-entraining agent and the air's tolerance, how the
// sand was computed, the batches of the pour, and what no concrete can be.
struct PageOneCase {
  const char* name;
  const char* script;
  double batchVolume, pourVolume;
  std::vector<string> shows;
  std::vector<string> hides;
};

class PageOne : public testing::TestWithParam<PageOneCase> {};

TEST_P(PageOne, StatesTheMix) {
  const PageOneCase& c = GetParam();
  testing_support::RecordingPrompter prompter;
  Workspace ws(prompter);
  testing_support::play(ws, c.script);
  const bool adjusted = ws.state().completedAdjustment.has_value();
  const TemporaryFolder folder;
  writeReport(ws, {"", c.pourVolume, 50, c.batchVolume, BatchMethod::Volume, adjusted},
              folder.path("r.pdf"));
  const QString sheet = pagesText(folder.path("r.pdf"), 1, 1);
  for (const string& text : c.shows) EXPECT_TRUE(holds(sheet, text.c_str())) << text;
  for (const string& text : c.hides) EXPECT_FALSE(holds(sheet, text.c_str())) << text;
  EXPECT_TRUE(holds(sheet, reporttexts::kCylinder));
  EXPECT_TRUE(holds(sheet, reporttexts::kSandByVolumeMethod));
}

string caption(OptionDialog dialog, int option) {
  return string(optionDialogInfo(dialog).captions[size_t(option)]);
}

const string kAgent = reporttexts::kAirEntrainingAgent;
// Without its colon, which pdftotext puts after the numbers that follow it.
const string kLarger = string(reporttexts::kBatchLargerThanPour)
                           .substr(0, std::strlen(reporttexts::kBatchLargerThanPour) - 1);

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, PageOne, testing::Values(
    PageOneCase{"sulfate_resisting_in_seawater", "choose:Dialog2=2 choose:Dialog3=1 run", 1, 1,
                {caption(OptionDialog::Exposure, 2), caption(OptionDialog::Cement, 1),
                 "50 ± 15 mm", reporttexts::kBatchesOfThePour}, {kAgent, kLarger}},
    PageOneCase{"air_entrained", "choose:Dialog4=1 Text1=75 run", 1, 1,
                {caption(OptionDialog::ConcreteType, 1), kAgent, "75 ± 25 mm", "3 ± 1.5 %"}, {}},
    PageOneCase{"slump_over_100", "Text1=150 run", 1, 1, {"150 ± 40 mm"}, {kAgent}},
    PageOneCase{"slump_at_100", "Text1=100 run", 1, 1, {"100 ± 25 mm"}, {}},
    PageOneCase{"laboratory_batch", "run", 0.0125, 1, {"80 پيمانه 0.0125 متر مكعب"}, {"0.013", kLarger}},
    PageOneCase{"pour_of_three_and_a_bit_batches", "run", 3, 10,
                {"4 پيمانه 3 متر مكعب، آخرين پيمانه 1 متر مكعب"}, {kLarger}},
    PageOneCase{"batch_larger_than_the_pour", "run", 3, 0.5, {kLarger, "3 > 0.5"}, {}},
    PageOneCase{"trial_batch_in_the_wrong_unit",
                "run trial Trial1=60 Trial2=2390 Trial3=2.2 Trial4=5.2 trial-ok adjust", 1, 1,
                {reporttexts::kAdjustedMix, "درصد هوا -6.74% است",
                 "سيمان 45 كيلوگرم در متر مكعب است"}, {}}),
    testing_support::CaseName());
// clang-format on

// The warning of a negative water to add also stands under the window's results, and in the step
// where it arises.
TEST_F(Report, ANegativeWaterToAddIsFlaggedWhereItArises) {
  testing_support::play(ws, "Text9=12 Text10=25 run");
  EXPECT_FALSE(ws.state().mainWindow.resultsWarnings.empty());
  const QString text = write({"", 1, 50, 1, BatchMethod::Weight, false});
  EXPECT_TRUE(holdsNumber(text, QStringLiteral("-142")));
  EXPECT_GE(text.count(kNotBatchable), 2);                                 // both methods' steps
  EXPECT_TRUE(holds(pagesText(pdf, 1, 1), reporttexts::kCheckTheInputs));  // the sheet's warning
  testing_support::play(ws, "Text9=0.5 Text10=0.7 run");
  EXPECT_TRUE(ws.state().mainWindow.resultsWarnings.empty());
}

// The chart is of the sheet's mix and says so: with the adjustment, the adjusted masses before the
// moisture correction (the sand of each method) and the absolute volumes of the sheet's method as
// shares of their whole, worked out here from the masses and the relative densities.
TEST_F(Report, TheChartShowsTheAdjustedMix) {
  testing_support::play(ws, "run trial Trial1=30 trial-ok adjust");
  writeReport(ws, {"", 1, 50, 1, BatchMethod::Weight, true}, pdf);
  const QString text = searchableText(pdf);
  EXPECT_TRUE(holds(text, reporttexts::kAdjustedChart));
  const AdjustmentReport& a = ws.state().completedAdjustment->report;
  const BatchMasses& m = a.dryByWeight;
  for (const double mass : {m.water, m.coarseAggregate, m.fineAggregate,
                            a.dryByVolume.fineAggregate, a.byWeight.cement}) {
    EXPECT_TRUE(holdsNumber(text, decimalNumber(mass, 1))) << mass;
  }
  const MixInputs& in = ws.state().completedRun->inputs;  // 3.15, 2.68, 2.64
  const double litres[] = {m.water, a.byWeight.cement / in.cementRelativeDensity, 10 * a.airContent,
                           m.coarseAggregate / in.coarseRelativeDensity,
                           m.fineAggregate / in.fineRelativeDensity};
  double total = 0;
  for (const double l : litres) total += l;
  for (const double l : litres) {
    EXPECT_TRUE(holdsNumber(text, decimalNumber(std::nearbyint(l / total * 1000) / 10, 1) + "%"))
        << l;
  }
}

// The strength basis the required-strength window wrote goes with the run, with f'c, s, n, k and
// f'cr in both units; a strength typed afterwards is reported as entered.
TEST_F(Report, StatesTheStrengthBasis) {
  testing_support::play(ws, "strength Strength1=250 Strength2=30 Strength3=20 strength-ok run");
  QString sheet = write({"", 1, 50, 1, BatchMethod::Volume, false});
  for (const char* shown : {"250 kg/cm² 24.5 MPa", "30 kg/cm² 2.9 MPa", "n = 20", "k = 1.08",
                            "f'cr = f'c + 1.34ks = 28.77 MPa → 294 kg/cm² 28.8 MPa"}) {
    EXPECT_TRUE(sheet.contains(QString::fromUtf8(shown))) << shown;
  }
  testing_support::play(ws, "Text3=294 run");
  sheet = write({"", 1, 50, 1, BatchMethod::Volume, false});
  EXPECT_TRUE(holds(sheet, reporttexts::kAsEntered));
  EXPECT_FALSE(sheet.contains(QStringLiteral("f'cr =")));
}

// The longest a report gets: a project name of the most characters in one word, a mix file deep
// in Persian folders, an adjustment, a plant record of too few tests, warnings; still four pages,
// the sheet on the first, the name whole and the file named by its start and end.
TEST_F(Report, TheLongestSettingsStayWithinFourPages) {
  string folders = folder.path();
  while (folders.size() < 220) folders += "/پوشه طرح های بتن";
  std::filesystem::create_directories(folders);
  testing_support::play(ws,
                        "strength Strength1=200 Strength2=40 Strength3=14 strength-ok "
                        "Text9=12 Text10=25 run trial Trial1=30 trial-ok adjust");
  prompter.choices.push_back(folders + "/طرح نهايي.vdr");
  ws.files().saveAs();
  const string name(kLongestProjectName, '#');
  const QString text = write({name, 99999.999, 1, 0.001, BatchMethod::Volume, true});
  EXPECT_EQ(text.count(u'#'), static_cast<qsizetype>(kLongestProjectName) * 2);
  EXPECT_TRUE(holds(text, "نهايي") && text.contains(QStringLiteral(".vdr")));
  EXPECT_TRUE(text.contains(QString::fromStdString(folder.path().substr(0, 20))));
  // (pdftotext moves the colon.)
  EXPECT_TRUE(text.contains(asWritten(reporttexts::kTooFewTests).section(u':', 1).trimmed()));
}

// For random designs and settings, no number in the report has a bare leading point or more than
// four decimals (the dates, the version and the file names aside, which are not numbers).
TEST(ReportNumbers, AreWrittenAsAnEngineerWritesThem) {
  std::mt19937 random(2027);
  const auto uniform = [&random](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  const QRegularExpression barePoint(QStringLiteral("(?<![\\d])\\.\\d"));
  const QRegularExpression tooManyDecimals(QStringLiteral("\\d\\.\\d{5,}"));
  const TemporaryFolder folder;
  for (int i = 0; i < 12; ++i) {
    testing_support::RecordingPrompter prompter;
    Workspace ws(prompter);
    const double boxes[] = {uniform(25, 175),  uniform(9.5, 75),    uniform(150, 400),
                            uniform(2.4, 3),   uniform(1400, 1800), uniform(3, 3.2),
                            uniform(2.5, 2.8), uniform(2.5, 2.8),   uniform(0, 4),
                            uniform(0, 8),     uniform(0, 2),       uniform(0, 2)};
    // Typed as an engineer types them: the report shows the texts as typed beside the numbers.
    for (int b = 0; b < kBoxCount; ++b) {
      ws.design().setText(Box(b + 1), QString::number(boxes[b], 'f', 3).toStdString());
    }
    ws.conditions().choose(OptionDialog::ConcreteType, int(random() % 2));
    testing_support::play(ws,
                          random() % 2 ? "run trial Trial1=30 Trial3=5 trial-ok adjust" : "run");
    if (!ws.state().completedRun) continue;
    const string pdf = folder.path("r" + std::to_string(i) + ".pdf");
    writeReport(ws,
                {"", uniform(0.001, 100000), uniform(1, 2000), uniform(0.001, 20),
                 random() % 2 ? BatchMethod::Weight : BatchMethod::Volume, true},
                pdf);
    QString text = searchableText(pdf);
    text.remove(QStringLiteral("VELDORA 1.0.0")).remove(QStringLiteral("ACI 211.1-89"));
    EXPECT_FALSE(text.contains(barePoint)) << text.toStdString();
    EXPECT_FALSE(text.contains(tooManyDecimals)) << text.toStdString();
  }
}

// A PDF is suggested under the mix file's name beside it, whole; without a file under the
// project's name in the home folder.
TEST(ReportPdfName, FollowsTheDesign) {
  WorkspaceState state;
  const QString home = QDir::homePath() + "/";
  const struct {
    bool saved;
    const char* file;
    const char* project;
    QString suggested;
  } cases[] = {
      {true, "/p/برج آفتاب.vdr", "", "/p/برج آفتاب.pdf"},
      {true, "/p/Tower ACI 211.1-89.VDR", "x", "/p/Tower ACI 211.1-89.pdf"},
      {false, "/p/old.vdr", "برج/آفتاب\t\tشمالي", home + "برج_آفتاب شمالي.pdf"},
      {false, "", "   ", home + "VELDORA.pdf"},
      // What Windows refuses in a name, or takes for a device.
      {false, "", "C40/50: \"lab\" <a|b>?*", home + "C40_50_ _lab_ _a_b___.pdf"},
      {false, "", "CON", home + "CON_.pdf"},
      {false, "", "com1", home + "com1_.pdf"},
      {false, "", "slab 2. ", home + "slab 2.pdf"},
  };
  for (const auto& c : cases) {
    state.file.filename = c.file;
    state.file.savedUnderFilename = c.saved;
    EXPECT_EQ(suggestedPdfName(state, {c.project}), c.suggested) << c.file << c.project;
  }
}

}  // namespace
}  // namespace veldora

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
