#pragma once

#include "cli/cliapp.h"

namespace veldora::cli {

// The report writer of the program that has the report: a Qt application on the offscreen
// platform (the command line needs no display), made when the first report is written.
std::optional<WriteProblem> writePdfReport(const WorkspaceState& state,
                                           const ReportSettings& settings, const std::string& path);

}  // namespace veldora::cli
