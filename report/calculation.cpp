#include "engine/acitables.h"
#include "engine/batching.h"
#include "engine/numbers.h"
#include "presentation/bidi.h"
#include "presentation/numberforms.h"
#include "report/html.h"
#include "report/reporttexts.h"
#include "report/sections.h"
#include "workspace/messages.h"

#include <QCalendar>
#include <QLocale>

#include <algorithm>
#include <array>

namespace veldora::reportsections {
namespace {

using namespace reporthtml;
namespace rt = reporttexts;

// The rows of a lookup: each table point around the value with its entries (the last column's a
// percentage where asked).
template <size_t N>
QString lookupRows(const std::array<double, N>& points, int piece,
                   std::initializer_list<const std::array<double, N>*> columns,
                   bool lastInPercent = false) {
  QString rows;
  const int first = std::max(piece, 0);
  const int last = piece < 0 ? 0 : piece + 1;
  for (int k = first; k <= last; ++k) {
    QString html;
    size_t column = 0;
    for (const auto* values : columns) {
      const double x = (*values)[size_t(k)];
      const bool inPercent = lastInPercent && ++column == columns.size();
      html = cell(inPercent ? percent(x) : n(x)) + html;
    }
    rows += "<tr>" + html + cell(n(points[size_t(k)])) + "</tr>";
  }
  return rows;
}

// The calculation's heading: the program, the title, the project, the mix file, the dates, the
// version.
QString headingSection(const ReportSettings& settings, bool hasFile, QDate today) {
  // On a page of its own, after the batching sheet.
  QString html =
      "<h1 align='center' style='page-break-before: always'>VELDORA</h1><h2 "
      "align='center'>" +
      t(rt::kTitle) + "</h2>";
  return html +
         table(valueRow(rt::kProject, settings.projectName.empty() ? t(rt::kNoProject)
                                                                   : typed(settings.projectName)) +
               valueRow(rt::kMixFile, hasFile ? kFileNamePlaceholder : t(rt::kUnsaved)) +
               valueRow(rt::kDate, solarHijri(today)) +
               valueRow(rt::kGregorianDate, isolatedNumber(today.toString(Qt::ISODate))) +
               valueRow(rt::kVersion, isolatedNumber(QStringLiteral("VELDORA " VELDORA_VERSION))));
}

// The inputs, as the run read them: the texts as typed, the numbers read in the report's units.
QString inputsSection(const CompletedRun& run) {
  QString inputs = row({t(rt::kQuantity), t(rt::kTyped), t(rt::kRead), t(rt::kUnit)}, true);
  for (size_t i = 0; i < kBoxCount; ++i) {
    const double read = run.inputs.*kInputsInBoxOrder[i];
    // A long box text by its start, which holds the number read.
    inputs += row({caption(messages::kInputCaptions[i]),
                   isolatedNumber(elided(run.boxes[i], 30, false).toHtmlEscaped()),
                   Box(i + 1) == Box::Text3 ? strength(read) : n(read),
                   isolatedNumber(t(messages::kInputUnits[i].report))});
  }
  return section(rt::kInputs) + table(inputs);
}

QString conditionsSection(const CompletedRun& run) {
  QString conditions;
  for (size_t i = 0; i < run.conditionTexts.size(); ++i) {
    conditions += valueRow(rt::kConditionNames[i], t(run.conditionTexts[i]));
  }
  conditions += valueRow(rt::kMethod, t(caption(run.conditions.method)));
  return section(rt::kConditions) + table(conditions);
}

QString waterStep(const MixingWaterTrace& w, const MixProportions& p) {
  const auto& waterRows = w.airEntrained ? aci::kWaterAirEntrained : aci::kWaterNonAirEntrained;
  const auto& airRow =
      w.airEntrained ? aci::kRecommendedAir[size_t(w.exposureRow)] : aci::kEntrappedAir;
  QString html = heading(rt::kWaterStep);
  html += table(valueRow(rt::kSlumpRow, t(rt::kSlumpRows[w.slumpRow])) +
                valueRow(rt::kAirRow, t(w.airEntrained ? rt::kRecommendedAirRows[w.exposureRow]
                                                       : rt::kEntrappedAir)));
  html +=
      table(row({t(rt::kTableSize), t(rt::kWaterKg), t(rt::kAirPercent)}, true) +
            lookupRows(aci::kSizes, w.sizePiece, {&waterRows[size_t(w.slumpRow)], &airRow}, true));
  if (w.sizePiece < 0) html += "<p dir='rtl'>" + t(rt::kAtOrBelowFirst) + "</p>";
  return html + table(row({"", t(rt::kInterpolated), t(rt::kRounded)}, true) +
                      row({t(rt::kMixingWater), n(w.water), n(p.mixingWater)}) +
                      row({t(rt::kAirContent), percent(w.airContent), percent(p.airContent)}));
}

QString ratioStep(const WaterCementTrace& r, const MixProportions& p) {
  const auto& ratios = r.airEntrained ? aci::kRatioAirEntrained : aci::kRatioNonAirEntrained;
  QString html = heading(rt::kRatioStep);
  QString lookup;
  for (int k = std::max(r.strengthPiece, 0); k <= r.strengthPiece + 1; ++k) {
    lookup += row({strength(aci::kStrengths[size_t(k)]), n(ratios[size_t(k)])});
  }
  html += table(row({t(rt::kTableStrength), t(rt::kTableRatio)}, true) + lookup);
  return html + table(valueRow(rt::kRatioFromTable, n(r.tableRatio)) +
                      valueRow(rt::kExposureLimit, r.limit ? n(*r.limit) : t(rt::kNoLimit)) +
                      valueRow(rt::kRatioAfterLimit, n(r.ratio)) +
                      valueRow(rt::kRatio, n(p.waterCementRatio)) +
                      valueRow(rt::kCementQuotient, n(r.cementContent), true) +
                      valueRow(rt::kCement, n(p.cementContent)));
}

QString coarseStep(const CoarseAggregateTrace& c, const MixInputs& in, const MixProportions& p) {
  QString html = heading(rt::kCoarseStep);
  const int firstSize = std::max(c.sizePiece, 0);
  const int lastSize = c.sizePiece < 0 ? 0 : c.sizePiece + 1;
  const int firstColumn = std::max(c.finenessPiece, 0);
  const int lastColumn = c.finenessPiece < 0 ? 0 : c.finenessPiece + 1;
  // Built right to left: each row from its last cell.
  QString header = cell(t(rt::kRowAtFineness), true);
  for (int j = lastColumn; j >= firstColumn; --j) {
    header += cell(n(aci::kFinenessModuli[size_t(j)]), true);
  }
  header =
      "<tr>" + header + cell(t(rt::kTableSize) + " / " + t(rt::kFinenessColumn), true) + "</tr>";
  QString rows;
  for (int k = firstSize; k <= lastSize; ++k) {
    rows += "<tr>" + cell(n(k == firstSize ? c.lowerRowVolume : c.upperRowVolume));
    for (int j = lastColumn; j >= firstColumn; --j) {
      rows += cell(n(aci::kCoarseVolume[size_t(k)][size_t(j)]));
    }
    rows += cell(n(aci::kSizes[size_t(k)])) + "</tr>";
  }
  html += table(header + rows);
  if (c.sizePiece < 0) html += "<p dir='rtl'>" + t(rt::kAtOrBelowFirst) + "</p>";
  QString coarse;
  if (c.sizePiece >= 0) coarse += valueRow(rt::kSizeFraction, n(c.sizeFraction));
  coarse += valueRow(rt::kTableVolume, n(c.tableVolume)) +
            valueRow(rt::kWorkabilityFactor, n(c.workabilityFactor)) +
            valueRow(rt::kVolume, n(c.volume)) + valueRow(rt::kShownVolume, n(c.shownVolume)) +
            valueRow(rt::kRoddedDensity, n(in.coarseRoddedDensity)) +
            valueRow(rt::kCoarseProduct, n(c.mass), true) +
            valueRow(rt::kCoarseMass, n(p.coarseAggregateMass));
  return html + table(coarse);
}

QString fineByWeightStep(const FineByWeightTrace& fw, const MixProportions& p) {
  return heading(rt::kFineByWeightStep) +
         table(row({"", t(rt::kBeforeRounding), t(rt::kRounded)}, true) +
               row({t(rt::kMeanDensity), n(fw.meanRelativeDensity), ""}) +
               row({t(rt::kUnitWeightEstimate), n(fw.unitWeight), n(p.unitWeightByWeight)}) +
               row({t(rt::kSandMass), n(fw.fineMass), n(p.fineAggregateMassByWeight)}));
}

QString fineByVolumeStep(const FineByVolumeTrace& fv, const MixProportions& p) {
  return heading(rt::kFineByVolumeStep) +
         table(valueRow(rt::kWaterVolume, n(fv.waterVolume), true) +
               valueRow(rt::kCementVolume, n(fv.cementVolume), true) +
               valueRow(rt::kCoarseVolume, n(fv.coarseVolume), true) +
               valueRow(rt::kAirVolume, n(fv.airVolume), true) +
               valueRow(rt::kSandVolume, n(fv.volumeLeftForSand), true)) +
         table(row({"", t(rt::kBeforeRounding), t(rt::kRounded)}, true) +
               row({t(rt::kSandMass), n(fv.fineMass), n(p.fineAggregateMassByVolume)}) +
               row({t(rt::kUnitWeightSum), n(fv.unitWeight), n(p.unitWeightByVolume)}));
}

// A quantity of zero or less, said where it arises, across the columns of its table.
QString warningRow(const char* what, int columns) {
  return "<tr><td colspan='" + QString::number(columns) + "'><b>" + t(rt::kWarnings) + ":</b> " +
         t(what) + " " + t(rt::kNotBatchable) + "</td></tr>";
}

QString moistureStep(const MoistureTrace& m, const MixProportions& p) {
  const double waterByVolume = batchedMasses(p, m, BatchMethod::Volume).water;
  return heading(rt::kMoistureStep) +
         table(row({"", t(rt::kBeforeRounding) + " " + t(rt::kDerived), t(rt::kRounded)}, true) +
               row({t(rt::kWetCoarse), n(m.batchCoarseAggregateMass),
                    n(p.batchCoarseAggregateMass)}) +
               row({t(rt::kWetSandByWeight), n(m.batchFineAggregateMassByWeight),
                    n(p.batchFineAggregateMassByWeight)}) +
               row({t(rt::kWetSandByVolume), n(m.batchFineAggregateMassByVolume),
                    n(p.batchFineAggregateMassByVolume)}) +
               row({t(rt::kCoarseFreeWater), n(m.coarseFreeWater), ""}) +
               row({t(rt::kSandFreeWater), n(m.fineFreeWater), ""}) +
               row({t(rt::kBatchWater), n(m.batchWater), n(p.batchWater)}) +
               (p.batchWater <= 0 ? warningRow(rt::kBatchWater, 3) : QString()) +
               row({t(rt::kSandFreeWaterByVolume), n(m.fineFreeWaterByVolume), ""}) +
               row({t(rt::kBatchWaterByVolume), n(m.batchWaterByVolume),
                    n(waterByVolume) + " " + t(rt::kDerived)}) +
               (waterByVolume <= 0 ? warningRow(rt::kBatchWaterByVolume, 3) : QString()));
}

// The calculation, step by step.
QString calculationSection(const CompletedRun& run) {
  const DesignTrace& trace = run.trace;
  const MixProportions& p = run.proportions;
  return section(rt::kCalculation) + waterStep(trace.water, p) + ratioStep(trace.ratio, p) +
         coarseStep(trace.coarse, run.inputs, p) + fineByWeightStep(trace.fineByWeight, p) +
         fineByVolumeStep(trace.fineByVolume, p) + moistureStep(trace.moisture, p);
}

// The proportions per cubic metre, dry and as batched, by both methods.
QString perCubicMetreSection(const MixProportions& p, const DesignTrace& trace) {
  const BatchMasses byVolume = batchedMasses(p, trace.moisture, BatchMethod::Volume);
  const double batchWaterByVolume = byVolume.water;
  const double batchTotalByWeight =
      totalMass(batchedMasses(p, trace.moisture, BatchMethod::Weight));
  const double batchTotalByVolume = totalMass(byVolume);
  return section(rt::kPerCubicMetre) +
         table(
             row({t(rt::kMaterial), t(rt::kByWeightDry), t(rt::kByWeightBatch), t(rt::kByVolumeDry),
                  t(rt::kByVolumeBatch)},
                 true) +
             row({t(rt::kWater), n(p.mixingWater), n(p.batchWater), n(p.mixingWater),
                  n(batchWaterByVolume) + " " + t(rt::kDerived)}) +
             row({t(rt::kCementMaterial), n(p.cementContent), n(p.cementContent),
                  n(p.cementContent), n(p.cementContent)}) +
             row({t(rt::kCoarse), n(p.coarseAggregateMass), n(p.batchCoarseAggregateMass),
                  n(p.coarseAggregateMass), n(p.batchCoarseAggregateMass)}) +
             row({t(rt::kSand), n(p.fineAggregateMassByWeight), n(p.batchFineAggregateMassByWeight),
                  n(p.fineAggregateMassByVolume), n(p.batchFineAggregateMassByVolume)}) +
             row({t(rt::kTotal), n(p.unitWeightByWeight),
                  n(batchTotalByWeight) + " " + t(rt::kDerived), n(p.unitWeightByVolume),
                  n(batchTotalByVolume) + " " + t(rt::kDerived)}));
}

}  // namespace

QString solarHijri(QDate date) {
  const QCalendar calendar(QCalendar::System::Jalali);
  const QCalendar::YearMonthDay day = calendar.partsFromDate(date);
  const QString month =
      calendar.monthName(QLocale(QLocale::Persian, QLocale::Iran), day.month, day.year);
  return QString::number(day.day) + " " + month + " " + QString::number(day.year);
}

QString calculation(const CompletedRun& run, const ReportSettings& settings, bool hasFile,
                    QDate today) {
  return headingSection(settings, hasFile, today) + inputsSection(run) + conditionsSection(run) +
         calculationSection(run) + perCubicMetreSection(run.proportions, run.trace);
}

// The adjustment from a trial batch made after the run: what the batch measured, and the adjusted
// lines (a line with a number as its label and the number with its unit; the heading and the
// admixture advice as they stand). Non-air-entrained concrete is adjusted with the design's air
// content where no other was measured: that value is said to be the design's.
QString adjustment(const CompletedAdjustment& adjustment, const MixProportions& p) {
  const AdjustmentReport& report = adjustment.report;
  const TrialMeasurements& trial = report.adjusted.measured;
  const bool airEntrained = adjustment.concreteType == ConcreteType::AirEntrained;
  const bool airMeasured = airEntrained || trial.airContent != p.airContent;
  QString measured =
      valueRow(rt::kTrialSlump, n(trial.slump)) +
      valueRow(rt::kTrialUnitWeight, n(trial.unitWeight)) +
      valueRow(rt::kTrialWater, n(trial.water)) +
      valueRow(airMeasured ? rt::kTrialAir : rt::kAirNotMeasured, percent(trial.airContent)) +
      valueRow(rt::kDesignAir, percent(p.airContent));
  if (!airEntrained) measured += valueRow(rt::kYieldAir, percent(report.airContent));
  QString lines;
  for (const ResultLine& line : report.lines) {
    if (!line.value) {
      lines += "<tr><td colspan='2'>" + t(line.label) + "</td></tr>";
      continue;
    }
    const std::string_view label = line.label.substr(0, line.label.rfind('='));
    lines += row({t(label), n(*line.value) + " " + t(line.unit)});
    if (*line.value <= 0) lines += warningRow(std::string(label).c_str(), 2);
  }
  return section(rt::kAdjustment) + table(measured) + table(lines);
}

}  // namespace veldora::reportsections
