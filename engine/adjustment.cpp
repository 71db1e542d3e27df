#include "engine/adjustment.h"

#include "engine/numbers.h"
#include "engine/texts.h"

#include <cmath>
#include <string>

namespace veldora {
namespace {

std::string line(const char* label, double value) {
  return label + plainText(value) + texts::kKilogram;
}

// The formulas in the symbols of ACI 211.1's trial-batch adjustment; each is written operation
// by operation as the method states it, so the results match the program's to the last bit.
class Adjuster {
 public:
  Adjuster(const MixInputs& in, const MixProportions& d, const TrialMeasurements& t)
      : S(in.SL),
        gc(in.gc),
        gG(in.GS),
        gF(in.GG),
        mG(in.ws),
        aG(in.wsd),
        mF(in.wg),
        aF(in.wgd),
        A(d.AIRP),
        wc(d.WOC),
        C(d.SIM),
        G(d.wsand),
        Gc(d.ewsand),
        Fwc(d.ewgravel),
        Fvc(d.evwgravel),
        s1(t.sl1),
        a1(t.airp1),
        r1(t.roc1),
        w1(t.water1) {}

  // Free water carried by a wet coarse or sand batch weight B.
  double fwG(double B) const { return B / (1 + mG / 100) * (mG - aG) / 100; }
  double fwF(double B) const { return B / (1 + mF / 100) * (mF - aF) / 100; }
  // Batch mass with sand batch weight Fb, and the net water per cubic metre of trial concrete.
  double M(double Fb) const { return w1 + C + Gc + Fb; }
  double Wnet(double Fb) const { return (fwF(Fb) + fwG(Gc) + w1) * r1 / M(Fb); }

  struct WeightPart {
    double W2, sim1, wsand1, wgravel1, ewater1, ewsand1, ewgravel1;
  };
  struct VolumePart {
    double W2v, sim1, wsand1, ewsand1, evwgravel1, evwater1;
  };

  // Non-air-entrained, weight method: the yield comes from the absolute-volume batch.
  WeightPart weightWithoutAir(double& Y) const {
    WeightPart w{};
    Y = M(Fvc) / r1;
    w.W2 = Wnet(Fwc) + (S - s1) * 2 / 10;
    w.sim1 = w.W2 / wc;
    w.wsand1 = G / Y;
    w.wgravel1 = r1 - w.W2 - w.wsand1 - w.sim1;
    w.ewsand1 = Gc / Y;
    w.ewgravel1 = (1 + mF / 100) * w.wgravel1;
    w.ewater1 = w.W2 - (fwF(w.ewgravel1) + fwG(w.ewsand1));
    return w;
  }

  // Air content of the non-air-entrained trial batch from its yield.
  double airFromYield(const WeightPart& w, double Y) const {
    const double V = (w.wgravel1 / gF + w.wsand1 / gG + C / gc + (w.W2 - (S - s1) * 0.2)) / 1000;
    return (Y - V) / Y * 100;
  }

  // Air-entrained, weight method: water corrected for the air difference, and the measured unit
  // weight referred to the design air content.
  WeightPart weightWithAir(double unitWeightDivisor) const {
    WeightPart w{};
    w.W2 = Wnet(Fwc) + (S - s1) * 2 / 10 + (a1 - A) * 3;
    w.sim1 = w.W2 / wc;
    const double Y = M(Fwc) / r1;
    w.wsand1 = G / Y;
    const double r1prime = r1 / unitWeightDivisor;
    w.wgravel1 = r1prime - w.W2 - w.wsand1 - w.sim1;
    w.ewsand1 = Gc / Y;
    w.ewgravel1 = (1 + mF / 100) * w.wgravel1;
    w.ewater1 = w.W2 - (fwF(w.ewgravel1) + fwG(w.ewsand1));
    return w;
  }
  double unitWeightDivisor() const { return 1 + A / 100 - a1 / 100; }

  // Absolute-volume method with air content air: A' without entrained air, A with it.
  VolumePart volume(double air) const {
    VolumePart v{};
    v.W2v = Wnet(Fvc) + (S - s1) * 2 / 10 + (a1 - air) * 3;
    v.sim1 = v.W2v / wc;
    const double Y = M(Fvc) / r1;
    v.wsand1 = G / Y;
    v.ewsand1 = Gc / Y;
    v.evwgravel1 =
        (1 + mF / 100) * (10 * gF * (100 - air) - gF * (v.wsand1 / gG + v.sim1 / gc + v.W2v));
    v.evwater1 = v.W2v - (fwF(v.evwgravel1) + (mG - aG) * v.wsand1 / 100);
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
  report.lines.push_back(texts::kAdjustedHeading);
  Adjuster::WeightPart w;
  double air;
  if (concreteType == ConcreteType::NonAirEntrained) {
    double Y;
    w = x.weightWithoutAir(Y);
    air = x.airFromYield(w, Y);
    report.AIRP = air;
  } else {
    if (x.unitWeightDivisor() == 0) return refused();
    if (x.a1 > x.A) report.lines.push_back(texts::kReduceAdmixture);
    if (x.a1 < x.A) report.lines.push_back(texts::kIncreaseAdmixture);
    w = x.weightWithAir(x.unitWeightDivisor());
    air = x.A;
    report.AIRP = design.AIRP;
  }
  const Adjuster::VolumePart v = x.volume(air);

  AdjustedMembers& m = report.members;
  m.sl1 = trial.sl1;
  m.airp1 = trial.airp1;
  m.roc1 = trial.roc1;
  m.water1 = trial.water1;
  m.water2 = v.W2v;
  m.sim1 = roundToWhole(v.sim1);
  m.wsand1 = v.wsand1;
  m.wgravel1 = w.wgravel1;
  m.ewater1 = roundToWhole(w.ewater1);
  m.ewsand1 = roundToWhole(v.ewsand1);
  m.ewgravel1 = roundToWhole(w.ewgravel1);
  m.evwgravel1 = roundToWhole(v.evwgravel1);
  m.evwater1 = roundToWhole(v.evwater1);
  const double weightCement = roundToWhole(w.sim1);
  const double weightCoarse = roundToWhole(w.ewsand1);
  // airp1 is also written to the mix file, which holds numbers only.
  if (!allFinite({m.airp1, report.AIRP, m.water2, m.sim1, m.wsand1, m.wgravel1, m.ewater1,
                  m.ewsand1, m.ewgravel1, m.evwgravel1, m.evwater1, weightCement, weightCoarse})) {
    return refused();
  }

  report.lines.push_back(line(texts::kAdjustedWaterByWeight, m.ewater1));
  report.lines.push_back(line(texts::kAdjustedCementByWeight, weightCement));
  report.lines.push_back(line(texts::kAdjustedCoarseByWeight, weightCoarse));
  report.lines.push_back(line(texts::kAdjustedSandByWeight, m.ewgravel1));
  report.lines.push_back(line(texts::kAdjustedWaterByVolume, m.evwater1));
  report.lines.push_back(line(texts::kAdjustedCementByVolume, m.sim1));
  report.lines.push_back(line(texts::kAdjustedCoarseByVolume, m.ewsand1));
  report.lines.push_back(line(texts::kAdjustedSandByVolume, m.evwgravel1));
  return report;
}

}  // namespace veldora
