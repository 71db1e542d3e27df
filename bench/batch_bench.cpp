// veldora-cli --batch end to end (read, design, adjust, write) on a million generated rows of a
// plant's catalogue: strength classes, slumps, sizes, aggregate sources, both concrete types, a
// third with a trial batch and a few that stop. `veldora_bench --rows N` prints such a CSV.
#include "cli/batch.h"

#include <cstdio>
#include <iostream>
#include <random>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

namespace veldora {
namespace {

std::string generatedRows(long rows) {
  std::mt19937 random(1);
  const auto pick = [&random](int n) { return static_cast<int>(random() % unsigned(n)); };
  std::string csv =
      "id,strength,slump,max-size,fineness,rodded-density,coarse-moisture,fine-moisture,concrete,"
      "exposure,trial-slump,trial-unit-weight,trial-air\n";
  const char* sizes[] = {"9.5", "12.5", "19", "25.4", "37.5", "50"};
  const char* slumps[] = {"25", "50", "75", "100", "150"};
  char line[256];
  for (long r = 0; r < rows; ++r) {
    const bool air = pick(2) == 1;
    const bool trial = pick(3) == 0;
    // About one in twenty asks for a strength the design refuses.
    const int strength = pick(20) == 0 ? 450 : 150 + 5 * pick(51);
    std::snprintf(
        line, sizeof line, "C%ld,%d,%s,%s,%.2f,%d,%.1f,%.1f,%s,%s,%s,%s,%s\n", r, strength,
        slumps[pick(5)], sizes[pick(6)], 2.4 + 0.1 * pick(7), 1500 + 10 * pick(30), 0.1 * pick(30),
        0.1 * pick(60), air ? "air-entrained" : "non-air-entrained",
        pick(4) == 0 ? "wet-freeze-thaw" : "", trial ? std::to_string(20 + pick(80)).c_str() : "",
        trial ? std::to_string(2250 + pick(150)).c_str() : "",
        trial && air ? std::to_string(3 + pick(5)).c_str() : "");
    csv += line;
  }
  return csv;
}

// Discards what it is given.
class NullBuffer : public std::streambuf {
 protected:
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
  int overflow(int c) override { return c; }
};

void BM_Batch(benchmark::State& state) {
  static const std::string csv = generatedRows(state.range(0));
  NullBuffer discard;
  std::ostream out(&discard);
  std::ostringstream err;
  for (auto _ : state) {
    size_t at = 0;
    const int status = cli::runBatch(
        [&at](char* data, size_t size) {
          const size_t n = std::min(size, csv.size() - at);
          csv.copy(data, n, at);
          at += n;
          return n;
        },
        {"-", std::nullopt, false}, out, err);
    benchmark::DoNotOptimize(status);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Batch)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace veldora

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--rows") {
    std::cout << veldora::generatedRows(std::stol(argv[2]));
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
