#include "cli/cliapp.h"

#include "cli/batch.h"
#include "cli/json.h"
#include "cli/names.h"
#include "cli/sievemode.h"
#include "cli/strengthtestsmode.h"
#include "engine/batching.h"
#include "engine/boxtext.h"
#include "engine/numbers.h"
#include "files/diskfile.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <cstdio>
#include <functional>
#include <map>
#include <optional>
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
  required average strength (instead of --strength; kg/cm2, the plant's record optional):
    --specified-strength FC [--standard-deviation S --test-count N]
  design report (a PDF of the run, with the adjustment when trial values are given):
    --report OUT.pdf [--project-name T] [--pour-volume M3] [--bag-mass KG]
                     [--batch-volume M3] [--sand-method weight|volume]
                    a name of at most 200 characters, 0.001 to 100000 m3 (1), 1 to 2000 kg (50),
                    0.001 to 20 m3 (1), how the batching sheet's sand is computed (volume)
  many designs, one per CSV row (with only --out, --json and --bom):
    --batch IN.csv|-  [--out OUT.csv] [--bom]   see the README for the columns; --bom
                    writes a UTF-8 byte-order mark before the CSV, as spreadsheets want
  strength tests, no design (kg/cm2; see the README for the CSV):
    --strength-tests IN.csv [--specified-strength FC]   the tests' statistics; with FC, their
                    acceptance by ACI 318 and the f'cr they lead to (exit 1 when one fails)
  sieve analyses (ASTM C136; C33 grading; no design is run; with only --json):
    --sieve-fine SAND.csv  --sieve-coarse GRAVEL.csv [--coarse-size 3|357|4|467|57|6|67|7|8]
                    rows sieve_mm,retained_g (pan,G and original,G optional); the coarse check
                    uses the size number the sample fits (or the nearest) without --coarse-size
  --json    print one JSON object instead of lines (with --batch: one per row, JSON Lines)
  --help    print this text
)";

class UsageError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// What the arguments ask for.
struct Options {
  bool json = false;
  bool help = false;
  bool bom = false;
  std::optional<std::string> file;  // a mix file to open first
  std::optional<std::string> saveTo;
  std::optional<std::string> reportTo;
  ReportTexts report;
  BatchMethod batchMethod = BatchMethod::Volume;
  std::string sandMethodOption;  // the name it was given by, once given
  bool strengthGiven = false;    // --strength
  // The required-strength window's boxes, by --specified-strength and its record.
  std::optional<std::string> specifiedStrength, standardDeviation, testCount;
  std::vector<std::function<void(Workspace&)>> settings;  // boxes and conditions, in order
  std::map<TrialBox, std::string> trialTexts;
  bool reportAsked = false;                  // a report option given: --json shows the sheet
  std::optional<std::string> batch, out;     // --batch IN.csv and its --out OUT.csv
  std::optional<std::string> strengthTests;  // --strength-tests IN.csv
  SieveRequest sieves;                       // --sieve-fine, --sieve-coarse, --coarse-size
  std::vector<std::string> given;            // the options named, in order
};

// One option: its name, whether it takes a value, and what it does with it.
struct Option {
  std::string name;
  bool takesValue;
  std::function<void(Options&, const std::string& value)> apply;
};

// A box's text must be wholly a number once a box holds it (Persian digits and decimal marks
// read as typed), or empty: where the windows read "1OO" as 1, a script's typing slip is refused.
void checkNumber(const std::string& option, const std::string& text) {
  const std::string held = boxText(text);
  if (held.find_first_not_of(" \t") != std::string::npos && !readWholeNumber(held)) {
    throw UsageError(option + " takes a number, not '" + text + "'");
  }
}

Option box(const BoxName& b) {
  const std::string name = "--" + std::string(b.name);
  return {name, true, [name, box = b.box](Options& o, const std::string& text) {
            checkNumber(name, text);
            if (box == Box::Text3) o.strengthGiven = true;
            o.settings.push_back([box, text](Workspace& ws) { ws.design().setText(box, text); });
          }};
}

Option trial(const TrialName& t) {
  const std::string name = "--" + std::string(t.name);
  return {name, true, [name, box = t.box](Options& o, const std::string& text) {
            checkNumber(name, text);
            o.trialTexts[box] = text;
          }};
}

// The way the batching sheet's sand is computed: --sand-method, or --batch-method as scripts
// written before it name it.
Option sandMethod(const std::string& name) {
  return {name, true, [name](Options& o, const std::string& word) {
            if (word != "weight" && word != "volume") {
              throw UsageError(name + " takes weight|volume, not '" + word + "'");
            }
            if (!o.sandMethodOption.empty() && o.sandMethodOption != name) {
              throw UsageError("--sand-method and --batch-method are one option; give it once");
            }
            o.sandMethodOption = name;
            o.batchMethod = word == "weight" ? BatchMethod::Weight : BatchMethod::Volume;
            o.reportAsked = true;
          }};
}

// A condition selected through its dialog's OK, whether or not its row is offered.
Option condition(const ConditionName& c) {
  std::string name = "--" + std::string(c.name);
  return {name, true, [name, c](Options& o, const std::string& word) {
            const std::optional<int> option = c.option(word);
            if (!option) throw UsageError(name + " takes " + c.wordList() + ", not '" + word + "'");
            o.settings.push_back([dialog = c.dialog, option](Workspace& ws) {
              ws.conditions().choose(dialog, *option);
            });
          }};
}

Option text(std::string name, std::optional<std::string> Options::*member) {
  return {name, true, [member](Options& o, const std::string& value) { o.*member = value; }};
}

Option text(std::string name, std::string ReportTexts::*member) {
  return {name, true, [member](Options& o, const std::string& value) {
            o.report.*member = value;
            o.reportAsked = true;
          }};
}

Option sieveFile(std::string name, std::optional<std::string> SieveRequest::*member) {
  return {name, true, [member](Options& o, const std::string& value) { o.sieves.*member = value; }};
}

Option flag(std::string name, bool Options::*member) {
  return {name, false, [member](Options& o, const std::string&) { o.*member = true; }};
}

const std::vector<Option>& options() {
  static const std::vector<Option> kOptions = [] {
    std::vector<Option> all = {flag("--json", &Options::json), flag("--help", &Options::help),
                               flag("--bom", &Options::bom)};
    for (const BoxName& b : kBoxNames) all.push_back(box(b));
    for (const ConditionName& c : kConditionNames) all.push_back(condition(c));
    for (const TrialName& t : kTrialNames) all.push_back(trial(t));
    all.insert(all.end(), {
                              text("--save", &Options::saveTo),
                              {"--report", true,
                               [](Options& o, const std::string& path) {
                                 o.reportTo = path;
                                 o.reportAsked = true;
                               }},
                              text("--project-name", &ReportTexts::projectName),
                              text("--pour-volume", &ReportTexts::pourVolume),
                              text("--bag-mass", &ReportTexts::bagMass),
                              text("--batch-volume", &ReportTexts::batchVolume),
                              sandMethod("--sand-method"),
                              sandMethod("--batch-method"),
                              text("--specified-strength", &Options::specifiedStrength),
                              text("--standard-deviation", &Options::standardDeviation),
                              text("--test-count", &Options::testCount),
                              text("--batch", &Options::batch),
                              text("--out", &Options::out),
                              text("--strength-tests", &Options::strengthTests),
                              sieveFile("--sieve-fine", &SieveRequest::fine),
                              sieveFile("--sieve-coarse", &SieveRequest::coarse),
                              sieveFile("--coarse-size", &SieveRequest::coarseSize),
                          });
    return all;
  }();
  return kOptions;
}

// The report's settings, checked as the report dialog checks them (which reads the boxes with
// Persian digits as ASCII ones).
ReportSettings reportSettings(const Options& options) {
  ReportTexts texts = options.report;
  for (std::string* number : {&texts.pourVolume, &texts.bagMass, &texts.batchVolume}) {
    *number = boxText(*number);
  }
  if (const auto problem = checkReportSettings(texts)) {
    const auto bounds = [](std::string_view name, double low, double high,
                           const std::string& text) {
      std::ostringstream message;
      message << name << " takes a number from " << low << " to " << high << ", not '" << text
              << "'";
      return UsageError(message.str());
    };
    switch (problem->box) {
      case ReportBox::ProjectName:
        throw UsageError("--project-name takes at most " + std::to_string(kLongestProjectName) +
                         " characters");
      case ReportBox::PourVolume:
        throw bounds("--pour-volume", kSmallestPour, kLargestPour, texts.pourVolume);
      case ReportBox::BagMass:
        throw bounds("--bag-mass", kLightestBag, kHeaviestBag, texts.bagMass);
      case ReportBox::BatchVolume:
        throw bounds("--batch-volume", kSmallestBatch, kLargestBatch, texts.batchVolume);
    }
  }
  return reportSettings(texts, options.batchMethod, false);
}

// The basis of --specified-strength, read as the required-strength window reads its boxes.
std::optional<StrengthBasis> strengthBasis(const Options& options) {
  if (!options.specifiedStrength) {
    if (options.standardDeviation || options.testCount) {
      throw UsageError("--standard-deviation and --test-count go with --specified-strength");
    }
    return std::nullopt;
  }
  if (options.strengthGiven) {
    throw UsageError("--specified-strength and --strength both set the strength; give one");
  }
  if (options.standardDeviation.has_value() != options.testCount.has_value()) {
    throw UsageError("--standard-deviation and --test-count go together");
  }
  const auto read = readStrengthBasis({boxText(*options.specifiedStrength),
                                       boxText(options.standardDeviation.value_or("")),
                                       boxText(options.testCount.value_or(""))});
  if (const auto* basis = std::get_if<StrengthBasis>(&read)) return *basis;
  const StrengthBox box = std::get<StrengthProblem>(read).box;
  const std::optional<std::string>* texts[] = {&options.specifiedStrength,
                                               &options.standardDeviation, &options.testCount};
  const size_t i = static_cast<size_t>(box) - 1;
  throw UsageError(
      strengthRefusal(box, "--" + std::string(kStrengthNames[i]), texts[i]->value_or("")));
}

// "--name value" or "--name=value"; any argument that is not an option names the mix file.
Options parseArguments(const std::vector<std::string>& args) {
  Options parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    if (!name.starts_with("--")) {
      if (parsed.file) throw UsageError("only one mix file can be opened, not '" + name + "'");
      parsed.file = name;
      continue;
    }
    std::optional<std::string> value;
    if (const size_t equals = name.find('='); equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    const auto& all = options();
    const auto option =
        std::find_if(all.begin(), all.end(), [&name](const Option& o) { return o.name == name; });
    if (option == all.end()) throw UsageError("unknown option '" + name + "' (see --help)");
    if (!option->takesValue && value) throw UsageError(name + " takes no value");
    if (option->takesValue && !value) {
      if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
      value = args[++i];
    }
    option->apply(parsed, value.value_or(""));
    parsed.given.push_back(name);
  }
  // "-" is the standard input for --batch; as a file to write it would name a file "-".
  for (const auto& [name, path] :
       {std::pair{"--out", &parsed.out}, std::pair{"--report", &parsed.reportTo},
        std::pair{"--save", &parsed.saveTo}}) {
    if (*path == "-") {
      throw UsageError(std::string(name) +
                       " takes a file name, not '-' (write ./- for a file of that name)");
    }
  }
  if (parsed.out && !parsed.batch) throw UsageError("--out goes with --batch");
  if (parsed.bom && !parsed.batch) throw UsageError("--bom goes with --batch");
  if (parsed.batch) {
    for (const std::string& name : parsed.given) {
      if (name != "--batch" && name != "--out" && name != "--json" && name != "--bom") {
        throw UsageError("--batch takes only --out, --json and --bom, not " + name);
      }
    }
    if (parsed.bom && parsed.json) throw UsageError("--bom goes with CSV output, not --json");
    if (parsed.file) throw UsageError("--batch takes no mix file, not '" + *parsed.file + "'");
  }
  if (parsed.strengthTests) {
    for (const std::string& name : parsed.given) {
      if (name != "--strength-tests" && name != "--specified-strength" && name != "--json") {
        throw UsageError("--strength-tests takes only --specified-strength and --json, not " +
                         name);
      }
    }
    if (parsed.file) {
      throw UsageError("--strength-tests takes no mix file, not '" + *parsed.file + "'");
    }
  }
  if (const auto refusal = sieveOptionsRefusal(parsed.given, parsed.file.has_value())) {
    throw UsageError(*refusal);
  }
  return parsed;
}

// A report is never written over the mix file opened or saved.
void checkReportTarget(const Options& options) {
  if (!options.reportTo) return;
  for (const std::optional<std::string>& other : {options.file, options.saveTo}) {
    if (other && sameFileAt(*options.reportTo, *other)) {
      throw UsageError("--report would write over the mix file '" + *other + "'");
    }
  }
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

std::string linesJson(const ResultsList& lines) {
  std::vector<std::string> texts;
  texts.reserve(lines.size());
  for (const ResultLine& line : lines) texts.push_back(lineText(line));
  return json::stringArray(texts);
}

// Where the commands since the focus request numbered before sent the focus, if anywhere.
std::optional<FocusTarget> focusSince(const Workspace& ws, unsigned before) {
  const FocusRequest& focus = ws.state().focus;
  return focus.number != before ? focus.target : std::nullopt;
}

struct AdjustmentOutcome {
  bool asked = false;
  bool done = false;
  std::optional<RecordingPrompter::Message> message;
  std::optional<FocusTarget> focus;
};

// The trial-batch window opened as the program opens it, the given texts typed, OK, then the
// adjustment.
AdjustmentOutcome adjust(Workspace& ws, RecordingPrompter& prompter,
                         const std::map<TrialBox, std::string>& texts) {
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
      {{"lines", linesJson(state.mainWindow.adjustedResults)},
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

std::string massesJson(const BatchMasses& m, std::optional<double> total = std::nullopt) {
  using json::number;
  if (!total) {
    return json::object({{"water", number(m.water)},
                         {"cement", number(m.cement)},
                         {"coarse", number(m.coarseAggregate)},
                         {"fine", number(m.fineAggregate)}});
  }
  return json::object({{"water", number(m.water)},
                       {"cement", number(m.cement)},
                       {"coarse", number(m.coarseAggregate)},
                       {"fine", number(m.fineAggregate)},
                       {"total", number(*total)}});
}

// The batching sheet's quantities, as the report's first page gives them.
std::string sheetJson(const WorkspaceState& state, const ReportSettings& settings) {
  const CompletedRun& run = *state.completedRun;
  const AdjustmentReport* adjustment = settings.includeAdjustment && state.completedAdjustment
                                           ? &state.completedAdjustment->report
                                           : nullptr;
  const SheetMix mix =
      sheetMix(run.inputs, run.proportions, run.trace.moisture, adjustment, settings.method);
  const BatchingSheet sheet =
      batchingSheet(mix, settings.batchVolume, settings.pourVolume, settings.bagMass);
  using json::number;
  std::vector<std::string> warnings;
  std::vector<MixWarningAt> all = notBatchable(mix);
  for (const MixWarningAt& w : implausible(mix.dry, mix.airContent)) all.push_back(w);
  for (const MixWarningAt& w : all) warnings.push_back(messages::mixWarningText(w));
  return json::object(
      {{"mix", json::string(adjustment ? "adjusted" : "design")},
       {"sand_method", json::string(settings.method == BatchMethod::Weight ? "weight" : "volume")},
       {"pour_volume", number(settings.pourVolume)},
       {"batch_volume", number(settings.batchVolume)},
       {"bag_mass", number(settings.bagMass)},
       {"target_slump", number(run.inputs.requiredSlump)},
       {"slump_tolerance", number(slumpTolerance(run.inputs.requiredSlump))},
       {"air_content", number(mix.airContent)},
       {"air_tolerance", run.conditions.concreteType == ConcreteType::AirEntrained
                             ? number(kAirTolerance)
                             : std::string(json::null)},
       {"mass_ratio", json::array({number(1), number(sheet.fineRatio), number(sheet.coarseRatio)})},
       {"water_cement_ratio", number(mix.waterCementRatio)},
       {"water_per_bag", number(sheet.waterPerBag)},
       {"water_to_add_per_bag", number(sheet.waterToAddPerBag)},
       {"per_cubic_metre_dry", massesJson(mix.dry, totalMass(mix.dry))},
       {"per_cubic_metre_batched", massesJson(mix.batched, totalMass(mix.batched))},
       {"batch", massesJson(sheet.batch)},
       {"pour", massesJson(sheet.pour)},
       {"pour_cement", number(sheet.pourCement)},
       {"bags", number(sheet.bags)},
       {"bags_per_batch", number(sheet.bagsPerBatch)},
       {"batches", number(sheet.batches.count)},
       {"last_batch_volume", number(sheet.batches.lastVolume)},
       {"batch_larger_than_pour", json::boolean(sheet.batches.largerThanPour)},
       {"warnings", json::stringArray(warnings)}});
}

// The warnings of the lists: the design's, then the adjustment's, each named so.
std::string warningsJson(const MainWindowState& main, bool adjusted) {
  std::vector<std::string> warnings = main.resultsWarnings;
  if (adjusted) {
    for (const std::string& w : main.adjustedResultsWarnings) {
      warnings.push_back(messages::kAdjustedMixWarning + w);
    }
  }
  return json::stringArray(warnings);
}

// The 49 lines Save would write now, or null where Save would refuse.
std::string documentJson(const Workspace& ws) {
  const std::optional<MixDocument> document = ws.files().document();
  if (!document) return std::string(json::null);
  const auto lines = mixFileLines(*document);
  return json::stringArray(std::vector<std::string>(lines.begin(), lines.end()));
}

}  // namespace

bool asksForReport(const std::vector<std::string>& args) {
  try {
    const Options options = parseArguments(args);
    return options.reportTo && !options.help;
  } catch (const UsageError&) {
    return false;  // said by run
  }
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const ReportWriter& writeReport) {
  RecordingPrompter prompter;
  Workspace ws(prompter);
  Options options;
  ReportSettings report;
  std::optional<double> specifiedStrength;
  try {
    options = parseArguments(args);
    report = reportSettings(options);
    if (const std::optional<StrengthBasis> basis = strengthBasis(options)) {
      specifiedStrength = basis->specified;
      options.settings.push_back([basis](Workspace& w) { w.strength().apply(*basis); });
    }
    checkReportTarget(options);
  } catch (const UsageError& e) {
    err << "veldora-cli: " << e.what() << "\n";
    return 2;
  }
  if (options.help) {
    out << kUsage;
    return 0;
  }
  if (options.strengthTests) {
    return runStrengthTests(*options.strengthTests, specifiedStrength, options.json, out, err);
  }
  if (options.sieves.fine || options.sieves.coarse) {
    options.sieves.json = options.json;
    return runSieves(options.sieves, out, err);
  }
  if (options.batch) {
    if (options.out && !validUtf8(*options.out)) {
      err << "veldora-cli: a file name must be valid UTF-8, not '" << escaped(*options.out)
          << "'\n";
      return 1;
    }
    if (options.out && *options.batch != "-" && sameFileAt(*options.batch, *options.out)) {
      err << "veldora-cli: --out would write over the batch's input '" << *options.batch << "'\n";
      return 2;
    }
    return runBatch({*options.batch, options.out, options.json, options.bom}, out, err);
  }
  if (options.reportTo && !writeReport) {
    err << "veldora-cli: this program writes no report; veldora-cli itself does\n";
    return 2;
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
  for (const auto& setting : options.settings) setting(ws);

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

  const bool designed = !runStop && (!adjustment.asked || adjustment.done);
  report.includeAdjustment = adjustment.asked;
  if (options.json) {
    const std::string stop = runStop ? stopJson(*runStop, runFocus) : std::string(json::null);
    const std::string sheetOrNull = options.reportAsked && designed && ws.state().completedRun
                                        ? sheetJson(ws.state(), report)
                                        : std::string(json::null);
    out << json::object({{"results", linesJson(ws.state().mainWindow.results)},
                         {"resultsVisible", json::boolean(resultsVisible)},
                         {"stop", stop},
                         {"inputs", inputsJson(ws.state().design.inputs)},
                         {"codes", codesJson(ws.state().design.codes)},
                         {"proportions", proportionsJson(ws.state().design.proportions)},
                         {"adjusted", adjustedJson(ws.state(), adjustment)},
                         {"document", documentJson(ws)},
                         {"warnings", warningsJson(ws.state().mainWindow, adjustment.done)},
                         {"required_strength", strengthBasisJson(ws.state().strengthBasis)},
                         {"sheet", sheetOrNull}})
        << "\n";
  } else {
    for (const ResultLine& line : ws.state().mainWindow.results) out << lineText(line) << "\n";
    if (adjustment.done) {
      out << "\n";
      for (const ResultLine& line : ws.state().mainWindow.adjustedResults) {
        out << lineText(line) << "\n";
      }
    }
  }
  if (runStop) err << runStop->text << "\n";
  if (adjustment.message) err << adjustment.message->text << "\n";
  if (saveFailure) err << saveFailure->text << "\n";

  bool reportFailed = false;
  if (options.reportTo && designed) {
    if (const auto problem = writeReport(ws.state(), report, *options.reportTo)) {
      err << messages::reportNotWritten(*problem) << "\n";
      reportFailed = true;
    }
  }
  return designed && !saveFailure && !reportFailed ? 0 : 1;
}

}  // namespace veldora::cli
