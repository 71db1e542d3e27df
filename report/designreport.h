#pragma once

#include "engine/batching.h"
#include "files/diskfile.h"
#include "workspace/reportcommands.h"
#include "workspace/state.h"

#include <QDate>
#include <QString>

#include <string>

class QPagedPaintDevice;

namespace veldora {

// The design report of the last complete run: A4 portrait, Persian, right to left. Its first page
// is the batching sheet for the plant and the site (the design's mix, or the adjusted one when it
// is included, by one method); then the run's inputs and conditions, every step with the table
// values it interpolated and the values before rounding, the proportions per cubic metre, an
// adjustment made after the run when asked for, and a chart of the sheet's mix.
class DesignReport {
 public:
  // state must hold a completed run. The adjustment is included when settings ask for it and the
  // state has one for that run.
  DesignReport(const WorkspaceState& state, const ReportSettings& settings, QDate today);

  // Lays the report out on device's pages (A4, set here) and paints them; the number of pages.
  int paint(QPagedPaintDevice& device) const;

  // The mix of the batching sheet, and what the plant and the site weigh out of it.
  const SheetMix& sheetMix() const { return mMix; }
  const BatchingSheet& sheet() const { return mSheet; }

 private:
  QString html() const;

  CompletedRun mRun;
  std::optional<CompletedAdjustment> mAdjustment;
  ReportSettings mSettings;
  std::optional<std::string> mFilename;  // while the design is saved under it
  QDate mToday;
  SheetMix mMix;
  BatchingSheet mSheet;
};

// The name a report's PDF is suggested under: the mix file's, with ".pdf", beside it; without a
// mix file, the project's name in the home folder.
QString suggestedPdfName(const WorkspaceState& state, const ReportSettings& settings);

// The most pages a report takes.
inline constexpr int kReportPages = 4;

// The title and the creator a report's PDF or print job carries.
QString reportDocumentTitle();
QString reportCreator();

// Writes the report as a PDF at path through the same checked save path as mix files: the file is
// complete or not there (an old one left as it was); the cause when it could not be written.
std::optional<WriteProblem> writeReportPdf(const DesignReport& report, const std::string& path);

}  // namespace veldora
