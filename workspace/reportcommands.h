#pragma once

#include "workspace/workspacepart.h"

#include <optional>
#include <string>
#include <string_view>

namespace veldora {

// What the design report is made with; the report shows the last complete run.
struct ReportSettings {
  std::string projectName;
  double pourVolume = 1;  // m^3
  double bagMass = 50;    // kg of cement in a bag
  bool includeAdjustment = false;
};

// Why the report's settings cannot be used: the message and the dialog box it names (2 the pour
// volume, 3 the bag mass).
struct ReportSettingsProblem {
  const char* message;
  int box;
};

// A number as the report's settings take it: the whole text, blanks around it aside, a finite
// decimal number with "." as the point whatever the locale; nothing for anything else.
std::optional<double> readReportNumber(std::string_view text);

// A pour volume and a bag mass as typed: each a positive decimal number (with "." as the point),
// the pour volume at most 100000 m^3. The dialog and the command line both check with this.
std::optional<ReportSettingsProblem> checkReportSettings(std::string_view pourVolume,
                                                         std::string_view bagMass);

// The report dialog, opened by "RE&PORT..." while there is a completed run.
class ReportCommands : public WorkspacePart {
 public:
  using WorkspacePart::WorkspacePart;

  void openDialog();
  void setProjectName(std::string_view text);
  void setPourVolume(std::string_view text);
  void setBagMass(std::string_view text);
  void setIncludeAdjustment(bool include);
  // OK: the settings, or a message with the focus in the box it names and the dialog still open.
  std::optional<ReportSettings> ok();
  void cancel();
};

}  // namespace veldora
