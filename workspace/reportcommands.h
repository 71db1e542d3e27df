#pragma once

#include "files/diskfile.h"
#include "workspace/workspacepart.h"

#include <optional>
#include <string>
#include <string_view>

namespace veldora {

// Why the report's settings cannot be used: the message and the dialog box it names.
struct ReportSettingsProblem {
  const char* message;
  ReportBox box;
};

// The bounds of the settings: a name that fits the report's heading, and quantities whose numbers
// fit its tables (from a litre of concrete to a dam's pour, from a 1 kg pack to a bulk bag, from
// a laboratory's trial batch to the largest truck mixer).
inline constexpr size_t kLongestProjectName = 200;  // characters
inline constexpr double kSmallestPour = 0.001;      // m^3
inline constexpr double kLargestPour = 100000;      // m^3
inline constexpr double kLightestBag = 1;           // kg
inline constexpr double kHeaviestBag = 2000;        // kg
inline constexpr double kSmallestBatch = 0.001;     // m^3
inline constexpr double kLargestBatch = 20;         // m^3

// The settings as typed, each within its bounds above, or the first that is not. The dialog and
// the command line both read them with this.
std::optional<ReportSettingsProblem> checkReportSettings(const ReportTexts& texts);
ReportSettings reportSettings(const ReportTexts& texts, BatchMethod method, bool includeAdjustment);

// The report dialog, opened by "RE&PORT..." while there is a completed run.
class ReportCommands : public WorkspacePart {
 public:
  using WorkspacePart::WorkspacePart;

  void openDialog();
  // A box of the dialog: what it keeps of the text typed (the project name is a name; the others
  // are numbers, whose Persian digits it keeps as ASCII ones).
  void setText(ReportBox box, std::string_view text);
  void setMethod(BatchMethod method);
  void setIncludeAdjustment(bool include);
  // OK: the print preview of the report with these settings (which it returns), or a message
  // with the focus in the box it names and the dialog still open.
  std::optional<ReportSettings> ok();
  void cancel();
  // The print preview's close: the main window holds the user again.
  void closePreview();
  // A report about to be written to a file the user named in the print dialog: false, with its
  // message, where it would replace the design's mix file.
  bool mayWriteTo(const std::string& path);
  // A report that could not be written: its message, by its cause.
  void notWritten(WriteProblem problem);
};

}  // namespace veldora
