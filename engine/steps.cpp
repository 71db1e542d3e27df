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

// Table 6.3.3 row at size D: v(lo) + (D - lo) / (hi - lo) * (v(hi) - v(lo)).
double atSize(const aci::SizeRow& v, double D) {
  if (D <= aci::kSizes[0]) return v[0];
  const size_t k = pieceOf(aci::kSizes, D);
  return v[k] + (D - aci::kSizes[k]) / (aci::kSizes[k + 1] - aci::kSizes[k]) * (v[k + 1] - v[k]);
}

// Table 6.3.6 row at fineness modulus FM, same form as atSize.
double atFineness(const std::array<double, 4>& v, double FM) {
  const auto& f = aci::kFinenessModuli;
  if (FM <= f[0]) return v[0];
  const size_t k = pieceOf(f, FM);
  return v[k] + (FM - f[k]) / (f[k + 1] - f[k]) * (v[k + 1] - v[k]);
}

Stop refusal(const char* message, std::optional<Box> focus = std::nullopt) {
  return Stop{texts::kErrorTitle, message, focus};
}

std::string line(const char* label, double value, const char* unit = "") {
  return label + plainText(value) + unit;
}

}  // namespace

StepResult WATERAIR(double SL, double D, double AIR, double& AIRP, double& WATER, double MH,
                    ResultsList& list) {
  const bool airEntrained = AIR == 2;
  const size_t slumpRow = SL <= 50 ? 0 : SL <= 100 ? 1 : 2;
  if (slumpRow == 2 && D > 75) return refusal(texts::kSlumpSizeRefusal, Box::Text1);

  const auto& water = airEntrained ? aci::kWaterAirEntrained : aci::kWaterNonAirEntrained;
  WATER = atSize(water[slumpRow], D);
  if (airEntrained) {
    const size_t exposure = MH == 2 ? 1 : MH == 3 ? 2 : 0;
    AIRP = atSize(aci::kRecommendedAir[exposure], D);
    AIRP = roundToTenths(AIRP);
  } else {
    AIRP = atSize(aci::kEntrappedAir, D);
    AIRP = roundToHundredths(AIRP);
  }
  WATER = roundToTenths(WATER);

  list.push_back(line(texts::kWaterLabel, WATER, texts::kKilogram));
  const char* airLabel = airEntrained ? texts::kRecommendedAirLabel : texts::kEntrappedAirLabel;
  list.push_back(AIRP >= 1 ? line(airLabel, AIRP) : airLabel + hundredthsText(AIRP));
  return std::nullopt;
}

StepResult WC(double FC, double AIR, double SEC, double RT, double CEM, double& WOC, double WATER,
              double& SIM, ResultsList& list) {
  const bool airEntrained = AIR == 2;
  if (airEntrained && FC > 350) return refusal(texts::kAirStrengthRefusal, Box::Text3);

  const auto& w = airEntrained ? aci::kRatioAirEntrained : aci::kRatioNonAirEntrained;
  const size_t k = pieceOf(aci::kStrengths, FC);
  WOC = w[k] + (FC - aci::kStrengths[k]) / 50 * (w[k + 1] - w[k]);

  // Maximum ratios for severe exposure.
  if (RT == 2) {
    if (!airEntrained) return refusal(texts::kAirRequiredRefusal);
    const double limit = SEC == 1 ? 0.45 : 0.50;
    if (WOC > limit) WOC = limit;
  } else if (RT == 3) {
    const double limit = CEM == 1 ? (SEC == 1 ? 0.40 : 0.45) : (SEC == 1 ? 0.42 : 0.495);
    if (WOC > limit) WOC = limit;
  }

  WOC = roundToHundredths(WOC);
  SIM = roundToTenths(WATER / WOC);

  list.push_back(texts::kWaterCementLabel + hundredthsText(WOC));
  list.push_back(line(texts::kCementLabel, SIM, texts::kKilogram));
  return std::nullopt;
}

// Steps 3 to 6 check their results before storing them: absurd but finite inputs (a relative
// density of 1E-307) can overflow, and such a step stores nothing and ends the run.
StepResult sand(double D, double MN, double WORK, double& wsand, double dgs, ResultsList& list) {
  double volume;
  if (D <= aci::kSizes[0]) {
    volume = atFineness(aci::kCoarseVolume[0], MN);
  } else {
    const size_t k = pieceOf(aci::kSizes, D);
    const double t = (D - aci::kSizes[k]) / (aci::kSizes[k + 1] - aci::kSizes[k]);
    volume = (1 - t) * atFineness(aci::kCoarseVolume[k], MN) +
             t * atFineness(aci::kCoarseVolume[k + 1], MN);
  }
  if (WORK == 1) {
    volume = volume * 1.1;
  } else if (WORK == 3) {
    volume = volume * 0.9;
  }

  const double weight = roundToWhole(volume * dgs);
  const double shownVolume = roundToHundredths(volume);
  if (!allFinite({weight, shownVolume * 100})) return refusal(texts::kNotComputableRefusal);
  wsand = weight;

  list.push_back(texts::kCoarseVolumeLabel + hundredthsText(shownVolume));
  list.push_back(line(texts::kCoarseWeightLabel, wsand, texts::kKilogram));
  return std::nullopt;
}

StepResult grw(double WATER, double SIM, double wsand, double& wgravel, double AIRP, double GS,
               double GG, double& u, double gc, ResultsList& list) {
  const double Ga = (GS + GG) / 2;
  const double U = (1 - Ga / gc) * SIM + 10 * Ga * (100 - AIRP) - (Ga - 1) * WATER;
  const double F = U - SIM - WATER - wsand;
  const double unitWeight = roundToWhole(U);
  const double fine = roundToWhole(F);
  if (!allFinite({unitWeight, fine})) return refusal(texts::kNotComputableRefusal);
  u = unitWeight;
  wgravel = fine;

  list.push_back(line(texts::kUnitWeightByWeightLabel, u, texts::kKilogramPerCubicMetre));
  list.push_back(line(texts::kSandByWeightLabel, wgravel, texts::kKilogram));
  return std::nullopt;
}

StepResult grv(double WATER, double SIM, double wsand, double& vwgravel, double AIRP, double GS,
               double GG, double& vu, double gc, ResultsList& list) {
  const double F = 10 * GG * (100 - AIRP) - GG * (WATER + SIM / gc + wsand / GS);
  const double V = F + SIM + WATER + wsand;
  const double unitWeight = roundToWhole(V);
  const double fine = roundToWhole(F);
  if (!allFinite({unitWeight, fine})) return refusal(texts::kNotComputableRefusal);
  vu = unitWeight;
  vwgravel = fine;

  list.push_back(line(texts::kUnitWeightByVolumeLabel, vu, texts::kKilogramPerCubicMetre));
  list.push_back(line(texts::kSandByVolumeLabel, vwgravel, texts::kKilogram));
  return std::nullopt;
}

StepResult eslah(double ws, double wg, double WATER, double wsand, double wgravel, double wsd,
                 double wgd, double vwgravel, double& ewsand, double& ewgravel, double& ewater,
                 double& evwgravel, ResultsList& list) {
  const double coarse = roundToWhole((1 + ws / 100) * wsand);
  const double fine = roundToWhole((1 + wg / 100) * wgravel);
  const double water = roundToWhole(WATER - (ws - wsd) * wsand / 100 - (wg - wgd) * wgravel / 100);
  const double fineByVolume = roundToWhole((1 + wg / 100) * vwgravel);
  if (!allFinite({coarse, fine, water, fineByVolume})) return refusal(texts::kNotComputableRefusal);
  ewsand = coarse;
  ewgravel = fine;
  ewater = water;
  evwgravel = fineByVolume;

  list.push_back(line(texts::kBatchWaterLabel, ewater, texts::kKilogram));
  list.push_back(line(texts::kBatchCoarseLabel, ewsand, texts::kKilogram));
  list.push_back(line(texts::kBatchSandByWeightLabel, ewgravel, texts::kKilogram));
  list.push_back(line(texts::kBatchSandByVolumeLabel, evwgravel, texts::kKilogram));
  return std::nullopt;
}

}  // namespace veldora
