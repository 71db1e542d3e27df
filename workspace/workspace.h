#pragma once

#include "engine/adjustment.h"
#include "engine/conditions.h"
#include "engine/mix.h"
#include "files/mixdocument.h"
#include "workspace/optiondialogs.h"
#include "workspace/prompter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace veldora {

// The windows whose boxes can receive the focus after a message.
enum class Window { Form1, Dialog6 };

struct FocusTarget {
  Window window = Window::Form1;
  int box = 1;  // the N of TextN
  friend bool operator==(const FocusTarget&, const FocusTarget&) = default;
};

// "Text3" for a main-window box, "Dialog6.Text2" for a trial-batch box.
std::string focusName(const FocusTarget& target);

// The trial-batch window Dialog6. Boxes are numbered as its controls: Text1 slump, Text2 unit
// weight, Text3 air, Text4 water (shown in the order slump, unit weight, water, air). DEF1..DEF4
// are the last accepted values, 16-bit as the window has always kept them.
struct TrialBatchWindow {
  bool loaded = false;
  bool shown = false;
  std::array<std::string, 4> boxes;
  bool airRowVisible = false;
  bool airBoxEnabled = true;
  std::array<std::int16_t, 4> DEF{};

  const std::string& text(int box) const { return boxes[static_cast<size_t>(box - 1)]; }
  void setText(int box, std::string text) { boxes[static_cast<size_t>(box - 1)] = std::move(text); }
  std::int16_t def(int box) const { return DEF[static_cast<size_t>(box - 1)]; }
};

// The whole program state as plain data, and every command a user can give. The windows render
// it and forward their events here; the command line drives the same methods.
class Workspace {
 public:
  explicit Workspace(Prompter& prompter);

  // Main window boxes Text1..Text12. A box holds one line: a text put into it ends at its first
  // line break, as a pasted text does in a single-line box.
  const std::string& text(Box box) const { return mBoxes[index(box)]; }
  void setText(Box box, std::string_view text) { mBoxes[index(box)] = singleLine(text); }
  static const std::string& initialText(Box box);

  DesignConditions& conditions() { return mConditions; }
  const DesignConditions& conditions() const { return mConditions; }

  // Members as the last run (or adjustment) left them.
  const MixInputs& inputs() const { return mInputs; }
  const ConditionCodes& codes() const { return mCodes; }
  const MixProportions& proportions() const { return mProportions; }
  const AdjustedMembers& adjusted() const { return mAdjusted; }
  bool designComplete() const { return mDesignComplete; }

  const ResultsList& results() const { return mResults; }
  bool resultsVisible() const { return mResultsVisible; }
  const ResultsList& adjustedResults() const { return mAdjustedResults; }
  bool adjustedResultsVisible() const { return mAdjustedVisible; }

  bool mainWindowEnabled() const { return mMainEnabled; }
  bool command3Enabled() const { return mCommand3Enabled; }
  bool command5Enabled() const { return mCommand5Enabled; }
  bool command6Enabled() const { return mCommand6Enabled; }
  bool menViewEnabled() const { return mMenViewEnabled; }
  // "&SELECT CODE" is created unavailable and nothing makes it available.
  bool selectCodeEnabled() const { return mSelectCodeEnabled; }

  // Where the keyboard focus was sent by the last command, until taken.
  std::optional<FocusTarget> takeFocusRequest();
  const std::optional<FocusTarget>& focusRequest() const { return mFocusRequest; }

  const TrialBatchWindow& trialBatch() const { return mTrial; }

  // The main window's title, the current mix file and whether Save may write to it.
  const std::string& title() const { return mTitle; }
  const std::string& filename() const { return mFilename; }
  bool sav() const { return mSav; }

  // The file commands: New, Open, Save and Save As.
  void nw();
  void OP();
  void save();
  void SVEAS();
  // Writes the design to path as Save does, refusing texts a mix file cannot hold; true when
  // written. Messages and focus as Save gives them.
  bool sve(const std::string& path);
  // Reads path and applies it as Open does, all or nothing, running the design at the end when
  // run is set; false (with its message) when nothing exists at path or it is not a mix file.
  bool openFile(const std::string& path, bool run);
  // What Save would write now, or nothing where it would refuse. Like Save, it creates the
  // conditions window and loads the trial-batch window when they do not exist yet.
  std::optional<MixDocument> document();

  // The exit confirmation: on Yes the program ends at once, nothing saved.
  void ed();
  // The main window's frame close box: the program ends at once and nothing is asked.
  void closeMainWindow();
  // Whether a command has ended the program; the windows then close at once.
  bool programEnded() const { return mProgramEnded; }

  // The option dialogs: the selection (the DesignConditions field) by option index.
  int selection(OptionDialog dialog) const;
  static int optionCount(OptionDialog dialog);
  const OptionDialogState& dialogState(OptionDialog dialog) const {
    return mDialogs[index(dialog)];
  }
  // Opens a dialog from its owner (a row button of Form4, SELECT CODE or VIEW); does nothing
  // when the opener is not available.
  void openDialog(OptionDialog dialog);
  // The user clicks an option of an open dialog: at once the current value.
  void selectOption(OptionDialog dialog, int option);
  void dialogOk(OptionDialog dialog);
  void dialogCancel(OptionDialog dialog);
  // Selects an option and applies the dialog's OK to the state (return code, row text, offered
  // rows) without any window opening: the command line's way to set a condition.
  void chooseOption(OptionDialog dialog, int option);

  // The conditions window Form4: Command3 opens it.
  const ConditionsWindowState& conditionsWindow() const { return mForm4; }
  void Command3();
  void conditionsOk();
  void conditionsCancel();
  void conditionsDefault();

  // The design run: the run button, "&RUN" and Open.
  void RN();

  // Trial-batch window: Command5 opens it; its boxes, OK and Cancel.
  void Command5();
  void setTrialText(int box, std::string_view text);
  bool trialBatchOk();  // false when a value was refused and the window stays open
  void trialBatchCancel();
  // Enter and Down (forward) or Up (back) in a main-window box: the ring Text1 .. Text12.
  static Box nextBox(Box box, bool forward);
  // Enter and Down (forward) or Up (back) in a trial-batch box: the box that takes the focus,
  // cyclic over the visible boxes in the order slump, unit weight, water, air.
  int nextTrialBox(int box, bool forward) const;

  // The adjusted proportions from the trial batch.
  void Command6();

 private:
  static size_t index(Box box) { return static_cast<size_t>(box) - 1; }
  static size_t index(OptionDialog dialog) { return static_cast<size_t>(dialog); }
  void ensureConditionsWindow();
  void resetConditionRows();  // the texts and availability the rows have at creation
  void select(OptionDialog dialog, int option);
  void writeRowText(OptionDialog dialog);
  void applyOkEffects(OptionDialog dialog);
  std::optional<Box> firstUnsavableBox() const;
  bool refuseUnsavableBoxes();
  void applyDocument(const MixDocument& document);
  void setTrialBoxesRemembered(const std::array<std::string, 4>& texts);
  void setTitleFromFilename();
  void requestFocus(Window window, int box) { mFocusRequest = FocusTarget{window, box}; }
  void ensureTrialBatchLoaded();

  Prompter& mPrompter;
  std::array<std::string, kBoxCount> mBoxes;
  DesignConditions mConditions;
  MixInputs mInputs;
  ConditionCodes mCodes;
  MixProportions mProportions;
  AdjustedMembers mAdjusted;
  bool mDesignComplete = false;  // the last run went through every step

  ResultsList mResults;
  bool mResultsVisible = true;
  ResultsList mAdjustedResults;
  bool mAdjustedVisible = false;

  bool mMainEnabled = true;
  bool mCommand5Enabled = false;
  bool mCommand6Enabled = false;
  bool mMenViewEnabled = false;
  const bool mSelectCodeEnabled = false;
  bool mProgramEnded = false;
  std::optional<FocusTarget> mFocusRequest;

  TrialBatchWindow mTrial;

  std::array<OptionDialogState, 8> mDialogs;
  ConditionsWindowState mForm4;

  std::string mTitle;
  std::string mFilename;
  std::string mLastChosenName;  // where either file dialog starts
  bool mSav = false;
  bool mCommand3Enabled = true;
};

}  // namespace veldora
