#include "workspace/sievecommands.h"

#include "engine/boxtext.h"
#include "engine/numbers.h"
#include "engine/texts.h"
#include "files/sievefile.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

namespace veldora {
namespace {

std::optional<double>& massOf(SieveAnalysis& analysis, size_t cell) {
  if (cell == kPanCell) return analysis.pan;
  if (cell == kOriginalCell) return analysis.originalMass;
  return analysis.retained[cell];
}

// Why a cell's text cannot be the table's, or nothing where it can: it must be blank or wholly a
// mass, and leave the masses no more than the original dry mass.
const char* refusal(const SieveTableState& table, size_t cell, const std::string& text) {
  const MassText mass = readMass(text);
  if (const auto* problem = std::get_if<MassProblem>(&mass)) {
    return *problem == MassProblem::Negative ? messages::kSieveMassNegative
                                             : messages::kSieveMassNotANumber;
  }
  SieveAnalysis analysis = table.analysis;
  massOf(analysis, cell) =
      std::holds_alternative<double>(mass) ? std::optional(std::get<double>(mass)) : std::nullopt;
  const auto analysed = analyseSieves(analysis);
  if (const auto* problem = std::get_if<AnalysisProblem>(&analysed)) {
    if (*problem == AnalysisProblem::GainOverOriginal) return messages::kSieveGainOverOriginal;
    if (*problem == AnalysisProblem::InvalidMass) return messages::kSieveMassNotANumber;
  }
  return nullptr;
}

}  // namespace

void SieveCommands::openWindow() {
  const Command command(*this);
  if (!mState.holds(Window::Main)) return;
  hold(Window::SieveAnalysis);
  requestFocus(Window::SieveAnalysis, sieveCellBox(AggregateTable::Fine, 0));
}

void SieveCommands::editCell(AggregateTable which, size_t cell, std::string_view text) {
  const Command command(*this);
  if (!mState.holds(Window::SieveAnalysis) || cell >= kSieveTableCells) return;
  SieveTableState& t = table(which);
  t.cells[cell] = boxText(text);
  if (refusal(t, cell, t.cells[cell])) return;
  t.accepted[cell] = t.cells[cell];
  analyse(which);
}

bool SieveCommands::leaveCell(AggregateTable which, size_t cell) {
  const Command command(*this);
  if (!mState.holds(Window::SieveAnalysis) || cell >= kSieveTableCells) return false;
  SieveTableState& t = table(which);
  const char* problem = refusal(t, cell, t.cells[cell]);
  if (!problem) return true;
  t.cells[cell] = t.accepted[cell];
  showMessage(texts::kErrorTitle, problem);
  requestFocus(Window::SieveAnalysis, sieveCellBox(which, cell));
  return false;
}

bool SieveCommands::leaveEveryCell() {
  for (const AggregateTable which : kAggregateTables) {
    const SieveTableState& t = table(which);
    for (size_t cell = 0; cell < kSieveTableCells; ++cell) {
      if (t.cells[cell] != t.accepted[cell] && !leaveCell(which, cell)) return false;
    }
  }
  return true;
}

void SieveCommands::analyse(AggregateTable which) {
  SieveTableState& t = table(which);
  for (size_t cell = 0; cell < kSieveTableCells; ++cell) {
    const MassText mass = readMass(t.accepted[cell]);
    massOf(t.analysis, cell) =
        std::holds_alternative<double>(mass) ? std::optional(std::get<double>(mass)) : std::nullopt;
  }
  auto analysed = analyseSieves(t.analysis);
  if (auto* results = std::get_if<SieveResults>(&analysed)) {
    t.results = std::move(*results);
    t.problem.reset();
  } else {
    t.results.reset();
    t.problem = std::get<AnalysisProblem>(analysed);
  }
  check();
}

void SieveCommands::check() {
  SieveWindowState& w = mState.sieveWindow;
  const SieveTableState& fine = w.table(AggregateTable::Fine);
  const SieveTableState& coarse = w.table(AggregateTable::Coarse);
  w.fineCheck = fine.results ? std::optional(checkFineGrading(*fine.results)) : std::nullopt;
  w.suggestion = coarse.results ? suggestSizeNumbers(*coarse.results) : SizeSuggestion{};
  w.coarseCheck = coarse.results
                      ? std::optional(checkCoarseGrading(*coarse.results, w.checkedSize()))
                      : std::nullopt;
}

void SieveCommands::chooseSize(SizeNumber number) {
  const Command command(*this);
  if (!mState.holds(Window::SieveAnalysis)) return;
  mState.sieveWindow.chosenSize = number;
  check();
}

void SieveCommands::openFile(AggregateTable which) {
  const Command command(*this);
  if (!mState.holds(Window::SieveAnalysis)) return;
  SieveWindowState& w = mState.sieveWindow;
  const std::optional<std::string> path =
      chooseFile({false, messages::kSieveFileDialogTitle, messages::kSieveFileDialogFilter,
                  messages::kSieveFileDialogSuffix, w.lastChosenName});
  if (!path) return;
  w.lastChosenName = *path;
  const SieveFileReading read = openSieveFile(*path);
  if (const auto* error = std::get_if<SieveFileError>(&read)) {
    showMessage(texts::kErrorTitle, messages::sieveFileRefused(*error));
    return;
  }
  const SieveAnalysis& analysis = std::get<SieveAnalysis>(read);
  SieveTableState& t = table(which);
  SieveAnalysis reading = analysis;
  for (size_t cell = 0; cell < kSieveTableCells; ++cell) {
    const std::optional<double>& mass = massOf(reading, cell);
    t.cells[cell] = t.accepted[cell] = mass ? massText(*mass) : std::string();
  }
  analyse(which);
}

void SieveCommands::saveFile(AggregateTable which) {
  const Command command(*this);
  if (!mState.holds(Window::SieveAnalysis) || !leaveEveryCell()) return;
  if (!table(which).results) {
    showMessage(texts::kErrorTitle, messages::kSieveNothingToSave);
    return;
  }
  SieveWindowState& w = mState.sieveWindow;
  const std::optional<std::string> path =
      chooseFile({true, messages::kSieveFileDialogTitle, messages::kSieveFileDialogFilter,
                  messages::kSieveFileDialogSuffix, w.lastChosenName});
  if (!path) return;
  w.lastChosenName = *path;
  if (!mState.file.filename.empty() && sameFileAt(*path, mState.file.filename)) {
    showMessage(texts::kErrorTitle, messages::kSieveOverMixFile);
    return;
  }
  if (const auto problem = saveSieveFile(*path, table(which).analysis)) {
    showMessage(texts::kErrorTitle, messages::sieveFileNotWritten(*problem));
  }
}

bool SieveCommands::useInDesign() {
  const Command command(*this);
  if (!mState.holds(Window::SieveAnalysis) || !leaveEveryCell()) return false;
  const SieveWindowState& w = mState.sieveWindow;
  const std::optional<SieveResults>& fine = w.table(AggregateTable::Fine).results;
  const std::optional<SieveResults>& coarse = w.table(AggregateTable::Coarse).results;
  // As an engineer writes them: the modulus to 0.01, the size as its sieve is named.
  std::string modulus, nominal;
  if (fine && fine->finenessModulus.value) modulus = fixedText(*fine->finenessModulus.value, 2);
  if (coarse && coarse->nominalMaximumSize) {
    nominal = millimetreText(micrometres(*coarse->nominalMaximumSize));
  }
  if (modulus.empty() && nominal.empty()) {
    showMessage(texts::kErrorTitle, messages::kSieveNothingToUse);
    return false;
  }
  hold(Window::Main);
  if (!modulus.empty()) mWorkspace.design().setText(Box::Text4, modulus);
  if (!nominal.empty()) mWorkspace.design().setText(Box::Text2, nominal);
  return true;
}

void SieveCommands::close() {
  const Command command(*this);
  if (!mState.holds(Window::SieveAnalysis)) return;
  for (SieveTableState& t : mState.sieveWindow.tables) t.cells = t.accepted;
  hold(Window::Main);
}

}  // namespace veldora
