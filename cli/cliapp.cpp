#include "cli/cliapp.h"

#include "cli/json.h"
#include "engine/boxtext.h"
#include "files/diskfile.h"
#include "report/designreport.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <QDate>
#include <QGuiApplication>
#include <QStringDecoder>

#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace veldora::cli {
namespace {

constexpr char kUsage[] = R"(usage: veldora-cli [FILE.vdr] [options]
Designs a normal-weight concrete mix by ACI 211.1-89 and prints the result lines.

  box texts, read exactly as the main window's boxes are read (an empty string is allowed):
    --slump T --max-size T --strength T --fineness T --rodded-density T --cement-density T
    --coarse-density T --fine-density T --coarse-moisture T --fine-moisture T
    --coarse-absorption T --fine-absorption T
  conditions:
    --workability low|medium|high        --environment normal|moderate|severe
    --exposure normal|wet-freeze-thaw|seawater-sulfate
    --cement ordinary|sulfate-resisting  --concrete non-air-entrained|air-entrained
    --section thin|ordinary              --method aci89|bs
  trial batch (any of these also computes the adjusted proportions after the run):
    --trial-slump T --trial-unit-weight T --trial-air T --trial-water T
  mix files:
    FILE.vdr        open FILE first (as Open does, without its design run)
    --save OUT.vdr  after the run and any adjustment, write what Save would write
  design report (a PDF of the run, with the adjustment when trial values are given):
    --report OUT.pdf [--project-name T] [--pour-volume M3] [--bag-mass KG]
                    a name of at most 200 characters, 0.001 to 100000 m3 (1), 1 to 2000 kg (50)
  --json    print one JSON object instead of lines
  --help    print this text
)";

// clang-format off
const std::map<std::string_view, Box> kBoxOptions = {
    {"--slump", Box::Text1},            {"--max-size", Box::Text2},
    {"--strength", Box::Text3},         {"--fineness", Box::Text4},
    {"--rodded-density", Box::Text5},   {"--cement-density", Box::Text6},
    {"--coarse-density", Box::Text7},   {"--fine-density", Box::Text8},
    {"--coarse-moisture", Box::Text9},  {"--fine-moisture", Box::Text10},
    {"--coarse-absorption", Box::Text11}, {"--fine-absorption", Box::Text12},
};
const std::map<std::string_view, int> kTrialOptions = {
    {"--trial-slump", 1}, {"--trial-unit-weight", 2}, {"--trial-air", 3}, {"--trial-water", 4},
};
// clang-format on

class UsageError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The condition options: each names a dialog and its options' words in option order.
struct ConditionOption {
  std::string_view option;
  OptionDialog dialog;
  std::vector<std::string_view> words;
};

const std::vector<ConditionOption> kConditionOptions = {
    {"--workability", OptionDialog::Workability, {"low", "medium", "high"}},
    {"--environment", OptionDialog::Environment, {"normal", "moderate", "severe"}},
    {"--exposure", OptionDialog::Exposure, {"normal", "wet-freeze-thaw", "seawater-sulfate"}},
    {"--cement", OptionDialog::Cement, {"ordinary", "sulfate-resisting"}},
    {"--concrete", OptionDialog::ConcreteType, {"non-air-entrained", "air-entrained"}},
    {"--section", OptionDialog::Section, {"thin", "ordinary"}},
    {"--method", OptionDialog::DesignMethod, {"aci89", "bs"}},
};

const ConditionOption* conditionOption(std::string_view option) {
  for (const ConditionOption& c : kConditionOptions) {
    if (c.option == option) return &c;
  }
  return nullptr;
}

int optionIndex(const ConditionOption& c, std::string_view word) {
  for (size_t i = 0; i < c.words.size(); ++i) {
    if (c.words[i] == word) return static_cast<int>(i);
  }
  return -1;
}

// Selects the named option through the dialog's OK, whether or not its row is offered.
void applyCondition(Workspace& ws, const ConditionOption& c, std::string_view word) {
  ws.conditions().choose(c.dialog, optionIndex(c, word));
}

void checkWord(const ConditionOption& c, std::string_view word) {
  if (optionIndex(c, word) >= 0) return;
  std::string allowed;
  for (size_t i = 0; i < c.words.size(); ++i) allowed += (i ? "|" : "") + std::string(c.words[i]);
  throw UsageError(std::string(c.option) + " takes " + allowed + ", not '" + std::string(word) +
                   "'");
}

struct Options {
  bool json = false;
  bool help = false;
  std::optional<std::string> file;  // a mix file to open first
  std::optional<std::string> saveTo;
  std::optional<std::string> reportTo;
  ReportSettings report;
  std::vector<std::pair<std::string, std::string>> settings;  // box and condition options in order
  std::map<int, std::string> trialTexts;
};

const std::set<std::string_view> kReportOptions = {"--report", "--project-name", "--pour-volume",
                                                   "--bag-mass"};

// The report's settings, checked as the report dialog checks them.
void readReportSettings(std::map<std::string, std::string> texts, ReportSettings& settings) {
  // Read as the report dialog's boxes keep them: Persian digits as ASCII ones.
  const std::string pour = boxText(texts.contains("--pour-volume") ? texts["--pour-volume"] : "1");
  const std::string bag = boxText(texts.contains("--bag-mass") ? texts["--bag-mass"] : "50");
  if (const auto problem = checkReportSettings(settings.projectName, pour, bag)) {
    const auto bounds = [](double low, double high) {
      std::ostringstream text;
      text << low << " to " << high;
      return text.str();
    };
    switch (problem->box) {
      case 1:
        throw UsageError("--project-name takes at most " + std::to_string(kLongestProjectName) +
                         " characters");
      case 2:
        throw UsageError("--pour-volume takes a number from " +
                         bounds(kSmallestPour, kLargestPour) + ", not '" + pour + "'");
      default:
        throw UsageError("--bag-mass takes a number from " + bounds(kLightestBag, kHeaviestBag) +
                         ", not '" + bag + "'");
    }
  }
  settings.pourVolume = *readReportNumber(pour);
  settings.bagMass = *readReportNumber(bag);
}

Options parseArguments(const std::vector<std::string>& args) {
  Options options;
  std::map<std::string, std::string> reportTexts;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string option = args[i];
    if (option.rfind("--", 0) != 0) {
      if (options.file) throw UsageError("only one mix file can be opened, not '" + option + "'");
      options.file = option;
      continue;
    }
    std::optional<std::string> value;
    if (const size_t eq = option.find('='); option.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = option.substr(eq + 1);
      option.resize(eq);
    }
    if (option == "--json" || option == "--help") {
      if (value) throw UsageError(option + " takes no value");
      (option == "--json" ? options.json : options.help) = true;
      continue;
    }
    const bool known = kBoxOptions.contains(option) || kTrialOptions.contains(option) ||
                       conditionOption(option) != nullptr || option == "--save" ||
                       kReportOptions.contains(option);
    if (!known) throw UsageError("unknown option '" + option + "' (see --help)");
    if (!value) {
      if (i + 1 >= args.size()) throw UsageError(option + " needs a value");
      value = args[++i];
    }
    if (option == "--save") {
      options.saveTo = *value;
    } else if (option == "--report") {
      options.reportTo = *value;
    } else if (option == "--project-name") {
      options.report.projectName = *value;
    } else if (option == "--pour-volume" || option == "--bag-mass") {
      reportTexts[option] = *value;
    } else if (auto trial = kTrialOptions.find(option); trial != kTrialOptions.end()) {
      options.trialTexts[trial->second] = *value;
    } else {
      if (const ConditionOption* c = conditionOption(option)) checkWord(*c, *value);
      options.settings.emplace_back(option, *value);
    }
  }
  readReportSettings(reportTexts, options.report);
  if (options.reportTo) {
    for (const std::optional<std::string>& other : {options.file, options.saveTo}) {
      if (other && sameFileAt(*options.reportTo, *other)) {
        throw UsageError("--report would write over the mix file '" + *other + "'");
      }
    }
  }
  return options;
}

void applySettings(Workspace& ws, const Options& options) {
  for (const auto& [option, value] : options.settings) {
    if (auto box = kBoxOptions.find(option); box != kBoxOptions.end()) {
      ws.design().setText(box->second, value);
    } else {
      applyCondition(ws, *conditionOption(option), value);
    }
  }
}

// A file name is taken as UTF-8; any other bytes would name a different file once converted.
bool validUtf8(const std::string& text) {
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString decoded =
      decoder.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  return !decoder.hasError();
}

// The name with every byte outside printable ASCII written as \xNN, fit for one line.
std::string escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f) {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    }
  }
  return out;
}

// The report needs fonts and a painter, so a Qt application, on the offscreen platform: the command
// line needs no display. Made once, when the first report is written.
std::optional<WriteProblem> writeReport(const WorkspaceState& state, const ReportSettings& settings,
                                        const std::string& path) {
  if (!QGuiApplication::instance()) {
    static int argc = 1;
    static char name[] = "veldora-cli";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the platform are not the command line's output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
      if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs(qPrintable(message + "\n"), stderr);
    });
    static QGuiApplication application(argc, argv);
  }
  return writeReportPdf(DesignReport(state, settings, QDate::currentDate()), path);
}

// Records the messages the workspace shows; the command line has nobody to ask.
class RecordingPrompter : public Prompter {
 public:
  struct Message {
    std::string title, text;
  };
  void showMessage(const std::string& title, const std::string& text) override {
    messages.push_back({title, text});
  }
  bool askYesNo(const std::string&, const std::string&) override { return false; }
  std::optional<std::string> chooseFile(const FileDialogRequest&) override { return std::nullopt; }
  std::vector<Message> messages;
};

std::string stopJson(const RecordingPrompter::Message& message,
                     const std::optional<FocusTarget>& focus) {
  return json::object(
      {{"title", json::string(message.title)},
       {"message", json::string(message.text)},
       {"focus", focus ? json::string(focusName(*focus)) : std::string(json::null)}});
}

struct AdjustmentOutcome {
  bool asked = false;
  bool done = false;
  std::optional<RecordingPrompter::Message> message;
  std::optional<FocusTarget> focus;
};

// Where the commands since the focus request numbered before sent the focus, if anywhere.
std::optional<FocusTarget> focusSince(const Workspace& ws, unsigned before) {
  const FocusRequest& focus = ws.state().focus;
  return focus.number != before ? focus.target : std::nullopt;
}

AdjustmentOutcome adjust(Workspace& ws, RecordingPrompter& prompter,
                         const std::map<int, std::string>& texts) {
  AdjustmentOutcome outcome;
  outcome.asked = true;
  const size_t before = prompter.messages.size();
  ws.trialBatch().open();
  const unsigned focusBefore = ws.state().focus.number;
  for (const auto& [box, text] : texts) ws.trialBatch().setText(box, text);
  if (ws.trialBatch().ok()) ws.trialBatch().adjust();
  if (prompter.messages.size() > before) {
    outcome.message = prompter.messages.back();
    outcome.focus = focusSince(ws, focusBefore);
  } else {
    outcome.done = true;
  }
  return outcome;
}

std::string inputsJson(const MixInputs& i) {
  using json::number;
  return json::object({{"SL", number(i.requiredSlump)},
                       {"D", number(i.maximumAggregateSize)},
                       {"FC", number(i.requiredStrength)},
                       {"MN", number(i.finenessModulus)},
                       {"dgs", number(i.coarseRoddedDensity)},
                       {"gc", number(i.cementRelativeDensity)},
                       {"GS", number(i.coarseRelativeDensity)},
                       {"GG", number(i.fineRelativeDensity)},
                       {"ws", number(i.coarseMoisture)},
                       {"wg", number(i.fineMoisture)},
                       {"wsd", number(i.coarseAbsorption)},
                       {"wgd", number(i.fineAbsorption)}});
}

std::string codesJson(const ConditionCodes& c) {
  using json::number;
  return json::object({{"AIR", number(c.concreteType)},
                       {"MH", number(c.environment)},
                       {"RT", number(c.exposure)},
                       {"CEM", number(c.cement)},
                       {"SEC", number(c.section)},
                       {"WORK", number(c.workability)}});
}

std::string proportionsJson(const MixProportions& p) {
  using json::number;
  return json::object({{"WATER", number(p.mixingWater)},
                       {"AIRP", number(p.airContent)},
                       {"WOC", number(p.waterCementRatio)},
                       {"SIM", number(p.cementContent)},
                       {"wsand", number(p.coarseAggregateMass)},
                       {"wgravel", number(p.fineAggregateMassByWeight)},
                       {"u", number(p.unitWeightByWeight)},
                       {"vwgravel", number(p.fineAggregateMassByVolume)},
                       {"vu", number(p.unitWeightByVolume)},
                       {"ewater", number(p.batchWater)},
                       {"ewsand", number(p.batchCoarseAggregateMass)},
                       {"ewgravel", number(p.batchFineAggregateMassByWeight)},
                       {"evwgravel", number(p.batchFineAggregateMassByVolume)}});
}

std::string adjustedJson(const WorkspaceState& state, const AdjustmentOutcome& outcome) {
  if (!outcome.asked) return std::string(json::null);
  if (!outcome.done) {
    return json::object({{"lines", "[]"},
                         {"stop", stopJson(*outcome.message, outcome.focus)},
                         {"members", std::string(json::null)}});
  }
  const AdjustedProportions& m = state.adjusted;
  using json::number;
  return json::object(
      {{"lines", json::stringArray(state.mainWindow.adjustedResults)},
       {"stop", std::string(json::null)},
       {"members", json::object({{"sl1", number(m.measured.slump)},
                                 {"airp1", number(m.measured.airContent)},
                                 {"roc1", number(m.measured.unitWeight)},
                                 {"water1", number(m.measured.water)},
                                 {"water2", number(m.mixingWater)},
                                 {"sim1", number(m.cementContent)},
                                 {"wsand1", number(m.coarseAggregateMass)},
                                 {"wgravel1", number(m.fineAggregateMassByWeight)},
                                 {"ewater1", number(m.batchWaterByWeight)},
                                 {"ewsand1", number(m.batchCoarseAggregateMass)},
                                 {"ewgravel1", number(m.batchFineAggregateMassByWeight)},
                                 {"evwgravel1", number(m.batchFineAggregateMassByVolume)},
                                 {"evwater1", number(m.batchWaterByVolume)},
                                 {"AIRP", number(state.design.proportions.airContent)}})}});
}

// The 49 lines Save would write now, or null where Save would refuse.
std::string documentJson(Workspace& ws) {
  const std::optional<MixDocument> document = ws.files().document();
  if (!document) return std::string(json::null);
  const auto lines = mixFileLines(*document);
  return json::stringArray(std::vector<std::string>(lines.begin(), lines.end()));
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  RecordingPrompter prompter;
  Workspace ws(prompter);
  Options options;
  try {
    options = parseArguments(args);
  } catch (const UsageError& e) {
    err << "veldora-cli: " << e.what() << "\n";
    return 2;
  }
  if (options.help) {
    out << kUsage;
    return 0;
  }
  if (!validUtf8(options.report.projectName)) {
    err << "veldora-cli: --project-name must be valid UTF-8\n";
    return 2;
  }
  for (const std::optional<std::string>& path : {options.file, options.saveTo, options.reportTo}) {
    if (path && !validUtf8(*path)) {
      err << "veldora-cli: a file name must be valid UTF-8, not '" << escaped(*path) << "'\n";
      return 1;
    }
  }
  // A file is opened as Open does, but without Open's closing run: the options come first.
  if (options.file && !ws.files().open({*options.file, false})) {
    err << prompter.messages.back().text << "\n";
    return 1;
  }
  applySettings(ws, options);

  const unsigned focusBefore = ws.state().focus.number;
  ws.design().run();
  std::optional<RecordingPrompter::Message> runStop;
  if (!prompter.messages.empty()) runStop = prompter.messages.back();
  const std::optional<FocusTarget> runFocus = focusSince(ws, focusBefore);
  // Taken before the adjustment, which hides the list.
  const bool resultsVisible = ws.state().mainWindow.resultsVisible;

  AdjustmentOutcome adjustment;
  if (!options.trialTexts.empty()) adjustment = adjust(ws, prompter, options.trialTexts);

  std::optional<RecordingPrompter::Message> saveFailure;
  if (options.saveTo) {
    const size_t before = prompter.messages.size();
    if (!ws.files().saveTo(*options.saveTo) && prompter.messages.size() > before) {
      saveFailure = prompter.messages.back();
    }
  }

  if (options.json) {
    const std::string stop = runStop ? stopJson(*runStop, runFocus) : std::string(json::null);
    out << json::object({{"results", json::stringArray(ws.state().mainWindow.results)},
                         {"resultsVisible", json::boolean(resultsVisible)},
                         {"stop", stop},
                         {"inputs", inputsJson(ws.state().design.inputs)},
                         {"codes", codesJson(ws.state().design.codes)},
                         {"proportions", proportionsJson(ws.state().design.proportions)},
                         {"adjusted", adjustedJson(ws.state(), adjustment)},
                         {"document", documentJson(ws)}})
        << "\n";
  } else {
    for (const std::string& line : ws.state().mainWindow.results) out << line << "\n";
    if (adjustment.done) {
      out << "\n";
      for (const std::string& line : ws.state().mainWindow.adjustedResults) out << line << "\n";
    }
  }
  if (runStop) err << runStop->text << "\n";
  if (adjustment.message) err << adjustment.message->text << "\n";
  if (saveFailure) err << saveFailure->text << "\n";

  const bool designed = !runStop && (!adjustment.asked || adjustment.done);
  bool reportFailed = false;
  if (options.reportTo && designed) {
    options.report.includeAdjustment = adjustment.asked;
    if (const auto problem = writeReport(ws.state(), options.report, *options.reportTo)) {
      err << messages::reportNotWritten(*problem) << "\n";
      reportFailed = true;
    }
  }
  return designed && !saveFailure && !reportFailed ? 0 : 1;
}

}  // namespace veldora::cli
