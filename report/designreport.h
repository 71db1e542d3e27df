#pragma once

#include "files/diskfile.h"
#include "workspace/reportcommands.h"
#include "workspace/state.h"

#include <QDate>
#include <QString>

#include <string>

class QPagedPaintDevice;

namespace veldora {

// The design report of the last complete run: A4 portrait, Persian, right to left. It shows the
// run's inputs and conditions, every step with the table values it interpolated and the values
// before rounding, the proportions per cubic metre and for the pour, an adjustment made after the
// run when asked for, and a chart of the composition.
class DesignReport {
 public:
  // state must hold a completed run. The adjustment is included when settings ask for it and the
  // state has one for that run.
  DesignReport(const WorkspaceState& state, const ReportSettings& settings, QDate today);

  // Lays the report out on device's pages (A4, set here) and paints them; the number of pages.
  int paint(QPagedPaintDevice& device) const;

 private:
  QString html() const;

  CompletedRun mRun;
  std::optional<CompletedAdjustment> mAdjustment;
  ReportSettings mSettings;
  std::optional<std::string> mFilename;  // while the design is saved under it
  QDate mToday;
};

// The title and the creator a report's PDF or print job carries.
QString reportDocumentTitle();
QString reportCreator();

// Writes the report as a PDF at path through the same checked save path as mix files: the file is
// complete or not there (an old one left as it was); the cause when it could not be written.
std::optional<WriteProblem> writeReportPdf(const DesignReport& report, const std::string& path);

}  // namespace veldora
