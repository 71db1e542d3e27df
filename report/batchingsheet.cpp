// The batching sheet, the report's first page: the page a plant signs.
#include "engine/batching.h"
#include "engine/numbers.h"
#include "presentation/bidi.h"
#include "presentation/numberforms.h"
#include "report/html.h"
#include "report/reporttexts.h"
#include "report/sections.h"
#include "workspace/messages.h"
#include "workspace/optiondialogs.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <span>

namespace veldora::reportsections {
namespace {

using namespace reporthtml;
namespace rt = reporttexts;

// Two labels and their values side by side, the first pair at the right.
QString pairRow(std::string_view label, const QString& value, std::string_view otherLabel,
                const QString& otherValue) {
  return row({t(label), value, t(otherLabel), otherValue});
}

// A value with its tolerance: "75 ± 25 mm".
QString withTolerance(double value, double tolerance, const char* unit) {
  return isolatedNumber(decimalNumber(value, 2) + QString::fromUtf8(" ± ") +
                        decimalNumber(tolerance, 1) + " " + unit);
}

// The caption of the option a condition has in the run, in the program's own words.
QString conditionWords(const CompletedRun& run, OptionDialog dialog) {
  return t(optionCaption(dialog, optionDialogInfo(dialog).selection(run.conditions)));
}

// The strength the mix is designed for: f'c with its specimen, and where the strength box holds
// what the required-strength window wrote, the plant's record and f'cr by the rule that governed;
// else the strength as entered.
QString strengthRows(const CompletedRun& run) {
  const std::optional<StrengthBasis>& b = run.strengthBasis;
  const QString specimen = t(rt::kCylinder) + " " + isolatedNumber(QStringLiteral("150×300 mm"));
  if (!b) {
    return valueRow(rt::kDesignStrengthOfSheet, strength(run.inputs.requiredStrength) + "، " +
                                                    specimen + "؛ " + t(rt::kAsEntered));
  }
  QString record = t(rt::kNoRecord);
  if (const std::optional<StrengthRecord>& r = b->record) {
    record = isolatedNumber("s = " + strengthText(r->standardDeviation) +
                            ", n = " + QString::number(r->tests) +
                            (usesRecord(*b) ? ", k = " + decimalNumber(b->k, 3) : QString()));
    if (!usesRecord(*b)) record += " " + t(rt::kTooFewTests);
  }
  return valueRow(rt::kSpecifiedStrengthOfSheet, strength(b->specified) + "، " + specimen) +
         valueRow(rt::kPlantRecord, record) +
         valueRow(rt::kRequiredStrength, isolatedNumber(strengthRuleText(b->rule).toHtmlEscaped() +
                                                        " = " + strengthRequirementText(*b)));
}

// What the mix is: its strength, its conditions, its slump and air with their tolerances, how its
// sand is computed, and the aggregates' moisture it is corrected for.
QString identity(const CompletedRun& run, const ReportSettings& settings, bool adjusted,
                 const SheetMix& mix) {
  const MixInputs& in = run.inputs;
  const bool airEntrained = run.conditions.concreteType == ConcreteType::AirEntrained;
  QString rows =
      pairRow(rt::kConditionNames[3], conditionWords(run, OptionDialog::Cement),
              rt::kConditionNames[2], conditionWords(run, OptionDialog::Exposure)) +
      pairRow(rt::kConditionNames[1], conditionWords(run, OptionDialog::Environment),
              rt::kConditionNames[0], conditionWords(run, OptionDialog::Workability)) +
      pairRow(rt::kConditionNames[5], conditionWords(run, OptionDialog::Section),
              rt::kConditionNames[4], conditionWords(run, OptionDialog::ConcreteType)) +
      pairRow(rt::kTargetSlump,
              withTolerance(in.requiredSlump, slumpTolerance(in.requiredSlump), "mm"),
              rt::kMaximumSize, isolatedNumber(decimalNumber(in.maximumAggregateSize) + " mm"));
  const QString air = airEntrained ? withTolerance(mix.airContent, kAirTolerance, "%")
                                   : percent(mix.airContent, 2) + " " + t(rt::kEntrappedAirOnly);
  const QString sand =
      t(settings.method == BatchMethod::Weight ? rt::kSandByWeightMethod : rt::kSandByVolumeMethod);
  rows += pairRow(airEntrained ? rt::kTargetAir : rt::kAirOfMix, air, rt::kSheetMix,
                  t(adjusted ? rt::kAdjustedMix : rt::kDesignMix) + "؛ " + sand);
  if (airEntrained) {
    rows += "<tr><td colspan='4'>" + t(rt::kAirEntrainingAgent) + "</td></tr>" +
            "<tr><td colspan='4'>" + t(rt::kAgentProductAndDose) + "</td></tr>";
  }
  const QString aggregates =
      row({t(rt::kAggregate), t(rt::kTotalMoisture), t(rt::kAbsorption)}, true) +
      row({t(rt::kCoarse), percent(in.coarseMoisture), percent(in.coarseAbsorption)}) +
      row({t(rt::kSand), percent(in.fineMoisture), percent(in.fineAbsorption)});
  return heading(rt::kMixIdentity) + table(strengthRows(run)) + table(rows) + table(aggregates);
}

// What the sheet's mix says no concrete can have, each with its value, in one red cell.
QString warnings(const SheetMix& mix, const BatchingSheet& sheet, const ReportSettings& settings) {
  QStringList items;
  std::vector<MixWarningAt> all = notBatchable(mix);
  for (const MixWarningAt& w : implausible(mix.dry, mix.airContent)) all.push_back(w);
  for (const MixWarningAt& w : all)
    items.append(withIsolatedNumbers(t(messages::mixWarningText(w))));
  // The inputs and the trial batch are to be checked for what the mix says; the pour's batch is
  // the report's own setting.
  if (!items.isEmpty()) items.append(t(rt::kCheckTheInputs));
  if (sheet.batches.largerThanPour) {
    items.append(t(rt::kBatchLargerThanPour) + " " +
                 isolatedNumber(decimalNumber(settings.batchVolume, 4) + " > " +
                                decimalNumber(settings.pourVolume, 4)) +
                 " " + t(rt::kCubicMetres));
  }
  if (items.isEmpty()) return {};
  return "<table width='100%' border='1' cellspacing='0' cellpadding='2'><tr><td "
         "style='color: #b00000'><b>" +
         t(rt::kSheetWarnings) + ":</b> " + items.join(QStringLiteral("؛ ")) + "</td></tr></table>";
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
QString pourMassText(double kg, bool withUnit = false) {
  const PourMass mass = pourMass(kg);
  QString text = quantity(mass.kilograms, 1);
  if (withUnit) text += " " + t(rt::kKilogram);
  if (mass.tonnes) text += " (" + quantity(*mass.tonnes, 2) + " " + t(rt::kTonnes) + ")";
  return text;
}

// A volume as typed, in cubic metres.
QString cubicMetres(double volume) {
  return isolatedNumber(groupedNumber(volume, 4)) + " " + t(rt::kCubicMetres);
}

}  // namespace

QString batchingSheet(const SheetContent& c) {
  const ReportSettings& settings = c.settings;
  const SheetMix& mix = c.mix;
  const BatchingSheet& sheet = c.sheet;
  QString html = "<h2 align='center'>VELDORA&nbsp;&nbsp;&nbsp;" + t(rt::kSheetTitle) + "</h2>";
  html +=
      table(pairRow(rt::kProject,
                    settings.projectName.empty() ? t(rt::kNoProject) : typed(settings.projectName),
                    rt::kDate,
                    solarHijri(c.today) + " / " + isolatedNumber(c.today.toString(Qt::ISODate))) +
            "<tr><td colspan='3'>" + (c.hasFile ? kFileNamePlaceholder : t(rt::kUnsaved)) +
            "</td>" + cell(t(rt::kMixFile)) + "</tr>");
  html += identity(c.run, settings, c.adjusted, mix) + warnings(mix, sheet, settings);

  const auto litres = [](double x) {
    return isolatedNumber(fixedNumber(x, 1)) + " " + t(rt::kLitres);
  };
  html += heading(rt::kSheetRatios) +
          table(pairRow(rt::kMassRatio,
                        isolatedNumber(QStringLiteral("1 : %1 : %2")
                                           .arg(fixedNumber(sheet.fineRatio, 2),
                                                fixedNumber(sheet.coarseRatio, 2))),
                        rt::kRatio, isolatedNumber(fixedNumber(mix.waterCementRatio, 2))) +
                pairRow(rt::kWaterPerBag, litres(sheet.waterPerBag), rt::kWaterToAddPerBag,
                        litres(sheet.waterToAddPerBag)));

  QString perCubicMetre =
      row({t(rt::kMaterial), t(rt::kBeforeMoisture), t(rt::kToBatch)}, true) +
      row({t(rt::kMixingWaterOrToAdd), n(mix.dry.water, 1), n(mix.batched.water, 1)});
  for (const SheetMaterial& m : std::span(kSheetMaterials).subspan(1)) {
    perCubicMetre += row({t(m.name), n(mix.dry.*m.mass, 1), n(mix.batched.*m.mass, 1)});
  }
  perCubicMetre +=
      row({"<b>" + t(rt::kTotalPerCubicMetre) + "</b>", "<b>" + n(totalMass(mix.dry), 1) + "</b>",
           "<b>" + n(totalMass(mix.batched), 1) + "</b>"});
  html += heading(rt::kSheetPerCubicMetre) + table(perCubicMetre);

  // One batch and the pour, as batched.
  const bool grams = weighedInGrams(settings.batchVolume);
  QString quantities = row({t(rt::kMaterial),
                            t(rt::kOneBatch) + " " + cubicMetres(settings.batchVolume) + "<br>" +
                                t(grams ? rt::kGrams : rt::kKilogramsAsBatched),
                            t(rt::kPourVolume) + " " + cubicMetres(settings.pourVolume) + "<br>" +
                                t(rt::kKilogramsAsBatched)},
                           true);
  for (const SheetMaterial& m : kSheetMaterials) {
    const double batch = sheet.batch.*m.mass;
    quantities += row({t(m.name), grams ? quantity(batch * 1000, 0) : quantity(batch, 1),
                       pourMassText(sheet.pour.*m.mass)});
  }
  html += heading(rt::kPour) + table(quantities);
  QString batches = quantity(sheet.batches.count, 0) + " " + t(rt::kBatchesOf) + " " +
                    cubicMetres(settings.batchVolume);
  if (sheet.batches.lastVolume != settings.batchVolume) {
    batches += "، " + t(rt::kLastBatch) + " " + cubicMetres(sheet.batches.lastVolume);
  }
  html +=
      table(pairRow(rt::kBagsToOrder,
                    quantity(sheet.bags, 0) + " " + t(rt::kBagsOf) + " " + n(settings.bagMass) +
                        " " + t(rt::kKilogramBag),
                    rt::kCementOfThePour, pourMassText(sheet.pourCement, true)) +
            pairRow(rt::kBatchesOfThePour, batches, rt::kBagsPerBatch, n(sheet.bagsPerBatch, 2)));

  // Who prepared, checked and approved the sheet: a column each, its name, signature and date
  // filled in by hand.
  const QString blanks = t(rt::kName) + ":<br>" + t(rt::kSignature) + ":<br>" + t(rt::kDate) + ":";
  const QString signOff = row({t(rt::kPreparedBy), t(rt::kCheckedBy), t(rt::kApprovedBy)}, true) +
                          row({blanks, blanks, blanks});
  html += heading(rt::kSignOff) + table(signOff);
  // In a larger type than the calculation's: read at the plant and on site.
  static const QRegularExpression cellContent(
      QStringLiteral("(<t[dh](?: [^>]*)?>)(.*?)(</t[dh]>)"));
  static const QRegularExpression headingContent(QStringLiteral("(<h3[^>]*>)(.*?)(</h3>)"));
  return html
      .replace(cellContent, QStringLiteral("\\1<span style='font-size: 8.5pt'>\\2</span>\\3"))
      .replace(headingContent, QStringLiteral("\\1<span style='font-size: 9.5pt'>\\2</span>\\3"));
}

}  // namespace veldora::reportsections
