#include "engine/adjustment.h"
#include "engine/designrun.h"

#include <benchmark/benchmark.h>

namespace veldora {
namespace {

// A complete design run on the default inputs, lines included.
void BM_DesignRun(benchmark::State& state) {
  const MixInputs in{50, 25.4, 210, 2.8, 1700, 3.15, 2.68, 2.64, 0.5, 0.7, 0.5, 0.7};
  const DesignConditions conditions;
  for (auto _ : state) {
    ConditionCodes codes;
    MixProportions p;
    RunReport report = designRun(in, conditions, codes, p);
    benchmark::DoNotOptimize(report);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DesignRun);

// The same with each line written as the list shows it and the command line prints it: what a
// design run cost when the steps wrote their lines as text.
void BM_DesignRunWithLineTexts(benchmark::State& state) {
  const MixInputs in{50, 25.4, 210, 2.8, 1700, 3.15, 2.68, 2.64, 0.5, 0.7, 0.5, 0.7};
  const DesignConditions conditions;
  for (auto _ : state) {
    ConditionCodes codes;
    MixProportions p;
    const RunReport report = designRun(in, conditions, codes, p);
    for (const ResultLine& line : report.lines) {
      std::string text = lineText(line);
      benchmark::DoNotOptimize(text);
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DesignRunWithLineTexts);

// The trial-batch adjustment of the default design, lines included.
void BM_Adjustment(benchmark::State& state) {
  const MixInputs in{50, 25.4, 210, 2.8, 1700, 3.15, 2.68, 2.64, 0.5, 0.7, 0.5, 0.7};
  ConditionCodes codes;
  MixProportions p;
  designRun(in, DesignConditions{}, codes, p);
  const auto type = static_cast<ConcreteType>(state.range(0));
  const TrialMeasurements trial{30, 2, 2350, 180};
  for (auto _ : state) {
    AdjustmentReport report = adjustProportions(in, p, type, trial);
    benchmark::DoNotOptimize(report);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Adjustment)->Arg(0)->Arg(1);

}  // namespace
}  // namespace veldora
