// The conditions window and the option dialogs: sequences of the user's commands against the
// selections, rows offered and row texts they leave.
#include "tests/support/names.h"
#include "tests/support/recordingprompter.h"
#include "tests/support/script.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <array>
#include <string>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;
using testing_support::play;
using Offered = std::array<bool, kConditionRows>;
using Texts = std::array<string, kConditionRows>;

template <typename E>
string cap(E e) {
  return string(caption(e));
}

const Texts kCreationTexts = {
    cap(Workability::Medium),  messages::kNormalConditionsAtCreation, cap(ExposureClass::Normal),
    cap(CementType::Ordinary), messages::kNonAirEntrainedAtCreation,  cap(SectionType::Ordinary)};
const Texts kDefaultCaptions = {cap(Workability::Medium),           cap(EnvironmentClass::Normal),
                                cap(ExposureClass::Normal),         cap(CementType::Ordinary),
                                cap(ConcreteType::NonAirEntrained), cap(SectionType::Ordinary)};
const Offered kOfferedAtStart = {true, false, true, false, true, false};

// The conditions as the rows list them: workability, environment, exposure, cement, concrete
// type, section.
using Selections = std::array<int, kConditionRows>;

struct Sequence {
  const char* name;
  const char* script;
  Selections selections;
  Offered offered;
  Texts texts;
  Window holder;
};

class ConditionsSequence : public testing::TestWithParam<Sequence> {};

TEST_P(ConditionsSequence, LeavesItsSelectionsRowsAndTexts) {
  testing_support::RecordingPrompter prompter;
  Workspace ws(prompter);
  play(ws, GetParam().script);
  const WorkspaceState& s = ws.state();
  Selections selections;
  for (int row = 0; row < kConditionRows; ++row) {
    selections[size_t(row)] = ws.conditions().selection(rowDialog(row));
  }
  EXPECT_EQ(selections, GetParam().selections);
  EXPECT_EQ(ws.conditions().rowsOffered(), GetParam().offered);
  EXPECT_EQ(ws.conditions().rowTexts(), GetParam().texts);
  EXPECT_EQ(s.holder.window, GetParam().holder);
}

const Texts kSeawaterTexts = {cap(Workability::Medium),
                              messages::kNormalConditionsAtCreation,
                              cap(ExposureClass::SeawaterSulfate),
                              cap(CementType::SulfateResisting),
                              messages::kNonAirEntrainedAtCreation,
                              cap(SectionType::Ordinary)};
const Texts kSevereTexts = {cap(Workability::Low),           cap(EnvironmentClass::Severe),
                            cap(ExposureClass::Normal),      cap(CementType::Ordinary),
                            cap(ConcreteType::AirEntrained), cap(SectionType::Ordinary)};
const Texts kHighTexts = {
    cap(Workability::High),    messages::kNormalConditionsAtCreation, cap(ExposureClass::Normal),
    cap(CementType::Ordinary), messages::kNonAirEntrainedAtCreation,  cap(SectionType::Ordinary)};

using W = Window;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ConditionsSequence, testing::Values(
    // Opening shows the texts at creation (two of them differ from the captions).
    Sequence{"opened", "conditions",
             {1, 0, 0, 0, 0, 1}, kOfferedAtStart, kCreationTexts, W::Conditions},
    // CANCEL at once rewrites every text as its option's caption.
    Sequence{"cancel_at_once", "conditions cancel",
             {1, 0, 0, 0, 0, 1}, kOfferedAtStart, kDefaultCaptions, W::Main},
    // The exposure's OK offers the cement and section rows; CANCEL puts back selections, rows, texts.
    Sequence{"chosen_then_kept", "conditions Dialog2 option2 dialog-ok Dialog3 option1 dialog-ok ok",
             {1, 0, 2, 1, 0, 1}, {true, false, true, true, true, true}, kSeawaterTexts, W::Main},
    Sequence{"chosen_then_cancelled",
             "conditions Dialog2 option2 dialog-ok Dialog3 option1 dialog-ok cancel",
             {1, 0, 0, 0, 0, 1}, kOfferedAtStart, kDefaultCaptions, W::Main},
    // DEFAULT then CANCEL returns to the state at the window's opening; DEFAULT then OK keeps it.
    Sequence{"default_then_cancel",
             "conditions Dialog4 option1 dialog-ok Dialog1 option2 dialog-ok Dialog option0 dialog-ok "
             "ok conditions default cancel",
             {0, 2, 0, 0, 1, 1}, {true, true, true, false, true, false}, kSevereTexts, W::Main},
    Sequence{"default_then_ok",
             "conditions Dialog4 option1 dialog-ok Dialog1 option2 dialog-ok default ok",
             {1, 0, 0, 0, 0, 1}, kOfferedAtStart, kDefaultCaptions, W::Main},
    // DEFAULT takes back the cement and section rows the exposure offered.
    Sequence{"default_unoffers", "conditions Dialog2 option2 dialog-ok default ok",
             {1, 0, 0, 0, 0, 1}, kOfferedAtStart, kDefaultCaptions, W::Main},
    // A row not offered cannot be opened; a dialog holds the user until its OK or Cancel.
    Sequence{"row_not_offered", "conditions Dialog1",
             {1, 0, 0, 0, 0, 1}, kOfferedAtStart, kCreationTexts, W::Conditions},
    Sequence{"dialog_open", "conditions Dialog option2",
             {2, 0, 0, 0, 0, 1}, kOfferedAtStart, kCreationTexts, W::OptionDialog},
    // A dialog's Cancel restores the selection it opened with, not the row text.
    Sequence{"dialog_cancel", "conditions Dialog option2 dialog-ok Dialog option0 dialog-cancel",
             {2, 0, 0, 0, 0, 1}, kOfferedAtStart, kHighTexts, W::Conditions},
    // After the window's CANCEL, a dialog's Cancel returns to the selection CANCEL put back.
    Sequence{"dialog_cancel_after_window_cancel",
             "conditions Dialog option2 dialog-ok cancel conditions Dialog option0 dialog-cancel",
             {1, 0, 0, 0, 0, 1}, kOfferedAtStart, kDefaultCaptions, W::Conditions},
    // A row no longer offered keeps its selection and text, and the run still reads it.
    Sequence{"environment_kept_unoffered",
             "conditions Dialog4 option1 dialog-ok Dialog1 option2 dialog-ok Dialog4 option0 dialog-ok",
             {1, 2, 0, 0, 0, 1}, kOfferedAtStart,
             {cap(Workability::Medium), cap(EnvironmentClass::Severe), cap(ExposureClass::Normal),
              cap(CementType::Ordinary), cap(ConcreteType::NonAirEntrained), cap(SectionType::Ordinary)},
             W::Conditions},
    // The command line's choose applies a dialog's OK without any window, offered or not.
    Sequence{"choose", "choose:Dialog1=1 choose:Dialog2=1",
             {1, 1, 1, 0, 0, 1}, {true, false, true, false, true, true},
             {cap(Workability::Medium), cap(EnvironmentClass::Moderate),
              cap(ExposureClass::WetFreezeThaw), cap(CementType::Ordinary),
              messages::kNonAirEntrainedAtCreation, cap(SectionType::Ordinary)},
             W::Main}),
    testing_support::CaseName());
// clang-format on

struct ExposureCase {
  const char* name;
  int option;
  bool cementOffered;
  bool sectionOffered;
};

class ExposureOk : public testing::TestWithParam<ExposureCase> {};

TEST_P(ExposureOk, SetsCementAndSectionAvailability) {
  testing_support::RecordingPrompter prompter;
  Workspace ws(prompter);
  play(ws,
       "conditions Dialog2 option2 dialog-ok Dialog3 option1 dialog-ok Dialog5 option0 "
       "dialog-ok Dialog2 option" +
           std::to_string(GetParam().option) + " dialog-ok");
  EXPECT_EQ(ws.conditions().rowsOffered()[3], GetParam().cementOffered);
  EXPECT_EQ(ws.conditions().rowsOffered()[5], GetParam().sectionOffered);
  EXPECT_EQ(ws.state().conditions.cement, CementType::SulfateResisting);
  EXPECT_EQ(ws.state().conditions.section, SectionType::ThinOrSmallCover);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ExposureOk, testing::Values(
    ExposureCase{"normal",           0, false, false},
    ExposureCase{"wet_freeze_thaw",  1, false, true},
    ExposureCase{"seawater_sulfate", 2, true,  true}), testing_support::CaseName());
// clang-format on

}  // namespace
}  // namespace veldora
