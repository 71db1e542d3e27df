#include "report/designreport.h"

#include "engine/acitables.h"
#include "engine/numbers.h"
#include "files/diskfile.h"
#include "presentation/bidi.h"
#include "presentation/fonts.h"
#include "presentation/numberforms.h"
#include "report/compositionchart.h"
#include "report/reporttexts.h"
#include "workspace/messages.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCalendar>
#include <QDir>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <cmath>

namespace veldora {
namespace {

namespace rt = reporttexts;

constexpr double kMarginMm = 15;
constexpr double kFooterMm = 8;

const QString kChartPlaceholder = QStringLiteral("@@composition-chart@@");
// The file name goes into its cell once the text is laid out, in a paragraph of its own direction:
// a path of Persian folders reads left to right.
const QString kFileNamePlaceholder = QStringLiteral("@@mix-file-name@@");

QString t(const char* utf8) { return QString::fromUtf8(utf8).toHtmlEscaped(); }
QString t(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toHtmlEscaped();
}

// A number as an engineer writes it, to at most four decimals. Alone in a table cell it is
// isolated as left-to-right text, which keeps "-12" from reading "12-".
QString n(double x, int decimals = 4) { return isolatedNumber(decimalNumber(x, decimals)); }

// A quantity to weigh out: to the decimals given, its digits grouped by thousands.
QString quantity(double x, int decimals) { return isolatedNumber(groupedNumber(x, decimals)); }

// A strength, with its megapascals.
QString strength(double kgPerCm2) { return isolatedNumber(strengthText(kgPerCm2)); }

// A caption as a heading of its own: without the "=" that follows it in the main window.
QString caption(const char* utf8) {
  QString text = QString::fromUtf8(utf8);
  if (text.endsWith(u'=')) text.chop(1);
  return text.toHtmlEscaped();
}

QString cell(const QString& content, bool heading = false) {
  return heading ? "<th>" + content + "</th>" : "<td>" + content + "</td>";
}

// A table row, its first cell at the right: the text layout places cells left to right. A heading
// row is the table's first and is repeated at the top of each page the table runs on to.
QString row(std::initializer_list<QString> cells, bool heading = false) {
  QString html;
  for (const QString& c : cells) html = cell(c, heading) + html;
  return heading ? "<thead><tr>" + html + "</tr></thead>" : "<tr>" + html + "</tr>";
}

QString table(const QString& rows) {
  return "<table width='100%' border='1' cellspacing='0' cellpadding='0'>" + rows + "</table>";
}

QString heading(const char* text) { return "<h3 dir='rtl'>" + t(text) + "</h3>"; }

QString section(const char* title) { return "<h2 dir='rtl'>" + t(title) + "</h2>"; }

// A label and a value, marked as the report's own when the steps never held it.
QString valueRow(const char* label, const QString& value, bool derived = false) {
  return row({t(label), derived ? value + " " + t(rt::kDerived) : value});
}

// Text of at most longest characters: a longer one shortened by an ellipsis at its end, or in its
// middle when its end matters too.
QString elided(const std::string& utf8, qsizetype longest, bool keepEnd) {
  const QString text = QString::fromStdString(utf8);
  if (text.size() <= longest) return text;
  const QChar ellipsis(0x2026);
  if (!keepEnd) return text.left(longest - 1) + ellipsis;
  return text.left(longest / 2 - 1) + ellipsis + text.right(longest / 2 - 1);
}

// A file name as the report shows it, its start and end kept. A left-to-right mark on each side of
// every separator keeps each Persian folder a run of its own, so the folders read in their order.
QString displayedFileName(const std::string& name) {
  constexpr QChar kLeftToRightMark(0x200E);
  return elided(name, 150, true).replace(u'/', QString(kLeftToRightMark) + u'/' + kLeftToRightMark);
}

// Moves to the next page a heading that would end a page, and a short table (with its heading)
// that would be split, as long as the report stays within pageLimit pages; a table split anyway
// repeats its heading row.
void keepTogether(QTextDocument& document, int pageLimit) {
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  const double pageHeight = document.pageSize().height();
  const auto pageOf = [pageHeight](double y) { return static_cast<int>(y / pageHeight); };
  const auto top = [layout](const QTextFrame::iterator& item) {
    return item.currentFrame() ? layout->frameBoundingRect(item.currentFrame()).top()
                               : layout->blockBoundingRect(item.currentBlock()).top();
  };
  const auto setPageBreak = [](const QTextFrame::iterator& item,
                               QTextFormat::PageBreakFlags flags) {
    if (QTextFrame* frame = item.currentFrame()) {
      QTextFrameFormat format = frame->frameFormat();
      format.setPageBreakPolicy(flags);
      frame->setFrameFormat(format);
    } else {
      QTextCursor cursor(item.currentBlock());
      QTextBlockFormat format = cursor.blockFormat();
      format.setPageBreakPolicy(flags);
      cursor.setBlockFormat(format);
    }
  };
  // Breaks the page before item; undone when the report would grow past its pages.
  const auto breakBefore = [&](const QTextFrame::iterator& item) {
    setPageBreak(item, QTextFormat::PageBreak_AlwaysBefore);
    if (document.pageCount() > pageLimit) setPageBreak(item, QTextFormat::PageBreak_Auto);
  };
  const auto isHeading = [](const QTextFrame::iterator& item) {
    return !item.currentFrame() && item.currentBlock().blockFormat().headingLevel() > 0;
  };
  QTextFrame::iterator previous;
  for (auto item = document.rootFrame()->begin(); !item.atEnd(); previous = item++) {
    if (isHeading(item)) {
      auto next = item;
      ++next;
      if (!next.atEnd() && pageOf(top(item)) != pageOf(top(next))) breakBefore(item);
    } else if (QTextFrame* table = item.currentFrame()) {
      const QRectF box = layout->frameBoundingRect(table);
      if (box.height() < pageHeight / 3 && pageOf(box.top()) != pageOf(box.bottom())) {
        breakBefore(!previous.atEnd() && isHeading(previous) ? previous : item);
      }
    }
  }
}

QString solarHijri(QDate date) {
  const QCalendar calendar(QCalendar::System::Jalali);
  const QCalendar::YearMonthDay day = calendar.partsFromDate(date);
  const QString month =
      calendar.monthName(QLocale(QLocale::Persian, QLocale::Iran), day.month, day.year);
  return QString::number(day.day) + " " + month + " " + QString::number(day.year);
}

// A percentage, with its sign.
QString percent(double x) { return isolatedNumber(decimalNumber(x) + "%"); }

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
QString headingSection(const ReportSettings& settings, const std::optional<std::string>& filename,
                       QDate today) {
  // On a page of its own, after the batching sheet.
  QString html =
      "<h1 align='center' style='page-break-before: always'>VELDORA</h1><h2 "
      "align='center'>" +
      t(rt::kTitle) + "</h2>";
  return html +
         table(valueRow(rt::kProject, settings.projectName.empty() ? t(rt::kNoProject)
                                                                   : t(settings.projectName)) +
               valueRow(rt::kMixFile, filename ? kFileNamePlaceholder : t(rt::kUnsaved)) +
               valueRow(rt::kDate, solarHijri(today)) +
               valueRow(rt::kGregorianDate, isolatedNumber(today.toString(Qt::ISODate))) +
               valueRow(rt::kVersion, isolatedNumber(QStringLiteral("VELDORA " VELDORA_VERSION))));
}

// The inputs, as the run read them: the texts as typed, the numbers read in the report's units.
QString inputsSection(const CompletedRun& run) {
  static const char* const kUnits[kBoxCount] = {"mm", "mm", "",  "",  "kg/m³", "",
                                                "",   "",   "%", "%", "%",     "%"};
  QString inputs = row({t(rt::kQuantity), t(rt::kTyped), t(rt::kRead), t(rt::kUnit)}, true);
  for (size_t i = 0; i < kBoxCount; ++i) {
    const double read = run.inputs.*kInputsInBoxOrder[i];
    // A long box text by its start, which holds the number read.
    inputs +=
        row({caption(messages::kInputCaptions[i]),
             isolatedNumber(elided(run.boxes[i], 30, false).toHtmlEscaped()),
             Box(i + 1) == Box::Text3 ? strength(read) : n(read), isolatedNumber(t(kUnits[i]))});
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
  const double waterByVolume = roundToWhole(m.batchWaterByVolume);
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
  const double batchTotalByWeight = p.batchWater + p.cementContent + p.batchCoarseAggregateMass +
                                    p.batchFineAggregateMassByWeight;
  const double batchWaterByVolume = roundToWhole(trace.moisture.batchWaterByVolume);
  const double batchTotalByVolume = batchWaterByVolume + p.cementContent +
                                    p.batchCoarseAggregateMass + p.batchFineAggregateMassByVolume;
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

// The adjustment from a trial batch made after the run: what the batch measured (the hidden air
// box of non-air-entrained concrete holds the design's value, not a measurement), and the adjusted
// lines (a line with a number as its label and the number with its unit; the heading and the
// admixture advice as they stand).
QString adjustmentSection(const CompletedAdjustment& adjustment, const MixProportions& p) {
  const TrialMeasurements& trial = adjustment.adjusted.measured;
  const bool airEntrained = adjustment.concreteType == ConcreteType::AirEntrained;
  QString measured =
      valueRow(rt::kTrialSlump, n(trial.slump)) +
      valueRow(rt::kTrialUnitWeight, n(trial.unitWeight)) +
      valueRow(rt::kTrialWater, n(trial.water)) +
      valueRow(airEntrained ? rt::kTrialAir : rt::kAirNotMeasured, percent(trial.airContent)) +
      valueRow(rt::kDesignAir, percent(p.airContent));
  if (!airEntrained) measured += valueRow(rt::kYieldAir, percent(adjustment.airContent));
  QString lines;
  for (const ResultLine& line : adjustment.lines) {
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

// The quantities of the sheet's mix that are zero or less, by which no concrete can be batched.
QString sheetWarnings(const SheetMix& mix) {
  QString items;
  const auto check = [&items](double quantity, const char* what) {
    if (quantity <= 0) items += "<li>" + t(what) + " " + t(rt::kNotBatchable) + "</li>";
  };
  check(mix.dry.water, rt::kMixingWater);
  check(mix.batched.water, rt::kWaterToAdd);
  check(mix.dry.cement, rt::kCementMaterial);
  check(mix.batched.coarseAggregate, rt::kCoarse);
  check(mix.batched.fineAggregate, rt::kSand);
  if (items.isEmpty()) return {};
  return "<h3 dir='rtl' style='color: #b00000'>" + t(rt::kSheetWarnings) + "</h3><ul dir='rtl'>" +
         items + "</ul>";
}

// The strength the mix is designed for: f'c, the plant's record and f'cr by the rule that
// governed, when the strength box holds what the required-strength window wrote; else the strength
// as entered.
QString strengthBasisSection(const CompletedRun& run) {
  const std::optional<StrengthBasis>& b = run.strengthBasis;
  if (!b) {
    return heading(rt::kStrengthBasis) +
           table(valueRow(rt::kDesignStrength,
                          strength(run.inputs.requiredStrength) + " " + t(rt::kAsEntered)));
  }
  QString record = t(rt::kNoRecord);
  if (const std::optional<StrengthRecord>& r = b->record) {
    record = isolatedNumber("s = " + strengthText(r->standardDeviation) +
                            ", n = " + QString::number(r->tests) +
                            (usesRecord(*b) ? ", k = " + decimalNumber(b->k, 3) : QString()));
    if (!usesRecord(*b)) record += " " + t(rt::kTooFewTests);
  }
  return heading(rt::kStrengthBasis) +
         table(valueRow(rt::kSpecifiedStrength, strength(b->specified)) +
               valueRow(rt::kPlantRecord, record) +
               valueRow(rt::kRequiredStrength,
                        isolatedNumber(strengthRuleText(b->rule).toHtmlEscaped() + " = " +
                                       strengthRequirementText(*b))));
}

// A material of the sheet's tables.
struct SheetMaterial {
  const char* name;
  double BatchMasses::*mass;
};
constexpr SheetMaterial kSheetMaterials[] = {{rt::kWaterToAdd, &BatchMasses::water},
                                             {rt::kCementMaterial, &BatchMasses::cement},
                                             {rt::kCoarse, &BatchMasses::coarseAggregate},
                                             {rt::kSand, &BatchMasses::fineAggregate}};

// A mass of the pour: to 0.1 kg, with its unit where asked; from 10 tonnes on also in tonnes,
// to 0.01 t. Both rounded as by hand, halves up.
QString pourMass(double kg, bool withUnit = false) {
  QString text = quantity(roundHalfUp(kg, 1), 1);
  if (withUnit) text += " " + t(rt::kKilogram);
  if (std::abs(kg) >= 10000) {
    text += " (" + quantity(roundHalfUp(kg / 1000, 2), 2) + " " + t(rt::kTonnes) + ")";
  }
  return text;
}

// The batching sheet: what the plant and the site weigh out of one mix by one method, the strength
// it is designed for, and who prepared, checked and approved it.
QString sheetSection(const CompletedRun& run, const ReportSettings& settings, bool adjusted,
                     bool hasFile, QDate today, const SheetMix& mix, const BatchingSheet& sheet) {
  QString html = "<h2 align='center'>VELDORA&nbsp;&nbsp;&nbsp;" + t(rt::kSheetTitle) + "</h2>";
  // What the mix was designed for and the aggregates it was corrected for: a plant whose stockpiles
  // are wetter or drier corrects again.
  const MixInputs& in = run.inputs;
  html += table(
      valueRow(rt::kProject,
               settings.projectName.empty() ? t(rt::kNoProject) : t(settings.projectName)) +
      valueRow(rt::kMixFile, hasFile ? kFileNamePlaceholder : t(rt::kUnsaved)) +
      valueRow(rt::kDate, solarHijri(today) + " / " + isolatedNumber(today.toString(Qt::ISODate))) +
      valueRow(rt::kSheetMix, t(adjusted ? rt::kAdjustedMix : rt::kDesignMix) + "، " +
                                  t(settings.method == BatchMethod::Weight ? rt::kWeightMethod
                                                                           : rt::kVolumeMethod)) +
      valueRow(rt::kSlumpSizeAir,
               isolatedNumber(decimalNumber(in.requiredSlump) + " mm") + "، " +
                   isolatedNumber(decimalNumber(in.maximumAggregateSize) + " mm") + "، " +
                   isolatedNumber(decimalNumber(mix.airContent, 2) + "%")) +
      valueRow(rt::kCoarseMoistureAbsorption,
               percent(in.coarseMoisture) + " / " + percent(in.coarseAbsorption)) +
      valueRow(rt::kFineMoistureAbsorption,
               percent(in.fineMoisture) + " / " + percent(in.fineAbsorption)));
  html += sheetWarnings(mix) + strengthBasisSection(run);

  const auto litres = [](double x) {
    return isolatedNumber(fixedNumber(x, 1)) + " " + t(rt::kLitres);
  };
  html +=
      heading(rt::kSheetRatios) +
      table(valueRow(rt::kMassRatio, isolatedNumber(QStringLiteral("1 : %1 : %2")
                                                        .arg(fixedNumber(sheet.fineRatio, 2),
                                                             fixedNumber(sheet.coarseRatio, 2)))) +
            valueRow(rt::kRatio, isolatedNumber(fixedNumber(mix.waterCementRatio, 2))) +
            valueRow(rt::kWaterPerBag, litres(sheet.waterPerBag)) +
            valueRow(rt::kWaterToAddPerBag, litres(sheet.waterToAddPerBag)));

  QString perCubicMetre =
      row({t(rt::kMaterial), t(rt::kBeforeMoisture), t(rt::kToBatch)}, true) +
      row({t(rt::kMixingWaterOrToAdd), n(mix.dry.water, 1), n(mix.batched.water, 1)});
  for (const SheetMaterial& m : std::span(kSheetMaterials).subspan(1)) {
    perCubicMetre += row({t(m.name), n(mix.dry.*m.mass, 1), n(mix.batched.*m.mass, 1)});
  }
  html += heading(rt::kSheetPerCubicMetre) + table(perCubicMetre);

  // One batch and the pour, as batched.
  const bool grams = weighedInGrams(settings.batchVolume);
  QString quantities =
      row({t(rt::kMaterial),
           t(rt::kOneBatch) + " " + isolatedNumber(decimalNumber(settings.batchVolume, 3)) + " " +
               t(rt::kCubicMetres) + "<br>" + t(grams ? rt::kGrams : rt::kKilogramsAsBatched),
           t(rt::kPourVolume) + " " + isolatedNumber(groupedNumber(settings.pourVolume, 3)) + " " +
               t(rt::kCubicMetres) + "<br>" + t(rt::kKilogramsAsBatched)},
          true);
  for (const SheetMaterial& m : kSheetMaterials) {
    const double batch = sheet.batch.*m.mass;
    quantities += row({t(m.name), grams ? quantity(batch * 1000, 0) : quantity(batch, 1),
                       pourMass(sheet.pour.*m.mass)});
  }
  html += heading(rt::kPour) + table(quantities);
  html += table(valueRow(rt::kBagsToOrder, quantity(sheet.bags, 0) + " " + t(rt::kBagsOf) + " " +
                                               n(settings.bagMass) + " " + t(rt::kKilogramBag)) +
                valueRow(rt::kCementOfThePour, pourMass(sheet.pourCement, true)) +
                valueRow(rt::kBagsPerBatch, n(sheet.bagsPerBatch, 2)));

  // Who prepared, checked and approved the sheet: a column each, its name, signature and date
  // filled in by hand.
  const QString blanks = t(rt::kName) + ":<br>" + t(rt::kSignature) + ":<br>" + t(rt::kDate) + ":";
  const QString signOff = row({t(rt::kPreparedBy), t(rt::kCheckedBy), t(rt::kApprovedBy)}, true) +
                          row({blanks, blanks, blanks});
  // In a larger type than the calculation's: read at the plant and on site.
  html += heading(rt::kSignOff) + table(signOff);
  static const QRegularExpression cellContent(
      QStringLiteral("(<t[dh](?: [^>]*)?>)(.*?)(</t[dh]>)"));
  static const QRegularExpression headingContent(QStringLiteral("(<h3[^>]*>)(.*?)(</h3>)"));
  return html.replace(cellContent, QStringLiteral("\\1<span style='font-size: 9pt'>\\2</span>\\3"))
      .replace(headingContent, QStringLiteral("\\1<span style='font-size: 10pt'>\\2</span>\\3"));
}

// The mix of the sheet by a method: the design's, whose water to add by the absolute-volume
// method counts that method's sand; or the adjusted one at the design's water-cement ratio.
SheetMix mixOfSheet(const CompletedRun& run, const std::optional<CompletedAdjustment>& adjustment,
                    BatchMethod method) {
  const MixProportions& p = run.proportions;
  const bool byWeight = method == BatchMethod::Weight;
  SheetMix mix;
  mix.waterCementRatio = p.waterCementRatio;
  if (adjustment) {
    mix.dry = byWeight ? adjustment->dryByWeight : adjustment->dryByVolume;
    mix.batched = byWeight ? adjustment->byWeight : adjustment->byVolume;
    mix.waterToAdd = byWeight ? adjustment->waterToAddByWeight : adjustment->waterToAddByVolume;
    // Cement carries no moisture: before the correction it is what is weighed, as the lines give.
    mix.dry.cement = mix.batched.cement;
  } else {
    const MoistureTrace& m = run.trace.moisture;
    mix.dry = {p.mixingWater, p.cementContent, p.coarseAggregateMass,
               byWeight ? p.fineAggregateMassByWeight : p.fineAggregateMassByVolume};
    mix.waterToAdd = byWeight ? m.batchWater : m.batchWaterByVolume;
    mix.batched = {byWeight ? p.batchWater : roundToWhole(m.batchWaterByVolume), p.cementContent,
                   p.batchCoarseAggregateMass,
                   byWeight ? p.batchFineAggregateMassByWeight : p.batchFineAggregateMassByVolume};
  }
  mix.airContent = adjustment ? adjustment->airContent : p.airContent;
  mix.volumes = absoluteVolumes(mix.dry, run.inputs, mix.airContent);
  return mix;
}

}  // namespace

DesignReport::DesignReport(const WorkspaceState& state, const ReportSettings& settings, QDate today)
    : mRun(*state.completedRun), mSettings(settings), mToday(today) {
  if (settings.includeAdjustment) mAdjustment = state.completedAdjustment;
  // A name of blanks only is no name.
  if (QString::fromStdString(settings.projectName).trimmed().isEmpty()) mSettings.projectName = "";
  if (state.file.savedUnderFilename) mFilename = state.file.filename;
  mMix = mixOfSheet(mRun, mAdjustment, mSettings.method);
  mSheet = batchingSheet(mMix, mSettings.batchVolume, mSettings.pourVolume, mSettings.bagMass);
}

QString DesignReport::html() const {
  const MixProportions& p = mRun.proportions;
  QString html = "<body dir='rtl'>" +
                 sheetSection(mRun, mSettings, mAdjustment.has_value(), mFilename.has_value(),
                              mToday, mMix, mSheet) +
                 headingSection(mSettings, mFilename, mToday) + inputsSection(mRun) +
                 conditionsSection(mRun) + calculationSection(mRun) +
                 perCubicMetreSection(p, mRun.trace);
  if (mAdjustment) html += adjustmentSection(*mAdjustment, p);
  return html + section(mAdjustment ? rt::kAdjustedChart : rt::kChart) + "<p>" + kChartPlaceholder +
         "</p></body>";
}

int DesignReport::paint(QPagedPaintDevice& device) const {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                   QPageLayout::Millimeter));
  const double millimetre = device.logicalDpiY() / 25.4;
  const MixProportions& p = mRun.proportions;

  QTextDocument document;
  document.documentLayout()->setPaintDevice(&device);
  document.setDefaultFont(persianFont(7, false));
  // Right to left; a word longer than its cell (a long name) breaks where it must.
  QTextOption direction;
  direction.setTextDirection(Qt::RightToLeft);
  direction.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  document.setDefaultTextOption(direction);
  document.setDefaultStyleSheet(
      QStringLiteral("h1 { font-size: 16pt; margin: 0px; } h2 { font-size: 11pt; margin-top: 8px; "
                     "margin-bottom: 3px; }"
                     "h3 { font-size: 9.5pt; margin-top: 5px; margin-bottom: 2px; }"
                     "th { background-color: #e8e8e8; } p, td, th { line-height: 85%; }"
                     ".sheet { font-size: 9pt; }"));

  // The chart is of the sheet's mix: its shares are the absolute volumes of its materials before
  // the moisture correction and its air, its bars those masses, with the sand of each method.
  const AbsoluteVolumes& litres = mMix.volumes;
  const double sandByWeight =
      mAdjustment ? mAdjustment->dryByWeight.fineAggregate : p.fineAggregateMassByWeight;
  const double sandByVolume =
      mAdjustment ? mAdjustment->dryByVolume.fineAggregate : p.fineAggregateMassByVolume;
  const QColor water(70, 130, 200), cement(150, 150, 150), coarse(140, 100, 60),
      sand(230, 190, 110);
  const auto name = [](const char* text) { return QString::fromUtf8(text); };
  CompositionChart chart({{name(rt::kWater), water, litres.water},
                          {name(rt::kCementMaterial), cement, litres.cement},
                          {name(rt::kAir), QColor(230, 230, 250), litres.air},
                          {name(rt::kCoarse), coarse, litres.coarseAggregate},
                          {name(rt::kSand), sand, litres.fineAggregate}},
                         name(rt::kVolumeShares),
                         {{name(rt::kWater), water, mMix.dry.water},
                          {name(rt::kCementMaterial), cement, mMix.dry.cement},
                          {name(rt::kCoarse), coarse, mMix.dry.coarseAggregate},
                          {name(rt::kSandByWeight), sand, sandByWeight},
                          {name(rt::kSandByVolume), QColor(200, 160, 80), sandByVolume}},
                         QString::fromUtf8(rt::kMasses), persianFont(8, false), millimetre);
  document.documentLayout()->registerHandler(CompositionChart::kObjectType, &chart);
  document.setHtml(html());
  for (QTextCursor name = document.find(kFileNamePlaceholder); !name.isNull();
       name = document.find(kFileNamePlaceholder, name)) {
    QTextBlockFormat leftToRight = name.blockFormat();
    leftToRight.setLayoutDirection(Qt::LeftToRight);
    leftToRight.setAlignment(Qt::AlignLeft);
    name.setBlockFormat(leftToRight);
    name.insertText(displayedFileName(*mFilename));
  }
  QTextCursor placeholder = document.find(kChartPlaceholder);
  if (!placeholder.isNull()) {
    QTextCharFormat object;
    object.setObjectType(CompositionChart::kObjectType);
    placeholder.insertText(QString(QChar::ObjectReplacementCharacter), object);
  }

  const QSizeF page(device.width(), device.height() - kFooterMm * millimetre);
  document.setPageSize(page);
  keepTogether(document, std::max(document.pageCount(), kReportPages));
  const int pages = document.pageCount();
  QPainter painter(&device);
  for (int i = 0; i < pages; ++i) {
    if (i > 0) device.newPage();
    painter.save();
    const QRectF visible(0, i * page.height(), page.width(), page.height());
    painter.translate(0, -visible.top());
    painter.setClipRect(visible);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = visible;
    document.documentLayout()->draw(&painter, context);
    painter.restore();
    painter.setFont(persianFont(7, false));
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.drawText(
        QRectF(0, page.height(), page.width(), kFooterMm * millimetre), Qt::AlignCenter,
        QStringLiteral("VELDORA " VELDORA_VERSION "  ") + QString::fromUtf8(rt::kPage) + " " +
            isolatedNumber(QString::number(i + 1)) + " " + QString::fromUtf8(rt::kOf) + " " +
            isolatedNumber(QString::number(pages)));
  }
  return pages;
}

QString suggestedPdfName(const WorkspaceState& state, const ReportSettings& settings) {
  constexpr QLatin1StringView kMixFileSuffix(".vdr");
  if (state.file.savedUnderFilename) {
    QString name = QString::fromStdString(state.file.filename);
    if (name.endsWith(kMixFileSuffix, Qt::CaseInsensitive)) name.chop(kMixFileSuffix.size());
    return name + ".pdf";
  }
  // A name of the project's words: no folder separators, no control characters, not hidden, and
  // short enough for a file name of 255 bytes.
  QString name;
  for (const QChar c : QString::fromStdString(settings.projectName).simplified()) {
    name += c == u'/' || c == u'\\' || !c.isPrint() ? u'_' : c;
  }
  while (name.startsWith(u'.')) name.remove(0, 1);
  while (name.toUtf8().size() > 200) name.chop(1);
  if (name.isEmpty()) name = QStringLiteral("VELDORA");
  return QDir::homePath() + u'/' + name + ".pdf";
}

QString reportDocumentTitle() { return QString::fromUtf8(reporttexts::kTitle); }
QString reportCreator() { return QStringLiteral("VELDORA " VELDORA_VERSION); }

std::optional<WriteProblem> writeReportPdf(const DesignReport& report, const std::string& path) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(reportCreator());
    writer.setTitle(reportDocumentTitle());
    report.paint(writer);
  }
  const QByteArray& bytes = buffer.data();
  if (bytes.isEmpty()) return WriteProblem::Other;
  return replaceFileAt(path,
                       std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

}  // namespace veldora
