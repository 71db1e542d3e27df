#include "workspace/reportcommands.h"

#include "engine/boxtext.h"
#include "engine/numbers.h"
#include "engine/texts.h"
#include "files/diskfile.h"
#include "workspace/messages.h"

#include <charconv>
#include <cmath>

namespace veldora {
namespace {

size_t characterCount(std::string_view utf8) {
  size_t count = 0;
  for (const char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

}  // namespace

std::optional<ReportSettingsProblem> checkReportSettings(const ReportTexts& texts) {
  if (characterCount(texts.projectName) > kLongestProjectName) {
    return ReportSettingsProblem{messages::kProjectNameTooLong, ReportBox::ProjectName};
  }
  const struct {
    const std::string& text;
    double low, high;
    const char* message;
    ReportBox box;
  } numbers[] = {
      {texts.pourVolume, kSmallestPour, kLargestPour, messages::kPourVolumeInvalid,
       ReportBox::PourVolume},
      {texts.bagMass, kLightestBag, kHeaviestBag, messages::kBagMassInvalid, ReportBox::BagMass},
      {texts.batchVolume, kSmallestBatch, kLargestBatch, messages::kBatchVolumeInvalid,
       ReportBox::BatchVolume},
  };
  for (const auto& n : numbers) {
    const std::optional<double> value = readDecimalNumber(n.text);
    if (!value || *value < n.low || *value > n.high) return ReportSettingsProblem{n.message, n.box};
  }
  return std::nullopt;
}

ReportSettings reportSettings(const ReportTexts& texts, BatchMethod method,
                              bool includeAdjustment) {
  // The pour is taken to the litre and the bag to the gram, as the report writes them; the batch
  // volume as typed (a laboratory's 0.0125 m^3 is no 0.013).
  const auto read = [](const std::string& text, double otherwise) {
    return roundHalfUp(readDecimalNumber(text).value_or(otherwise), 3);
  };
  return {.projectName = texts.projectName,
          .pourVolume = read(texts.pourVolume, kDefaultPourVolume),
          .bagMass = read(texts.bagMass, kDefaultBagMass),
          .batchVolume = readDecimalNumber(texts.batchVolume).value_or(kDefaultBatchVolume),
          .method = method,
          .includeAdjustment = includeAdjustment};
}

void ReportCommands::openDialog() {
  const Command command(*this);
  if (!mState.holds(Window::Main) || !mState.reportAvailable()) return;
  ReportDialogState& dialog = mState.reportDialog;
  dialog.adjustmentOffered = mState.completedAdjustment.has_value();
  dialog.includeAdjustment = dialog.adjustmentOffered;
  hold(Window::Report);
  requestFocus(Window::Report, static_cast<int>(ReportBox::ProjectName));
}

void ReportCommands::setText(ReportBox box, std::string_view text) {
  const Command command(*this);
  if (!mState.holds(Window::Report)) return;
  ReportTexts& texts = mState.reportDialog.texts;
  switch (box) {
    case ReportBox::ProjectName:
      texts.projectName = firstLine(text);
      break;
    case ReportBox::PourVolume:
      texts.pourVolume = boxText(text);
      break;
    case ReportBox::BagMass:
      texts.bagMass = boxText(text);
      break;
    case ReportBox::BatchVolume:
      texts.batchVolume = boxText(text);
      break;
  }
}

void ReportCommands::setMethod(BatchMethod method) {
  const Command command(*this);
  if (mState.holds(Window::Report)) mState.reportDialog.method = method;
}

void ReportCommands::setIncludeAdjustment(bool include) {
  const Command command(*this);
  ReportDialogState& dialog = mState.reportDialog;
  if (mState.holds(Window::Report)) dialog.includeAdjustment = include && dialog.adjustmentOffered;
}

std::optional<ReportSettings> ReportCommands::ok() {
  const Command command(*this);
  ReportDialogState& dialog = mState.reportDialog;
  if (!mState.holds(Window::Report)) return std::nullopt;
  if (const auto problem = checkReportSettings(dialog.texts)) {
    showMessage(texts::kErrorTitle, problem->message);
    requestFocus(Window::Report, static_cast<int>(problem->box));
    return std::nullopt;
  }
  dialog.previewed = reportSettings(dialog.texts, dialog.method, dialog.includeAdjustment);
  hold(Window::PrintPreview);
  return dialog.previewed;
}

bool ReportCommands::mayWriteTo(const std::string& path) {
  const Command command(*this);
  if (!mState.file.filename.empty() && sameFileAt(path, mState.file.filename)) {
    showMessage(texts::kErrorTitle, messages::kReportOverMixFile);
    return false;
  }
  return true;
}

void ReportCommands::notWritten(WriteProblem problem) {
  const Command command(*this);
  showMessage(texts::kErrorTitle, messages::reportNotWritten(problem));
}

void ReportCommands::cancel() {
  const Command command(*this);
  if (mState.holds(Window::Report)) hold(Window::Main);
}

void ReportCommands::closePreview() {
  const Command command(*this);
  if (mState.holds(Window::PrintPreview)) hold(Window::Main);
}

}  // namespace veldora
