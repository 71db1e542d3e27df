#pragma once

#include "tests/support/recordingprompter.h"
#include "workspace/workspace.h"

#include <sstream>
#include <stdexcept>
#include <string>

namespace veldora::testing_support {

// Gives a workspace the commands of a script, words separated by blanks, as a user gives them
// (playWord gives one, its text taken whole):
//   run  exit  close  new  save  save-as  open   main window (close: by the window manager; New
//                                            and exit answered as the prompter
//                                            answers; the file dialogs take its choices)
//   TextN=T  TrialN=T                        types T into a main-window or trial-batch box (N as
//                                            in TextN; "_" stands for a blank)
//   trial  trial-ok  trial-cancel  adjust    the trial-batch window and Command6
//   conditions  ok  cancel  default          the conditions window and its buttons
//   DialogX  optionK  dialog-ok  dialog-cancel  an option dialog (opened from its row or menu)
//   choose:DialogX=K                         the command line's way to set a condition
//   report  report-ok  report-cancel  preview-close  ReportN=T  batch-by-weight  batch-by-volume
//   strength  StrengthN=T  strength-ok  strength-cancel   the report dialog, the required-strength
//                                            window
//   sieves  Fine4.75=T  Coarsepan=T  Fineoriginal=T  size:57  fine-open  fine-save  coarse-open
//   coarse-save  sieve-use  sieve-close      the sieve analysis window: T typed into a cell (the
//                                            sieve's opening in mm, pan or original) and the
//                                            cell left; the size number chosen
//   tests  tests-close  tests-fc=T  tests-cell:R:C=T  tests-add  tests-remove:R  tests-open
//   tests-save  tests-fill                   the strength-tests window (R a row from 0, C a column:
//                                            0 date, 1 label, 2 to 4 the cylinders)
inline void playWord(Workspace& ws, const std::string& word) {
  {
    const size_t equals = word.find('=');
    std::string text = equals == std::string::npos ? "" : word.substr(equals + 1);
    for (char& c : text) c = c == '_' ? ' ' : c;
    const auto dialogNamed = [](const std::string& name) {
      for (OptionDialog d : kOptionDialogs) {
        if (name == optionDialogInfo(d).objectName) return d;
      }
      throw std::invalid_argument("no dialog " + name);
    };
    if (word == "run")
      ws.design().run();
    else if (word == "exit")
      ws.windows().confirmExit();
    else if (word == "close")
      ws.windows().closeMainWindow();
    else if (word == "new")
      ws.files().newDesign();
    else if (word == "save")
      ws.files().save();
    else if (word == "save-as")
      ws.files().saveAs();
    else if (word == "open")
      ws.files().open();
    else if (word.starts_with("Text"))
      ws.design().setText(Box(std::stoi(word.substr(4))), text);
    else if (word.starts_with("Trial")) {
      ws.trialBatch().setText(TrialBox(std::stoi(word.substr(5))), text);
    } else if (word == "trial")
      ws.trialBatch().open();
    else if (word == "trial-ok")
      ws.trialBatch().ok();
    else if (word == "trial-cancel")
      ws.trialBatch().cancel();
    else if (word == "adjust")
      ws.trialBatch().adjust();
    else if (word == "conditions")
      ws.conditions().openWindow();
    else if (word == "ok")
      ws.conditions().ok();
    else if (word == "cancel")
      ws.conditions().cancel();
    else if (word == "default")
      ws.conditions().restoreDefaults();
    else if (word.starts_with("Dialog"))
      ws.conditions().openDialog(dialogNamed(word));
    else if (word.starts_with("option")) {
      ws.conditions().selectOption(ws.state().holder.dialog, std::stoi(word.substr(6)));
    } else if (word == "dialog-ok")
      ws.conditions().dialogOk(ws.state().holder.dialog);
    else if (word == "dialog-cancel")
      ws.conditions().dialogCancel(ws.state().holder.dialog);
    else if (word.starts_with("choose:")) {
      ws.conditions().choose(dialogNamed(word.substr(7, equals - 7)), std::stoi(text));
    } else if (word == "report")
      ws.report().openDialog();
    else if (word == "report-ok")
      ws.report().ok();
    else if (word == "report-cancel")
      ws.report().cancel();
    else if (word == "preview-close")
      ws.report().closePreview();
    else if (word.starts_with("Report"))
      ws.report().setText(ReportBox(std::stoi(word.substr(6))), text);
    else if (word == "batch-by-weight" || word == "batch-by-volume")
      ws.report().setMethod(word == "batch-by-weight" ? BatchMethod::Weight : BatchMethod::Volume);
    else if (word == "strength")
      ws.strength().openWindow();
    else if (word.starts_with("Strength"))
      ws.strength().setText(StrengthBox(std::stoi(word.substr(8))), text);
    else if (word == "strength-ok")
      ws.strength().ok();
    else if (word == "strength-cancel")
      ws.strength().cancel();
    else if (word == "sieves")
      ws.sieves().openWindow();
    else if (word.starts_with("Fine") || word.starts_with("Coarse")) {
      const bool fine = word.starts_with("Fine");
      const auto table = fine ? AggregateTable::Fine : AggregateTable::Coarse;
      const size_t start = fine ? 4 : 6;
      const std::string name = word.substr(start, equals - start);
      size_t cell = name == "pan" ? kPanCell : kOriginalCell;
      for (size_t i = 0; i < kSieves.size(); ++i) {
        if (millimetreText(micrometres(kSieves[i])) == name) cell = i;
      }
      if (cell == kOriginalCell && name != "original")
        throw std::invalid_argument("no cell " + word);
      ws.sieves().editCell(table, cell, text);
      ws.sieves().leaveCell(table, cell);
    } else if (word.starts_with("size:"))
      ws.sieves().chooseSize(*sizeNumberNamed(word.substr(5)));
    else if (word == "fine-open" || word == "coarse-open")
      ws.sieves().openFile(word[0] == 'f' ? AggregateTable::Fine : AggregateTable::Coarse);
    else if (word == "fine-save" || word == "coarse-save")
      ws.sieves().saveFile(word[0] == 'f' ? AggregateTable::Fine : AggregateTable::Coarse);
    else if (word == "sieve-use")
      ws.sieves().useInDesign();
    else if (word == "sieve-close")
      ws.sieves().close();
    else if (word == "tests")
      ws.strengthTests().openWindow();
    else if (word == "tests-close")
      ws.strengthTests().close();
    else if (word.starts_with("tests-fc="))
      ws.strengthTests().setSpecified(text);
    else if (word.starts_with("tests-cell:")) {
      const size_t colon = word.find(':', 11);
      ws.strengthTests().setCell(std::stoul(word.substr(11)),
                                 TestCell(std::stoi(word.substr(colon + 1))), text);
    } else if (word == "tests-add")
      ws.strengthTests().addRow();
    else if (word.starts_with("tests-remove:"))
      ws.strengthTests().removeRow(std::stoul(word.substr(13)));
    else if (word == "tests-open")
      ws.strengthTests().openFile();
    else if (word == "tests-save")
      ws.strengthTests().saveFile();
    else if (word == "tests-fill")
      ws.strengthTests().fillRequiredStrength();
    else
      throw std::invalid_argument("no command " + word);
  }
}

inline void play(Workspace& ws, const std::string& script) {
  std::istringstream words(script);
  for (std::string word; words >> word;) playWord(ws, word);
}

}  // namespace veldora::testing_support
