#include "engine/adjustment.h"

#include "engine/numbers.h"
#include "engine/texts.h"

#include <cmath>

namespace veldora {
namespace {

ResultLine line(const char* label, double value) {
  return {label, value, NumberForm::Plain, texts::kKilogram};
}

// The formulas in the symbols of ACI 211.1's trial-batch adjustment; each is written operation
// by operation as the method states it, so the results match the program's to the last bit.
//   S required slump, mm          gc, gG, gF relative densities of cement, coarse, fine aggregate
//   mG, aG coarse moisture and absorption, %       mF, aF fine moisture and absorption, %
//   A design air content, %       wc water-cement ratio      C cement, kg/m^3
//   G coarse aggregate, dry       Gc coarse batch mass, wet   Fwc, Fvc fine batch masses, wet
//   s1, a1, r1, w1 the trial batch's slump, air content, unit weight and added water
class Adjuster {
 public:
  Adjuster(const MixInputs& in, const MixProportions& d, const TrialMeasurements& t)
      : S(in.requiredSlump),
        gc(in.cementRelativeDensity),
        gG(in.coarseRelativeDensity),
        gF(in.fineRelativeDensity),
        mG(in.coarseMoisture),
        aG(in.coarseAbsorption),
        mF(in.fineMoisture),
        aF(in.fineAbsorption),
        A(d.airContent),
        wc(d.waterCementRatio),
        C(d.cementContent),
        G(d.coarseAggregateMass),
        Gc(d.batchCoarseAggregateMass),
        Fwc(d.batchFineAggregateMassByWeight),
        Fvc(d.batchFineAggregateMassByVolume),
        s1(t.slump),
        a1(t.airContent),
        r1(t.unitWeight),
        w1(t.water) {}

  // Free water carried by a wet coarse or sand batch weight B.
  double fwG(double B) const { return B / (1 + mG / 100) * (mG - aG) / 100; }
  double fwF(double B) const { return B / (1 + mF / 100) * (mF - aF) / 100; }
  // Batch mass with sand batch weight Fb, and the net water per cubic metre of trial concrete.
  double M(double Fb) const { return w1 + C + Gc + Fb; }
  double Wnet(double Fb) const { return (fwF(Fb) + fwG(Gc) + w1) * r1 / M(Fb); }

  // Each method's results: water, cement and coarse aggregate (dry), fine aggregate (dry, weight
  // method only), and the batch masses with the aggregates' moisture.
  struct WeightPart {
    double water, cement, coarse, fine, batchWater, batchCoarse, batchFine;
  };
  struct VolumePart {
    double water, cement, coarse, fine, batchCoarse, batchFine, batchWater;
  };

  // Non-air-entrained, weight method: the yield comes from the absolute-volume batch.
  WeightPart weightWithoutAir(double& Y) const {
    WeightPart w{};
    Y = M(Fvc) / r1;
    w.water = Wnet(Fwc) + (S - s1) * 2 / 10;
    w.cement = w.water / wc;
    w.coarse = G / Y;
    w.fine = r1 - w.water - w.coarse - w.cement;
    w.batchCoarse = Gc / Y;
    w.batchFine = (1 + mF / 100) * w.fine;
    w.batchWater = w.water - (fwF(w.batchFine) + fwG(w.batchCoarse));
    return w;
  }

  // Air content of the non-air-entrained trial batch from its yield.
  double airFromYield(const WeightPart& w, double Y) const {
    const double V = (w.fine / gF + w.coarse / gG + C / gc + (w.water - (S - s1) * 0.2)) / 1000;
    return (Y - V) / Y * 100;
  }

  // Air-entrained, weight method: water corrected for the air difference, and the measured unit
  // weight referred to the design air content.
  WeightPart weightWithAir(double unitWeightDivisor) const {
    WeightPart w{};
    w.water = Wnet(Fwc) + (S - s1) * 2 / 10 + (a1 - A) * 3;
    w.cement = w.water / wc;
    const double Y = M(Fwc) / r1;
    w.coarse = G / Y;
    const double r1prime = r1 / unitWeightDivisor;
    w.fine = r1prime - w.water - w.coarse - w.cement;
    w.batchCoarse = Gc / Y;
    w.batchFine = (1 + mF / 100) * w.fine;
    w.batchWater = w.water - (fwF(w.batchFine) + fwG(w.batchCoarse));
    return w;
  }
  double unitWeightDivisor() const { return 1 + A / 100 - a1 / 100; }

  // Absolute-volume method with air content air: A' without entrained air, A with it.
  VolumePart volume(double air) const {
    VolumePart v{};
    v.water = Wnet(Fvc) + (S - s1) * 2 / 10 + (a1 - air) * 3;
    v.cement = v.water / wc;
    const double Y = M(Fvc) / r1;
    v.coarse = G / Y;
    v.batchCoarse = Gc / Y;
    v.fine = 10 * gF * (100 - air) - gF * (v.coarse / gG + v.cement / gc + v.water);
    v.batchFine = (1 + mF / 100) * v.fine;
    v.batchWater = v.water - (fwF(v.batchFine) + (mG - aG) * v.coarse / 100);
    return v;
  }

  bool divisorsNonZero() const {
    return r1 != 0 && wc != 0 && M(Fvc) != 0 && M(Fwc) != 0 && M(Fvc) / r1 != 0 && M(Fwc) / r1 != 0;
  }

  const double S, gc, gG, gF, mG, aG, mF, aF;
  const double A, wc, C, G, Gc, Fwc, Fvc;
  const double s1, a1, r1, w1;
};

AdjustmentReport refused() {
  AdjustmentReport report;
  report.refusal = Stop{texts::kErrorTitle, texts::kAdjustmentNotComputable, std::nullopt};
  return report;
}

}  // namespace

AdjustmentReport adjustProportions(const MixInputs& in, const MixProportions& design,
                                   ConcreteType concreteType, const TrialMeasurements& trial) {
  const Adjuster x(in, design, trial);
  if (!x.divisorsNonZero()) return refused();

  AdjustmentReport report;
  report.lines.reserve(10);  // the heading, the advice and eight numbers
  report.lines.push_back(textLine(texts::kAdjustedHeading));
  Adjuster::WeightPart w;
  double air;
  if (concreteType == ConcreteType::NonAirEntrained) {
    double Y;
    w = x.weightWithoutAir(Y);
    air = x.airFromYield(w, Y);
    report.airContent = air;
  } else {
    if (x.unitWeightDivisor() == 0) return refused();
    if (x.a1 > x.A) report.lines.push_back(textLine(texts::kReduceAdmixture));
    if (x.a1 < x.A) report.lines.push_back(textLine(texts::kIncreaseAdmixture));
    w = x.weightWithAir(x.unitWeightDivisor());
    air = x.A;
    report.airContent = design.airContent;
  }
  const Adjuster::VolumePart v = x.volume(air);

  AdjustedProportions& m = report.adjusted;
  m.measured = trial;
  m.mixingWater = v.water;
  m.cementContent = roundToWhole(v.cement);
  m.coarseAggregateMass = v.coarse;
  m.fineAggregateMassByWeight = w.fine;
  m.batchWaterByWeight = roundToWhole(w.batchWater);
  m.batchCoarseAggregateMass = roundToWhole(v.batchCoarse);
  m.batchFineAggregateMassByWeight = roundToWhole(w.batchFine);
  m.batchFineAggregateMassByVolume = roundToWhole(v.batchFine);
  m.batchWaterByVolume = roundToWhole(v.batchWater);
  const double weightCement = roundToWhole(w.cement);
  const double weightCoarse = roundToWhole(w.batchCoarse);
  // The trial air content is also written to the mix file, which holds numbers only.
  if (!allFinite({m.measured.airContent, report.airContent, m.mixingWater, m.cementContent,
                  m.coarseAggregateMass, m.fineAggregateMassByWeight, m.batchWaterByWeight,
                  m.batchCoarseAggregateMass, m.batchFineAggregateMassByWeight,
                  m.batchFineAggregateMassByVolume, m.batchWaterByVolume, weightCement,
                  weightCoarse})) {
    return refused();
  }

  report.byWeight = {m.batchWaterByWeight, weightCement, weightCoarse,
                     m.batchFineAggregateMassByWeight};
  report.dryByWeight = {w.water, w.cement, w.coarse, w.fine};
  report.dryByVolume = {v.water, v.cement, v.coarse, v.fine};
  report.waterToAddByWeight = w.batchWater;
  report.waterToAddByVolume = v.batchWater;
  report.byVolume = {m.batchWaterByVolume, m.cementContent, m.batchCoarseAggregateMass,
                     m.batchFineAggregateMassByVolume};
  report.lines.push_back(line(texts::kAdjustedWaterByWeight, report.byWeight.water));
  report.lines.push_back(line(texts::kAdjustedCementByWeight, report.byWeight.cement));
  report.lines.push_back(line(texts::kAdjustedCoarseByWeight, report.byWeight.coarseAggregate));
  report.lines.push_back(line(texts::kAdjustedSandByWeight, report.byWeight.fineAggregate));
  report.lines.push_back(line(texts::kAdjustedWaterByVolume, report.byVolume.water));
  report.lines.push_back(line(texts::kAdjustedCementByVolume, report.byVolume.cement));
  report.lines.push_back(line(texts::kAdjustedCoarseByVolume, report.byVolume.coarseAggregate));
  report.lines.push_back(line(texts::kAdjustedSandByVolume, report.byVolume.fineAggregate));
  return report;
}

}  // namespace veldora
