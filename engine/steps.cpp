#include "engine/steps.h"

#include "engine/acitables.h"
#include "engine/numbers.h"
#include "engine/texts.h"

#include <cmath>
#include <string>

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

std::string line(const char* label, double value, const char* unit = "") {
  return label + plainText(value) + unit;
}

}  // namespace

StepResult mixingWaterAndAir(double slump, double maximumSize, double concreteType,
                             double& airContent, double& mixingWater, double environment,
                             ResultsList& list, MixingWaterTrace& trace) {
  const bool airEntrained = concreteType == 2;
  const size_t slumpRow = slump <= 50 ? 0 : slump <= 100 ? 1 : 2;
  trace.airEntrained = airEntrained;
  trace.slumpRow = static_cast<int>(slumpRow);
  if (slumpRow == 2 && maximumSize > 75) return refusal(texts::kSlumpSizeRefusal, Box::Text1);

  const auto& water = airEntrained ? aci::kWaterAirEntrained : aci::kWaterNonAirEntrained;
  mixingWater = atSize(water[slumpRow], maximumSize, trace.sizePiece);
  trace.water = mixingWater;
  if (airEntrained) {
    const size_t exposure = environment == 2 ? 1 : environment == 3 ? 2 : 0;
    trace.exposureRow = static_cast<int>(exposure);
    airContent = atSize(aci::kRecommendedAir[exposure], maximumSize, trace.sizePiece);
    trace.airContent = airContent;
    airContent = roundToTenths(airContent);
  } else {
    airContent = atSize(aci::kEntrappedAir, maximumSize, trace.sizePiece);
    trace.airContent = airContent;
    airContent = roundToHundredths(airContent);
  }
  mixingWater = roundToTenths(mixingWater);

  list.push_back(line(texts::kWaterLabel, mixingWater, texts::kKilogram));
  const char* airLabel = airEntrained ? texts::kRecommendedAirLabel : texts::kEntrappedAirLabel;
  list.push_back(airContent >= 1 ? line(airLabel, airContent)
                                 : airLabel + hundredthsText(airContent));
  return std::nullopt;
}

StepResult waterCementRatioAndCement(double strength, double concreteType, double section,
                                     double exposure, double cement, double& waterCementRatio,
                                     double mixingWater, double& cementContent, ResultsList& list,
                                     WaterCementTrace& trace) {
  const bool airEntrained = concreteType == 2;
  trace.airEntrained = airEntrained;
  if (airEntrained && strength > 350) return refusal(texts::kAirStrengthRefusal, Box::Text3);

  const auto& w = airEntrained ? aci::kRatioAirEntrained : aci::kRatioNonAirEntrained;
  const size_t k = pieceOf(aci::kStrengths, strength);
  trace.strengthPiece = static_cast<int>(k);
  waterCementRatio = w[k] + (strength - aci::kStrengths[k]) / 50 * (w[k + 1] - w[k]);
  trace.tableRatio = waterCementRatio;

  // Maximum ratios for severe exposure.
  if (exposure == 2) {
    if (!airEntrained) return refusal(texts::kAirRequiredRefusal);
    const double limit = section == 1 ? 0.45 : 0.50;
    trace.limit = limit;
    if (waterCementRatio > limit) waterCementRatio = limit;
  } else if (exposure == 3) {
    const double limit = cement == 1 ? (section == 1 ? 0.40 : 0.45) : (section == 1 ? 0.42 : 0.495);
    trace.limit = limit;
    if (waterCementRatio > limit) waterCementRatio = limit;
  }
  trace.ratio = waterCementRatio;

  waterCementRatio = roundToHundredths(waterCementRatio);
  cementContent = roundToTenths(mixingWater / waterCementRatio);

  list.push_back(texts::kWaterCementLabel + hundredthsText(waterCementRatio));
  list.push_back(line(texts::kCementLabel, cementContent, texts::kKilogram));
  return std::nullopt;
}

// The later steps check their results before storing them: absurd but finite inputs (a relative
// density of 1E-307) can overflow, and such a step stores nothing and ends the run.
StepResult coarseAggregate(double maximumSize, double finenessModulus, double workability,
                           double& coarseAggregateMass, double roddedDensity, ResultsList& list,
                           CoarseAggregateTrace& trace) {
  int& column = trace.finenessPiece;
  double volume;
  if (maximumSize <= aci::kSizes[0]) {
    trace.sizePiece = -1;
    volume = atFineness(aci::kCoarseVolume[0], finenessModulus, column, trace.lowerRowVolume);
  } else {
    const size_t k = pieceOf(aci::kSizes, maximumSize);
    trace.sizePiece = static_cast<int>(k);
    const double t = (maximumSize - aci::kSizes[k]) / (aci::kSizes[k + 1] - aci::kSizes[k]);
    trace.sizeFraction = t;
    volume =
        (1 - t) * atFineness(aci::kCoarseVolume[k], finenessModulus, column, trace.lowerRowVolume) +
        t * atFineness(aci::kCoarseVolume[k + 1], finenessModulus, column, trace.upperRowVolume);
  }
  trace.tableVolume = volume;
  trace.workabilityFactor = 1;
  if (workability == 1) {
    trace.workabilityFactor = 1.1;
    volume = volume * 1.1;
  } else if (workability == 3) {
    trace.workabilityFactor = 0.9;
    volume = volume * 0.9;
  }
  trace.volume = volume;

  const double mass = roundToWhole(volume * roddedDensity);
  const double shownVolume = roundToHundredths(volume);
  trace.shownVolume = shownVolume;
  if (!allFinite({mass, shownVolume * 100})) return refusal(texts::kNotComputableRefusal);
  coarseAggregateMass = mass;

  list.push_back(texts::kCoarseVolumeLabel + hundredthsText(shownVolume));
  list.push_back(line(texts::kCoarseWeightLabel, coarseAggregateMass, texts::kKilogram));
  return std::nullopt;
}

StepResult fineAggregateByWeight(double mixingWater, double cementContent,
                                 double coarseAggregateMass, double& fineAggregateMass,
                                 double airContent, double coarseRelativeDensity,
                                 double fineRelativeDensity, double& unitWeight,
                                 double cementRelativeDensity, ResultsList& list,
                                 FineByWeightTrace& trace) {
  // Ga: the plain mean of the aggregates' relative densities; U: ACI 211.1's estimate of the
  // unit weight of fresh concrete with Ga for the combined aggregate.
  const double Ga = (coarseRelativeDensity + fineRelativeDensity) / 2;
  const double U = (1 - Ga / cementRelativeDensity) * cementContent + 10 * Ga * (100 - airContent) -
                   (Ga - 1) * mixingWater;
  const double F = U - cementContent - mixingWater - coarseAggregateMass;
  trace = {Ga, U, F};
  const double roundedUnitWeight = roundToWhole(U);
  const double fine = roundToWhole(F);
  if (!allFinite({roundedUnitWeight, fine})) return refusal(texts::kNotComputableRefusal);
  unitWeight = roundedUnitWeight;
  fineAggregateMass = fine;

  list.push_back(line(texts::kUnitWeightByWeightLabel, unitWeight, texts::kKilogramPerCubicMetre));
  list.push_back(line(texts::kSandByWeightLabel, fineAggregateMass, texts::kKilogram));
  return std::nullopt;
}

StepResult fineAggregateByVolume(double mixingWater, double cementContent,
                                 double coarseAggregateMass, double& fineAggregateMass,
                                 double airContent, double coarseRelativeDensity,
                                 double fineRelativeDensity, double& unitWeight,
                                 double cementRelativeDensity, ResultsList& list,
                                 FineByVolumeTrace& trace) {
  // F: the litres left for sand times its relative density; V: the sum of the four masses.
  const double F = 10 * fineRelativeDensity * (100 - airContent) -
                   fineRelativeDensity * (mixingWater + cementContent / cementRelativeDensity +
                                          coarseAggregateMass / coarseRelativeDensity);
  const double V = F + cementContent + mixingWater + coarseAggregateMass;
  trace = {F, V};
  const double roundedUnitWeight = roundToWhole(V);
  const double fine = roundToWhole(F);
  if (!allFinite({roundedUnitWeight, fine})) return refusal(texts::kNotComputableRefusal);
  unitWeight = roundedUnitWeight;
  fineAggregateMass = fine;

  list.push_back(line(texts::kUnitWeightByVolumeLabel, unitWeight, texts::kKilogramPerCubicMetre));
  list.push_back(line(texts::kSandByVolumeLabel, fineAggregateMass, texts::kKilogram));
  return std::nullopt;
}

StepResult moistureCorrection(double coarseMoisture, double fineMoisture, double mixingWater,
                              double coarseAggregateMass, double fineMassByWeight,
                              double coarseAbsorption, double fineAbsorption,
                              double fineMassByVolume, double& batchCoarseMass,
                              double& batchFineMassByWeight, double& batchWater,
                              double& batchFineMassByVolume, ResultsList& list) {
  const double coarse = roundToWhole((1 + coarseMoisture / 100) * coarseAggregateMass);
  const double fine = roundToWhole((1 + fineMoisture / 100) * fineMassByWeight);
  const double water =
      roundToWhole(mixingWater - (coarseMoisture - coarseAbsorption) * coarseAggregateMass / 100 -
                   (fineMoisture - fineAbsorption) * fineMassByWeight / 100);
  const double fineByVolume = roundToWhole((1 + fineMoisture / 100) * fineMassByVolume);
  if (!allFinite({coarse, fine, water, fineByVolume})) return refusal(texts::kNotComputableRefusal);
  batchCoarseMass = coarse;
  batchFineMassByWeight = fine;
  batchWater = water;
  batchFineMassByVolume = fineByVolume;

  list.push_back(line(texts::kBatchWaterLabel, batchWater, texts::kKilogram));
  list.push_back(line(texts::kBatchCoarseLabel, batchCoarseMass, texts::kKilogram));
  list.push_back(line(texts::kBatchSandByWeightLabel, batchFineMassByWeight, texts::kKilogram));
  list.push_back(line(texts::kBatchSandByVolumeLabel, batchFineMassByVolume, texts::kKilogram));
  return std::nullopt;
}

}  // namespace veldora
