#include "engine/steps.h"

#include "engine/acitables.h"
#include "engine/numbers.h"
#include "engine/texts.h"

#include <cmath>

namespace veldora {
namespace {

// Index k of the interpolation piece with points[k] < x <= points[k + 1]; the first piece also
// takes its lower end and anything below it, the last anything above it.
template <size_t N>
size_t pieceOf(const std::array<double, N>& points, double x) {
  size_t k = 0;
  while (k + 2 < N && x > points[k + 1]) ++k;
  return k;
}

// Table 6.3.3 row at size D: v(lo) + (D - lo) / (hi - lo) * (v(hi) - v(lo)). The piece it used
// goes to piece.
double atSize(const aci::SizeRow& v, double D, int& piece) {
  piece = -1;
  if (D <= aci::kSizes[0]) return v[0];
  const size_t k = pieceOf(aci::kSizes, D);
  piece = static_cast<int>(k);
  return v[k] + (D - aci::kSizes[k]) / (aci::kSizes[k + 1] - aci::kSizes[k]) * (v[k + 1] - v[k]);
}

// Table 6.3.6 row at fineness modulus FM, same form as atSize; its value also goes to value.
double atFineness(const std::array<double, 4>& v, double FM, int& piece, double& value) {
  const auto& f = aci::kFinenessModuli;
  piece = -1;
  if (FM <= f[0]) return value = v[0];
  const size_t k = pieceOf(f, FM);
  piece = static_cast<int>(k);
  return value = v[k] + (FM - f[k]) / (f[k + 1] - f[k]) * (v[k + 1] - v[k]);
}

Stop refusal(const char* message, std::optional<Box> focus = std::nullopt) {
  return Stop{texts::kErrorTitle, message, focus};
}

ResultLine kilograms(const char* label, double value) {
  return {label, value, NumberForm::Plain, texts::kKilogram};
}

ResultLine kilogramsPerCubicMetre(const char* label, double value) {
  return {label, value, NumberForm::Plain, texts::kKilogramPerCubicMetre};
}

ResultLine hundredths(const char* label, double fraction) {
  return {label, fraction, NumberForm::Hundredths, texts::kHundredthsMark};
}

}  // namespace

StepResult mixingWaterAndAir(const MixInputs& in, const DesignConditions& conditions,
                             MixProportions& p, ResultsList& lines, MixingWaterTrace& trace) {
  const double slump = in.requiredSlump;
  const double size = in.maximumAggregateSize;
  const bool airEntrained = conditions.concreteType == ConcreteType::AirEntrained;
  const size_t slumpRow = slump <= 50 ? 0 : slump <= 100 ? 1 : 2;
  trace.airEntrained = airEntrained;
  trace.slumpRow = static_cast<int>(slumpRow);
  if (slumpRow == 2 && size > 75) return refusal(texts::kSlumpSizeRefusal, Box::Text1);

  const auto& water = airEntrained ? aci::kWaterAirEntrained : aci::kWaterNonAirEntrained;
  double mixingWater = atSize(water[slumpRow], size, trace.sizePiece);
  trace.water = mixingWater;
  double airContent;
  if (airEntrained) {
    const auto exposure = static_cast<size_t>(conditions.environment);
    trace.exposureRow = static_cast<int>(exposure);
    airContent = atSize(aci::kRecommendedAir[exposure], size, trace.sizePiece);
    trace.airContent = airContent;
    airContent = roundToTenths(airContent);
  } else {
    airContent = atSize(aci::kEntrappedAir, size, trace.sizePiece);
    trace.airContent = airContent;
    airContent = roundToHundredths(airContent);
  }
  mixingWater = roundToTenths(mixingWater);
  p.airContent = airContent;
  p.mixingWater = mixingWater;

  lines.push_back(kilograms(texts::kWaterLabel, mixingWater));
  const char* airLabel = airEntrained ? texts::kRecommendedAirLabel : texts::kEntrappedAirLabel;
  lines.push_back(airContent >= 1 ? ResultLine{airLabel, airContent, NumberForm::Plain, {}}
                                  : hundredths(airLabel, airContent));
  return std::nullopt;
}

StepResult waterCementRatioAndCement(const MixInputs& in, const DesignConditions& conditions,
                                     MixProportions& p, ResultsList& lines,
                                     WaterCementTrace& trace) {
  const double strength = in.requiredStrength;
  const bool airEntrained = conditions.concreteType == ConcreteType::AirEntrained;
  trace.airEntrained = airEntrained;
  if (airEntrained && strength > 350) return refusal(texts::kAirStrengthRefusal, Box::Text3);

  const auto& w = airEntrained ? aci::kRatioAirEntrained : aci::kRatioNonAirEntrained;
  const size_t k = pieceOf(aci::kStrengths, strength);
  trace.strengthPiece = static_cast<int>(k);
  p.waterCementRatio = w[k] + (strength - aci::kStrengths[k]) / 50 * (w[k + 1] - w[k]);
  trace.tableRatio = p.waterCementRatio;

  // Maximum ratios for severe exposure.
  const auto section = static_cast<size_t>(conditions.section);
  std::optional<double> limit;
  if (conditions.exposure == ExposureClass::WetFreezeThaw) {
    if (!airEntrained) return refusal(texts::kAirRequiredRefusal);
    limit = aci::kFreezeThawRatioLimit[section];
  } else if (conditions.exposure == ExposureClass::SeawaterSulfate) {
    limit = aci::kSulfateRatioLimit[static_cast<size_t>(conditions.cement)][section];
  }
  trace.limit = limit;
  if (limit && p.waterCementRatio > *limit) p.waterCementRatio = *limit;
  trace.ratio = p.waterCementRatio;

  p.waterCementRatio = roundToHundredths(p.waterCementRatio);
  trace.cementContent = p.mixingWater / p.waterCementRatio;
  p.cementContent = roundToTenths(trace.cementContent);

  lines.push_back(hundredths(texts::kWaterCementLabel, p.waterCementRatio));
  lines.push_back(kilograms(texts::kCementLabel, p.cementContent));
  return std::nullopt;
}

// The later steps check their results before storing them: absurd but finite inputs (a relative
// density of 1E-307) can overflow, and such a step stores nothing and ends the run.
StepResult coarseAggregate(const MixInputs& in, Workability workability, MixProportions& p,
                           ResultsList& lines, CoarseAggregateTrace& trace) {
  const double size = in.maximumAggregateSize;
  const double finenessModulus = in.finenessModulus;
  int& column = trace.finenessPiece;
  double volume;
  if (size <= aci::kSizes[0]) {
    trace.sizePiece = -1;
    volume = atFineness(aci::kCoarseVolume[0], finenessModulus, column, trace.lowerRowVolume);
  } else {
    const size_t k = pieceOf(aci::kSizes, size);
    trace.sizePiece = static_cast<int>(k);
    const double t = (size - aci::kSizes[k]) / (aci::kSizes[k + 1] - aci::kSizes[k]);
    trace.sizeFraction = t;
    volume =
        (1 - t) * atFineness(aci::kCoarseVolume[k], finenessModulus, column, trace.lowerRowVolume) +
        t * atFineness(aci::kCoarseVolume[k + 1], finenessModulus, column, trace.upperRowVolume);
  }
  trace.tableVolume = volume;
  trace.workabilityFactor = aci::kWorkabilityFactors[static_cast<size_t>(workability)];
  volume = volume * trace.workabilityFactor;  // exactly the volume itself for medium (1)
  trace.volume = volume;

  trace.mass = volume * in.coarseRoddedDensity;
  const double mass = roundToWhole(trace.mass);
  const double shownVolume = roundToHundredths(volume);
  trace.shownVolume = shownVolume;
  if (!allFinite({mass, shownVolume * 100})) return refusal(texts::kNotComputableRefusal);
  p.coarseAggregateMass = mass;

  lines.push_back(hundredths(texts::kCoarseVolumeLabel, shownVolume));
  lines.push_back(kilograms(texts::kCoarseWeightLabel, mass));
  return std::nullopt;
}

StepResult fineAggregateByWeight(const MixInputs& in, MixProportions& p, ResultsList& lines,
                                 FineByWeightTrace& trace) {
  // Ga: the plain mean of the aggregates' relative densities; U: ACI 211.1's estimate of the
  // unit weight of fresh concrete with Ga for the combined aggregate.
  const double Ga = (in.coarseRelativeDensity + in.fineRelativeDensity) / 2;
  const double U = (1 - Ga / in.cementRelativeDensity) * p.cementContent +
                   10 * Ga * (100 - p.airContent) - (Ga - 1) * p.mixingWater;
  const double F = U - p.cementContent - p.mixingWater - p.coarseAggregateMass;
  trace = {Ga, U, F};
  const double unitWeight = roundToWhole(U);
  const double fine = roundToWhole(F);
  if (!allFinite({unitWeight, fine})) return refusal(texts::kNotComputableRefusal);
  p.unitWeightByWeight = unitWeight;
  p.fineAggregateMassByWeight = fine;

  lines.push_back(kilogramsPerCubicMetre(texts::kUnitWeightByWeightLabel, unitWeight));
  lines.push_back(kilograms(texts::kSandByWeightLabel, fine));
  return std::nullopt;
}

StepResult fineAggregateByVolume(const MixInputs& in, MixProportions& p, ResultsList& lines,
                                 FineByVolumeTrace& trace) {
  // F: the litres left for sand times its relative density; V: the sum of the four masses.
  const double GG = in.fineRelativeDensity;
  trace.waterVolume = p.mixingWater;
  trace.cementVolume = p.cementContent / in.cementRelativeDensity;
  trace.coarseVolume = p.coarseAggregateMass / in.coarseRelativeDensity;
  trace.airVolume = 10 * p.airContent;
  trace.volumeLeftForSand =
      1000 - trace.airVolume - (trace.waterVolume + trace.cementVolume + trace.coarseVolume);
  const double F = 10 * GG * (100 - p.airContent) -
                   GG * (p.mixingWater + trace.cementVolume + trace.coarseVolume);
  const double V = F + p.cementContent + p.mixingWater + p.coarseAggregateMass;
  trace.fineMass = F;
  trace.unitWeight = V;
  const double unitWeight = roundToWhole(V);
  const double fine = roundToWhole(F);
  if (!allFinite({unitWeight, fine})) return refusal(texts::kNotComputableRefusal);
  p.unitWeightByVolume = unitWeight;
  p.fineAggregateMassByVolume = fine;
  trace.fineVolume = fine / GG;

  lines.push_back(kilogramsPerCubicMetre(texts::kUnitWeightByVolumeLabel, unitWeight));
  lines.push_back(kilograms(texts::kSandByVolumeLabel, fine));
  return std::nullopt;
}

StepResult moistureCorrection(const MixInputs& in, MixProportions& p, ResultsList& lines,
                              MoistureTrace& trace) {
  trace.batchCoarseAggregateMass = (1 + in.coarseMoisture / 100) * p.coarseAggregateMass;
  trace.batchFineAggregateMassByWeight = (1 + in.fineMoisture / 100) * p.fineAggregateMassByWeight;
  trace.coarseFreeWater = (in.coarseMoisture - in.coarseAbsorption) * p.coarseAggregateMass / 100;
  trace.fineFreeWater = (in.fineMoisture - in.fineAbsorption) * p.fineAggregateMassByWeight / 100;
  trace.batchWater = p.mixingWater - trace.coarseFreeWater - trace.fineFreeWater;
  trace.batchFineAggregateMassByVolume = (1 + in.fineMoisture / 100) * p.fineAggregateMassByVolume;
  trace.fineFreeWaterByVolume =
      (in.fineMoisture - in.fineAbsorption) * p.fineAggregateMassByVolume / 100;
  trace.batchWaterByVolume = p.mixingWater - trace.coarseFreeWater - trace.fineFreeWaterByVolume;
  const double coarse = roundToWhole(trace.batchCoarseAggregateMass);
  const double fine = roundToWhole(trace.batchFineAggregateMassByWeight);
  const double water = roundToWhole(trace.batchWater);
  const double fineByVolume = roundToWhole(trace.batchFineAggregateMassByVolume);
  if (!allFinite({coarse, fine, water, fineByVolume})) return refusal(texts::kNotComputableRefusal);
  p.batchCoarseAggregateMass = coarse;
  p.batchFineAggregateMassByWeight = fine;
  p.batchWater = water;
  p.batchFineAggregateMassByVolume = fineByVolume;

  lines.push_back(kilograms(texts::kBatchWaterLabel, water));
  lines.push_back(kilograms(texts::kBatchCoarseLabel, coarse));
  lines.push_back(kilograms(texts::kBatchSandByWeightLabel, fine));
  lines.push_back(kilograms(texts::kBatchSandByVolumeLabel, fineByVolume));
  return std::nullopt;
}

}  // namespace veldora
