#pragma once

#include "files/diskfile.h"
#include "workspace/state.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace veldora::cli {

// Writes the design report of a state's last complete run as a PDF at a path; the cause when it
// could not. The report needs Qt Gui, which only the report's own program loads.
using ReportWriter = std::function<std::optional<WriteProblem>(
    const WorkspaceState& state, const ReportSettings& settings, const std::string& path)>;

// Runs veldora-cli with the given arguments (without the program name). Returns the exit status:
// 0 done, 1 the run or the adjustment stopped, 2 usage error. A report asked for is written with
// writeReport, which a program without the report does not have.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const ReportWriter& writeReport = {});

// Whether the arguments ask for a report (and are otherwise sound, as far as the arguments go).
bool asksForReport(const std::vector<std::string>& args);

}  // namespace veldora::cli
