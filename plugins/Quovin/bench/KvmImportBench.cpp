// Motion file import (file read, parse and build) of 31 controls by n keys,
// at several n up to and past 4,500, with the cost fitted to n log n in the
// keys; keys in file order and shuffled. Beside it, the floor: reading the
// same file and converting every number in it with strtof. Prints the ratio.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "ferrox/testing/TempFolder.h"
#include "plugins/Quovin/ImportKVM.h"
#include "plugins/Quovin/KvmReader.h"
#include "plugins/testing/ImportTiming.h"
#include "plugins/testing/NumberFloor.h"

namespace {

constexpr int kControls = 31;
const std::vector<int64_t> kKeyCounts = {562, 1125, 2250, 4500, 9000};

// 30 rotations and a position, as the writer writes them, keys every frame.
std::string GeneratedMotion(int keys, bool shuffled) {
  std::vector<int> frames(size_t(keys), 0);
  for (int i = 0; i < keys; ++i) frames[size_t(i)] = i;
  std::mt19937 random(7);
  if (shuffled) std::shuffle(frames.begin(), frames.end(), random);
  std::string text = "Savora Motion Ver 2\r\nMotion {\r\n\tname = \"bench\"\r\n\tendframe = " + std::to_string(keys) +
                     "\r\n\tloop = 1\r\n";
  char line[160];
  for (int c = 0; c < kControls; ++c) {
    const bool vector = c == kControls - 1;
    std::snprintf(line, sizeof line,
                  "\t%s {\r\n\t\tname = \"j%d\"\r\n\t\tclass = \"%s\"\r\n\t\tmember = \"%s\"\r\n\t\tcurve = \"spline\"\r\n",
                  vector ? "Vector" : "Quaternion", c, vector ? "Locate" : "Coordinate", vector ? "pos" : "rot");
    text += line;
    for (int f : frames) {
      const float a = 0.001f * float(f * (c + 1) % 6283);
      if (vector)
        std::snprintf(line, sizeof line, "\t\t%d (%f %f %f)\r\n", f, std::sin(a) * 10, 100.0, std::cos(a) * 10);
      else
        std::snprintf(line, sizeof line, "\t\t%d (%f %f %f %f)\r\n", f, std::sin(a), 0.0, 0.0, std::cos(a));
      text += line;
    }
    text += "\t}\r\n";
  }
  return text + "}\r\nEof\r\n";
}

struct MotionFile {
  std::string path;
  std::string text;
};

const MotionFile& File(int keys, bool shuffled) {
  static std::map<std::pair<int, bool>, MotionFile> files;
  MotionFile& file = files[{keys, shuffled}];
  if (file.path.empty()) {
    file.text = GeneratedMotion(keys, shuffled);
    file.path = FrxTest::ProgramFolder().Put(std::to_string(keys) + (shuffled ? "s" : "") + ".kvm", file.text);
  }
  return file;
}

// The floor: the whole file read, then strtof over every number in it.
void BM_ReadAndStrtof(benchmark::State& state) {
  const MotionFile& file = File(int(state.range(0)), false);
  for (auto _ : state) benchmark::DoNotOptimize(plugtest::ReadAndSumNumbers(file.path));
  state.SetComplexityN(state.range(0) * kControls);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.text.size()));
}

// Import through the master: file read, parse, settle the keys, build.
void ImportKvm(benchmark::State& state, bool shuffled) {
  const MotionFile& file = File(int(state.range(0)), shuffled);
  plugtest::TimeImports<ImportKVM>(state, file.path);
  state.SetComplexityN(state.range(0) * kControls);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.text.size()));
}
void BM_ImportKvm(benchmark::State& state) { ImportKvm(state, false); }
void BM_ImportKvmShuffled(benchmark::State& state) { ImportKvm(state, true); }

// The reader alone, from memory.
void BM_ReadDocument(benchmark::State& state) {
  const MotionFile& file = File(int(state.range(0)), false);
  for (auto _ : state) {
    Kvm::Document doc;
    std::string error;
    benchmark::DoNotOptimize(Kvm::ReadKvmDocument(file.text.data(), file.text.size(), doc, error));
  }
  state.SetComplexityN(state.range(0) * kControls);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.text.size()));
}

BENCHMARK(BM_ReadAndStrtof)->ArgsProduct({kKeyCounts})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_ImportKvm)->ArgsProduct({kKeyCounts})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);
BENCHMARK(BM_ImportKvmShuffled)->ArgsProduct({kKeyCounts})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);
BENCHMARK(BM_ReadDocument)->ArgsProduct({kKeyCounts})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

// Keeps the time of every run so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.iterations > 0 && run.run_type == Run::RT_Iteration && !run.error_occurred)
        seconds[run.run_name.str()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n31 controls by n keys: import time over the read + strtof floor\n");
  for (int64_t n : kKeyCounts) {
    const std::string arg = "/" + std::to_string(n);
    const double floor = reporter.seconds["BM_ReadAndStrtof" + arg], import = reporter.seconds["BM_ImportKvm" + arg],
                 shuffled = reporter.seconds["BM_ImportKvmShuffled" + arg];
    if (floor > 0 && import > 0)
      std::printf("  n = %5lld (%6.2f MB): import %.2fx the floor, keys shuffled %.2fx\n", static_cast<long long>(n),
                  double(File(int(n), false).text.size()) / 1e6, import / floor, shuffled / floor);
  }
  benchmark::Shutdown();
  return 0;
}
