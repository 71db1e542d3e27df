#pragma once

#include "engine/batching.h"
#include "workspace/reportcommands.h"
#include "workspace/state.h"

#include <QDate>
#include <QString>

#include <optional>
#include <string>

// The report's sections as HTML, each from the run (and the adjustment) it shows.
namespace veldora::reportsections {

// In the place of the mix file's name, which goes into its cell once the text is laid out.
inline const QString kFileNamePlaceholder = QStringLiteral("@@mix-file-name@@");

// The date as a Persian reader writes it: "17 آذر 1405".
QString solarHijri(QDate date);

// The batching sheet, the report's first page: what the plant and the site weigh out of the
// sheet's mix by one method, what the mix is, the strength it is designed for, and who prepared,
// checked and approved it.
struct SheetContent {
  const CompletedRun& run;
  const ReportSettings& settings;
  bool adjusted;  // the mix is the adjustment's
  bool hasFile;   // the design is saved under a name
  QDate today;
  const SheetMix& mix;
  const BatchingSheet& sheet;
};
QString batchingSheet(const SheetContent& content);

// The calculation that follows the sheet: its heading (the program, the title, the project, the
// mix file, the dates, the version), the inputs, the conditions, every step with the table values
// it interpolated and the values before rounding, and the proportions per cubic metre.
QString calculation(const CompletedRun& run, const ReportSettings& settings, bool hasFile,
                    QDate today);
// The adjustment from a trial batch made after the run: what the batch measured, and the adjusted
// lines.
QString adjustment(const CompletedAdjustment& adjustment, const MixProportions& p);

}  // namespace veldora::reportsections
