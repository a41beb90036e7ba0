// Importing a real motion capture file (CMU 01_03: 31 joints, 4,511 frames,
// 3.4 MB) through VoMaster::Import, beside assimp's own import of the same
// file and the floor of reading it and converting every number with strtof,
// in the same run; then one animation update of the imported character.
// The wide skeletons are in WideBvhBench.cpp. Prints the times and their
// ratios.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "ferrox/math/Pmatrix.h"
#include "ferrox/testing/ReadWhole.h"
#include "plugins/Sorvel/BvhParser.h"
#include "plugins/Sorvel/ImportBVH.h"
#include "plugins/Sorvel/bench/WideBvhBench.h"
#include "plugins/testing/ImportTiming.h"
#include "plugins/testing/NumberFloor.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

#ifdef SORVEL_HAVE_ASSIMP
#include <assimp/cimport.h>
#include <assimp/scene.h>
#endif

namespace {

const char* const kFile = "/usr/share/assimp/models/BVH/01_03.bvh";

const std::string& Text() {
  static const std::string text = FrxTest::ReadWhole(kFile);
  return text;
}

bool Missing(benchmark::State& state) {
  if (!Text().empty()) return false;
  state.SkipWithError("01_03.bvh not found (Debian package assimp-testmodels)");
  return true;
}

// The floor: the whole file read, then strtof over every number in it.
void BM_ReadAndStrtof(benchmark::State& state) {
  if (Missing(state)) return;
  for (auto _ : state) benchmark::DoNotOptimize(plugtest::ReadAndSumNumbers(kFile));
}
BENCHMARK(BM_ReadAndStrtof)->Unit(benchmark::kMillisecond);

// Through the master: file read, parse, skeleton, motion and 140k keys.
void BM_ImportBvh(benchmark::State& state) {
  if (Missing(state)) return;
  plugtest::TimeImports<ImportBVH>(state, kFile);
}
BENCHMARK(BM_ImportBvh)->Unit(benchmark::kMillisecond);

// The reader alone, from memory.
void BM_ParseOnly(benchmark::State& state) {
  if (Missing(state)) return;
  for (auto _ : state) {
    Bvh::Document doc;
    std::string error;
    benchmark::DoNotOptimize(Bvh::ParseBvhDocument(Text().data(), Text().size(), doc, error));
  }
}
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMillisecond);

#ifdef SORVEL_HAVE_ASSIMP
// assimp's import of the same file with no post-processing; its release is
// not timed, as ours is not.
void BM_AssimpImport(benchmark::State& state) {
  if (Missing(state)) return;
  for (auto _ : state) {
    const aiScene* scene = aiImportFile(kFile, 0);
    if (!scene || scene->mNumAnimations == 0) state.SkipWithError("assimp failed");
    state.PauseTiming();
    aiReleaseImport(scene);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AssimpImport)->Unit(benchmark::kMillisecond);
#endif

// One frame of the imported character: its 62 controls read, the forward
// pass over 31 joints and 6 End Sites.
void BM_AnimationUpdate(benchmark::State& state) {
  if (Missing(state)) return;
  VoMaster master;
  master.Initialize(nullptr);
  ImportBVH desc;
  master.RegistClassDesc(&desc);
  VoICharacter* character = master.NewItem<VoICharacter>(nullptr);
  if (!master.Import(kFile, character, 0)) state.SkipWithError("import failed");
  float t = 0.0f;
  for (auto _ : state) {
    master.CountUpdate();
    master.Animation(character, Frx::Pmatrix::id, t);
    t += 1.37f;
  }
  master.ReleaseItem(character);
  master.Uninitialize();
}
BENCHMARK(BM_AnimationUpdate)->Unit(benchmark::kMicrosecond);

// Remembers the time of every run so the ratios can be printed at the end:
// the median over repetitions (reported by the library, or of the runs seen).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.iterations <= 0 || run.error_occurred) continue;
      const double seconds = run.real_accumulated_time / double(run.iterations);
      if (run.run_type == Run::RT_Iteration) times_[Name(run)].push_back(seconds);
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") medians_[Name(run)] = seconds;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // Seconds a run; 0 when it did not run.
  double Seconds(const std::string& name) {
    if (medians_.count(name)) return medians_[name];
    std::vector<double>& t = times_[name];
    if (t.empty()) return 0.0;
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
  }

 private:
  // "BM_WideImport/5000"; the function alone when it takes no argument.
  static std::string Name(const Run& run) {
    return run.run_name.args.empty() ? run.run_name.function_name
                                     : run.run_name.function_name + "/" + run.run_name.args;
  }
  std::map<std::string, std::vector<double>> times_;
  std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto ms = [&](const char* name) { return reporter.Seconds(name) * 1e3; };
  const double ours = ms("BM_ImportBvh"), floor = ms("BM_ReadAndStrtof"), assimp = ms("BM_AssimpImport");
  if (ours > 0) {
    std::printf("\n01_03.bvh (%.1f MB): import %.2f ms, read + strtof floor %.2f ms (import takes %.2fx the floor)",
                double(Text().size()) / 1e6, ours, floor, floor > 0 ? ours / floor : 0.0);
    if (assimp > 0)
      std::printf(", assimp %.2f ms (ours is %.2fx as fast)", assimp, assimp / ours);
    std::printf("\none animation update of the imported character: %.2f us\n",
                reporter.Seconds("BM_AnimationUpdate") * 1e6);
  }
  PrintWideSummary([&](const std::string& name) { return ms(name.c_str()); });
  benchmark::Shutdown();
  return 0;
}
