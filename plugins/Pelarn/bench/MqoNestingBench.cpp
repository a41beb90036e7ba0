// Models nested by name at n objects (2,500 to 20,000): one chain n deep,
// which the importer refuses (the engine walks 256 levels), and chains of
// 250, which it builds. Each beside the floor of reading the same file and
// converting its numbers with strtof; Google Benchmark fits all four to n
// and the per_object counters show the time an object costs.
#include "plugins/Pelarn/bench/MqoNestingBench.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <utility>

#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/testing/TempFolder.h"
#include "plugins/Pelarn/ImportMQO.h"
#include "plugins/Pelarn/bench/MqoBenchRuns.h"
#include "plugins/testing/DeepModels.h"
#include "plugins/testing/ImportTiming.h"
#include "plugins/testing/NumberFloor.h"

namespace mqobench {

namespace {

constexpr int kAcceptedChain = 250;

struct ModelFile {
  std::string path;
  size_t bytes = 0;
};

const ModelFile& File(int n, int chain) {
  static std::map<std::pair<int, int>, ModelFile> files;
  ModelFile& file = files[{n, chain}];
  if (file.path.empty()) {
    const std::string text = plugtest::NestedObjectsMqo(n, chain);
    file.bytes = text.size();
    file.path = FrxTest::ProgramFolder().Put("nesting-" + std::to_string(n) + "-" + std::to_string(chain) + ".mqo", text);
  }
  return file;
}

void Finish(benchmark::State& state, const ModelFile& file) { CountPerItem(state, file.bytes, "per_object"); }

void Floor(benchmark::State& state, int chain) {
  const ModelFile& file = File(int(state.range(0)), chain);
  for (auto _ : state) benchmark::DoNotOptimize(plugtest::ReadAndSumNumbers(file.path));
  Finish(state, file);
}

// Import through the master into a new character; `built` says whether the
// model is to be built or refused.
void Import(benchmark::State& state, int chain, bool built) {
  const ModelFile& file = File(int(state.range(0)), chain);
  // The refusal's error box, answered at once.
  const FrxTest::MessageBoxRecorder boxes(IDOK);
  plugtest::TimeImports<ImportMQO>(state, file.path, built);
  Finish(state, file);
}

// One chain as deep as the file is long.
void BM_DeepChainFloor(benchmark::State& state) { Floor(state, int(state.range(0))); }
void BM_DeepChainRefused(benchmark::State& state) { Import(state, int(state.range(0)), false); }
// Chains the engine accepts.
void BM_ChainsOf250Floor(benchmark::State& state) { Floor(state, kAcceptedChain); }
void BM_ChainsOf250Import(benchmark::State& state) { Import(state, kAcceptedChain, true); }

}  // namespace

const std::vector<int64_t> kNestingSizes = {2500, 5000, 10000, 20000};

BENCHMARK(BM_DeepChainFloor)->ArgsProduct({kNestingSizes})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_DeepChainRefused)->ArgsProduct({kNestingSizes})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_ChainsOf250Floor)->ArgsProduct({kNestingSizes})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_ChainsOf250Import)->ArgsProduct({kNestingSizes})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void PrintNestingRatios(const std::map<std::string, double>& seconds) {
  std::printf("\nObjects nested by name: time over the read + strtof floor of the same file\n");
  for (int64_t n : kNestingSizes) {
    const std::string arg = "/" + std::to_string(n);
    auto at = [&seconds](const std::string& name) { return RunSeconds(seconds, name); };
    const double deepFloor = at("BM_DeepChainFloor" + arg), refused = at("BM_DeepChainRefused" + arg),
                 chainsFloor = at("BM_ChainsOf250Floor" + arg), built = at("BM_ChainsOf250Import" + arg);
    if (deepFloor > 0 && refused > 0 && chainsFloor > 0 && built > 0)
      std::printf("  n = %5lld: one chain refused %.2fx its floor (%.2f us an object), chains of 250 built %.2fx "
                  "(%.2f us an object)\n",
                  static_cast<long long>(n), refused / deepFloor, refused / double(n) * 1e6, built / chainsFloor,
                  built / double(n) * 1e6);
  }
}

}  // namespace mqobench
