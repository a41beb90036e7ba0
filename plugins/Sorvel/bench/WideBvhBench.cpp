// A wide skeleton: a root with n joints (each with an End Site) and one
// frame, n from 5,000 to 20,000, imported through VoMaster::Import and
// written back, beside the floor of reading the same file and converting
// every number with strtof; each fitted to O(n), with the time per joint.
#include "plugins/Sorvel/bench/WideBvhBench.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <vector>

#include "ferrox/testing/TempFolder.h"
#include "plugins/Sorvel/BvhWriter.h"
#include "plugins/Sorvel/ImportBVH.h"
#include "plugins/testing/ImportTiming.h"
#include "plugins/testing/NumberFloor.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

namespace {

// A root with n joints, each with an End Site, and one frame.
std::string WideText(int joints) {
  std::string text =
      "HIERARCHY\nROOT Hips\n{\n\tOFFSET 0 0 0\n"
      "\tCHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n";
  for (int i = 0; i < joints; ++i)
    text += "\tJOINT j" + std::to_string(i) + "\n\t{\n\t\tOFFSET " + std::to_string(i) +
            " 1 0\n\t\tCHANNELS 3 Zrotation Xrotation Yrotation\n\t\tEnd Site\n\t\t{\n\t\t\tOFFSET 0 1 0\n\t\t}\n\t}\n";
  text += "}\nMOTION\nFrames: 1\nFrame Time: 0.033333\n0 0 0 0 0 0";
  for (int i = 0; i < joints; ++i) text += " 0 0 0";
  return text + "\n";
}

const std::vector<int64_t> kJoints = {5000, 7500, 10000, 15000, 20000};

// The wide file of n joints, written once per run and removed at exit.
const std::string& WideFile(int joints) {
  static std::map<int, std::string> files;
  std::string& path = files[joints];
  if (path.empty()) path = FrxTest::ProgramFolder().Put("wide-" + std::to_string(joints) + ".bvh", WideText(joints));
  return path;
}

void PerJoint(benchmark::State& state) {
  state.SetComplexityN(state.range(0));
  state.counters["per_joint"] =
      benchmark::Counter(double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_WideReadAndStrtof(benchmark::State& state) {
  const std::string& path = WideFile(int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(plugtest::ReadAndSumNumbers(path));
  PerJoint(state);
}

// Through the master: the file, 2n + 1 locates and n + 1 controls made and
// every control bound to its joint.
void BM_WideImport(benchmark::State& state) {
  plugtest::TimeImports<ImportBVH>(state, WideFile(int(state.range(0))));
  PerJoint(state);
}

// The writer's text of the imported character (hierarchy, binding, the frame).
void BM_WideWrite(benchmark::State& state) {
  VoMaster master;
  master.Initialize(nullptr);
  ImportBVH desc;
  master.RegistClassDesc(&desc);
  VoICharacter* character = master.NewItem<VoICharacter>(nullptr);
  if (!master.Import(WideFile(int(state.range(0))).c_str(), character, 0)) state.SkipWithError("import failed");
  for (auto _ : state) benchmark::DoNotOptimize(Bvh::ComposeBvhText(character, 30.0f));
  PerJoint(state);
  master.ReleaseItem(character);
  master.Uninitialize();
}

BENCHMARK(BM_WideReadAndStrtof)->ArgsProduct({kJoints})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_WideImport)->ArgsProduct({kJoints})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_WideWrite)->ArgsProduct({kJoints})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

void PrintWideSummary(const std::function<double(const std::string&)>& ms) {
  bool header = false;
  for (int64_t n : kJoints) {
    const std::string arg = "/" + std::to_string(n);
    const double floor = ms("BM_WideReadAndStrtof" + arg), import = ms("BM_WideImport" + arg),
                 write = ms("BM_WideWrite" + arg);
    if (import <= 0) continue;
    if (!header) std::printf("\nwide skeleton, one frame: import, write and the read + strtof floor\n");
    header = true;
    std::printf("  %5lld joints: import %7.2f ms (%5.2f us a joint, %5.2fx the floor %.2f ms), write %6.2f ms\n",
                static_cast<long long>(n), import, import * 1e3 / double(n), floor > 0 ? import / floor : 0.0, floor,
                write);
  }
}
