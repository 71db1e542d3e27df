#pragma once

#include "engine/adjustment.h"
#include "engine/batching.h"
#include "engine/conditions.h"
#include "engine/mix.h"
#include "engine/numbers.h"
#include "engine/sieveanalysis.h"
#include "engine/strength.h"
#include "engine/strengthrecord.h"
#include "engine/trace.h"
#include "files/filestamp.h"
#include "files/mixdocument.h"
#include "workspace/optiondialogs.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The whole program state as plain data. The windows render it and the command line reads it;
// only the commands of the workspace change it.
namespace veldora {

// The windows that can hold the user. Each but the main window is created on its first showing
// and afterwards only hidden and shown again.
enum class Window {
  Main,
  Conditions,
  OptionDialog,
  TrialBatch,
  Report,
  PrintPreview,
  RequiredStrength,
  SieveAnalysis,
  StrengthTests
};

// Who holds the user: the one window that takes input (while that is an option dialog, which
// one), and whether a message or question stands over it. Which of these windows are shown and
// which take input follow from this value alone.
struct Holder {
  Window window = Window::Main;
  OptionDialog dialog = OptionDialog::Workability;
  bool message = false;
  friend bool operator==(const Holder&, const Holder&) = default;
};

// The windows beside the main window that never hold the user and change no design: they open
// from the main window's buttons and stay usable whatever holds the user.
enum class InfoWindow { SlumpGuidance, AggregateGuidance, About };
inline constexpr int kInfoWindows = 3;

struct InfoWindowState {
  bool shown = false;
  unsigned showings = 0;  // each showing, of a window shown already too, brings it to the front
};

// A box that receives the keyboard focus: the N of its TextN, in the main window, the
// trial-batch window or the report dialog.
struct FocusTarget {
  Window window = Window::Main;
  int box = 1;
  friend bool operator==(const FocusTarget&, const FocusTarget&) = default;
};

// "Text3" for a main-window box, "Dialog6.Text2" for a trial-batch box.
std::string focusName(const FocusTarget& target);

// Where a command last sent the focus. Each request has a number of its own, so that the windows
// apply it once without writing anything back.
struct FocusRequest {
  std::optional<FocusTarget> target;
  unsigned number = 0;
};

struct MainWindowState {
  std::array<std::string, kBoxCount> boxes;  // Text1..Text12, one line each
  ResultsList results;                       // the design's lines, RESULTS
  bool resultsVisible = true;
  ResultsList adjustedResults;  // the adjusted proportions, List1, at the same place
  bool adjustedResultsVisible = false;
  // A list holds a mass (a water to add among them) of zero or less: no concrete can be batched
  // by it, which a line under the list says while it is shown.
  // What each list's mix says no concrete can have, one text a warning (the line under the list
  // shows them); empty where nothing does.
  std::vector<std::string> resultsWarnings;
  std::vector<std::string> adjustedResultsWarnings;
  bool conditionsButtonEnabled = true;   // Command3
  bool trialBatchButtonEnabled = false;  // Command5: enabled by every run
  bool adjustButtonEnabled = false;      // Command6: enabled by the trial batch's OK
  bool viewMenuEnabled = false;          // "&VIEW": enabled by an adjustment
  bool selectCodeMenuEnabled = false;    // "&SELECT CODE": nothing ever makes it available
  std::string title;
  bool programEnded = false;  // by the exit question's Yes or the frame's close box

  const std::string& text(Box box) const { return boxes[static_cast<size_t>(box) - 1]; }
};

// The values of the last design run: a stopped run changes the inputs and as much of the rest
// as it reached.
struct DesignValues {
  MixInputs inputs;
  ConditionCodes codes;
  MixProportions proportions;
  bool complete = false;  // the last run went through every step
};

// The trial-batch window's boxes, numbered as its controls TextN (shown top to bottom in the
// order slump, unit weight, water, air).
enum class TrialBox { Slump = 1, UnitWeight, Air, Water };
inline constexpr std::array<TrialBox, 4> kTrialBoxes = {TrialBox::Slump, TrialBox::UnitWeight,
                                                        TrialBox::Air, TrialBox::Water};

// The trial-batch window. The remembered values are the last accepted ones, whole numbers kept in
// 16 bits as the window always has.
struct TrialBatchWindowState {
  bool loaded = false;  // on first use its boxes are filled from the last run
  std::array<std::string, 4> boxes;
  bool airRowVisible = false;
  bool airBoxEnabled = true;
  std::array<std::int16_t, 4> remembered{};
  unsigned acceptances = 0;  // OKs that set the remembered values: the user's own trial values

  const std::string& text(TrialBox box) const { return boxes[index(box)]; }
  std::int16_t rememberedValue(TrialBox box) const { return remembered[index(box)]; }
  static size_t index(TrialBox box) { return static_cast<size_t>(box) - 1; }
};

// An option dialog's own state beside its selection (the DesignConditions field).
struct OptionDialogState {
  std::int16_t returnCode = 0;  // 1 + the option that Cancel goes back to
};

// What the conditions window takes when it opens, for its CANCEL to put back.
struct ConditionsSnapshot {
  std::array<double, kConditionRows> option{};  // the selected option of each row; 0 at creation
  std::array<bool, kConditionRows> offered{};
};

// The conditions window: six rows of a button (offered or not) and a text showing the choice.
// The texts are state of their own: normally the selected option's caption, but not always.
struct ConditionsWindowState {
  bool created = false;
  std::array<std::string, kConditionRows> texts;
  std::array<bool, kConditionRows> offered{};
  ConditionsSnapshot snapshot;
};

// The last design run that went through every step, kept for the design report: what it read and
// what it computed, whatever the boxes and conditions have become since.
struct CompletedRun {
  std::array<std::string, kBoxCount> boxes;
  std::optional<StrengthBasis> strengthBasis;  // none: the strength as entered
  DesignConditions conditions;
  std::array<std::string, kConditionRows> conditionTexts;  // as the conditions window showed them
  MixInputs inputs;
  ConditionCodes codes;
  MixProportions proportions;
  DesignTrace trace;
  ResultsList lines;
};

// An adjustment from a trial batch made after that run.
struct CompletedAdjustment {
  ConcreteType concreteType = ConcreteType::NonAirEntrained;
  AdjustmentReport report;  // the adjusted proportions, masses and lines
};

// The report dialog's boxes, numbered as its controls TextN, and the texts they start with.
enum class ReportBox { ProjectName = 1, PourVolume, BagMass, BatchVolume };
inline constexpr double kDefaultPourVolume = 1;   // m^3
inline constexpr double kDefaultBagMass = 50;     // kg
inline constexpr double kDefaultBatchVolume = 1;  // m^3

// The report's settings as typed in its dialog (or given on the command line).
struct ReportTexts {
  std::string projectName;
  std::string pourVolume = decimalText(kDefaultPourVolume);
  std::string bagMass = decimalText(kDefaultBagMass);
  std::string batchVolume = decimalText(kDefaultBatchVolume);
};

// What the design report is made with; the report shows the last complete run.
struct ReportSettings {
  std::string projectName;
  double pourVolume = kDefaultPourVolume;    // m^3
  double bagMass = kDefaultBagMass;          // kg of cement in a bag
  double batchVolume = kDefaultBatchVolume;  // m^3 of one mixer batch
  BatchMethod method = BatchMethod::Volume;  // how the batching sheet's mix is proportioned
  bool includeAdjustment = false;
};

// The report dialog: its texts as typed, the method of the batching sheet, and whether to include
// the adjusted proportions (offered only when there are some for the last complete run); and the
// settings of the report the print preview shows.
struct ReportDialogState {
  ReportTexts texts;
  BatchMethod method = BatchMethod::Volume;
  bool adjustmentOffered = false;
  bool includeAdjustment = false;
  ReportSettings previewed;
};

// The required-strength window's boxes: the specified strength f'c, and the plant's standard
// deviation and number of tests, which go together (kg/cm^2; a count).
enum class StrengthBox { Specified = 1, StandardDeviation, Tests };

struct StrengthWindowState {
  std::array<std::string, 3> boxes;
  std::array<std::string, 3> opened;   // the boxes as the window opened, for Cancel
  std::optional<double> specified;     // f'c, while its box holds a strength
  std::optional<StrengthBasis> basis;  // what the boxes give, while they give one
  bool outsideDesignRange = false;     // f'cr is one the design's strength check stops at
};

// The sieve analysis window's two tables.
enum class AggregateTable { Fine, Coarse };
inline constexpr std::array<AggregateTable, 2> kAggregateTables = {AggregateTable::Fine,
                                                                   AggregateTable::Coarse};

// A table's cells: the mass retained on each standard sieve (by its place in kSieves), in the
// pan, and the sample's dry mass before sieving; grams as typed.
inline constexpr size_t kPanCell = kSieves.size();
inline constexpr size_t kOriginalCell = kSieves.size() + 1;
inline constexpr size_t kSieveTableCells = kSieves.size() + 2;

// One aggregate's table. A cell shows what is typed into it key by key; what it holds for the
// analysis is its last text that was a mass (or blank), which leaving the cell makes of what it
// shows or puts back.
struct SieveTableState {
  std::array<std::string, kSieveTableCells> cells;
  std::array<std::string, kSieveTableCells> accepted;
  SieveAnalysis analysis;                  // the accepted cells read
  std::optional<SieveResults> results;     // of analysis, recomputed with every cell
  std::optional<AnalysisProblem> problem;  // why there are none

  const std::string& cell(size_t index) const { return cells[index]; }
};

// The sieve analysis window: the fine and the coarse aggregate, their gradings checked against
// ASTM C33, and the size number the coarse one is checked by.
struct SieveWindowState {
  std::array<SieveTableState, 2> tables;
  std::optional<SizeNumber> chosenSize;  // nothing: the first size number suggested
  SizeSuggestion suggestion;             // of the coarse aggregate's results
  std::optional<FineGradingCheck> fineCheck;
  std::optional<CoarseGradingCheck> coarseCheck;  // by the size number checked
  std::string lastChosenName;                     // where its file dialogs start

  const SieveTableState& table(AggregateTable which) const {
    return tables[static_cast<size_t>(which)];
  }
  // The size number the coarse aggregate is checked by.
  SizeNumber checkedSize() const {
    return chosenSize.value_or(suggestion.numbers.empty() ? SizeNumber::No57
                                                          : suggestion.numbers.front());
  }
};

// A sieve table cell as a box of the window for the focus: the fine table's cells 1 to 16, the
// coarse table's 17 to 32.
constexpr int sieveCellBox(AggregateTable table, size_t cell) {
  return 1 + static_cast<int>(static_cast<size_t>(table) * kSieveTableCells + cell);
}

// The strength-tests window (on the OPTION menu): a plant's cylinder tests as rows of
// cell texts, f'c as typed, and what the engine makes of them, recomputed at every edit. A row
// whose cells are all blank is no test; a row begun but not yet a test (one cylinder so far) is
// counted nowhere and named as incomplete. Its focus targets: box 1 is f'c, box 2 + 5 r + c the
// cell of row r and column c (TestCell's order).
inline constexpr int kStrengthTestColumns = 5;
struct StrengthTestsWindowState {
  std::vector<StrengthTestTexts> rows;
  std::string specifiedText;        // f'c as typed, kg/cm^2
  std::optional<double> specified;  // f'c while its box holds one
  // What the rows give.
  std::vector<StrengthTest> tests;     // the rows that are tests, in order
  std::vector<int> testOfRow;          // each row's index in tests, -1 for none
  std::vector<size_t> incompleteRows;  // rows begun but not tests, from 0
  StrengthStatistics statistics;
  RecordQualification record = {std::nullopt, RecordShortfall::FewerThan15, {}};  // of none
  std::vector<size_t> outOfDateOrder;     // indexes in tests
  std::optional<Acceptance> acceptance;   // while f'c is given
  std::optional<StrengthBasis> required;  // f'cr for f'c by the record, while f'c is given
  std::string filename;                   // the CSV file last opened or saved
  bool modified = false;                  // rows changed since then
};

struct FileState {
  std::string filename;             // the current mix file, chosen by Save As or Open
  bool savedUnderFilename = false;  // Save writes to filename without asking
  std::string lastChosenName;       // where either file dialog starts
  // The design as it was last opened, saved or started, by which closing the main window knows
  // whether work would be lost; nothing where Save could not have written it.
  std::optional<MixDocument> savedDesign;
  unsigned savedTrialAcceptances = 0;
  // The current file as this program last read or wrote it; Save asks before replacing a file
  // another program has written since.
  std::optional<FileStamp> stamp;
};

struct WorkspaceState {
  MainWindowState mainWindow;
  DesignConditions conditions;  // the option dialogs' selections
  DesignValues design;
  AdjustedProportions adjusted;  // of the last adjustment; its trial air content is saved
  TrialBatchWindowState trialBatch;
  std::array<OptionDialogState, kOptionDialogs.size()> dialogs;
  ConditionsWindowState conditionsWindow;
  FileState file;
  std::optional<CompletedRun> completedRun;  // none before any run, after a stopped one and New
  std::optional<CompletedAdjustment> completedAdjustment;  // of completedRun only
  ReportDialogState reportDialog;
  StrengthWindowState strengthWindow;
  SieveWindowState sieveWindow;
  StrengthTestsWindowState strengthTests;
  // The basis of the strength box while it holds the text the required-strength window wrote.
  std::optional<StrengthBasis> strengthBasis;
  Holder holder;
  std::array<InfoWindowState, kInfoWindows> infoWindows{};
  FocusRequest focus;

  const OptionDialogState& dialog(OptionDialog which) const {
    return dialogs[static_cast<size_t>(which)];
  }
  // Whether window takes input now: it holds the user and no message stands over it.
  bool holds(Window window) const { return holder.window == window && !holder.message; }
  bool holdsDialog(OptionDialog which) const {
    return holds(Window::OptionDialog) && holder.dialog == which;
  }
  // Whether a window is shown: the one that holds the user, and the conditions window under a
  // dialog of one of its rows. The main window is shown until the program ends.
  bool shows(Window window) const;
  bool showsDialog(OptionDialog which) const {
    return shows(Window::OptionDialog) && holder.dialog == which;
  }
  bool shows(InfoWindow window) const {
    return !mainWindow.programEnded && infoWindows[static_cast<size_t>(window)].shown;
  }
  // "RE&PORT..." is available while there is a completed run to report.
  bool reportAvailable() const { return completedRun.has_value(); }
};

}  // namespace veldora
