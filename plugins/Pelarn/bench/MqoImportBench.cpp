// MQO import of a generated 100k-face model (file read, parse and build)
// against the floor of reading the same file and converting every number in
// it with strtof, in the same run; prints both rates and their ratio, and
// those of the nesting and texture benchmarks (MqoNestingBench.cpp,
// MqoTextureBench.cpp).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "ferrox/testing/TempFolder.h"
#include "plugins/Pelarn/ImportMQO.h"
#include "plugins/Pelarn/MqoParser.h"
#include "plugins/Pelarn/bench/MqoNestingBench.h"
#include "plugins/Pelarn/bench/MqoTextureBench.h"
#include "plugins/testing/ImportTiming.h"
#include "plugins/testing/NumberFloor.h"

namespace {

// A textured grid of about `faces` triangles as Metasequoia writes it.
std::string GeneratedModel(int faces, int* made) {
  int side = 2;
  while (2 * side * side < faces) ++side;
  *made = 2 * side * side;
  const int n = side + 1;
  std::string text = "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\nMaterial 1 {\r\n"
                     "\t\"skin\" col(1.000 1.000 1.000 1.000) dif(0.800) amb(0.600) emi(0.000) spc(0.000) "
                     "power(5.00)\r\n}\r\nObject \"grid\" {\r\n\tvisible 15\r\n\tfacet 59.5\r\n";
  char line[256];
  std::snprintf(line, sizeof line, "\tvertex %d {\r\n", n * n);
  text += line;
  for (int z = 0; z < n; ++z)
    for (int x = 0; x < n; ++x) {
      std::snprintf(line, sizeof line, "\t\t%.4f %.4f %.4f\r\n", x * 1.25f - 300.0f,
                    float((x * 7 + z * 13) % 101) * 0.173f, z * -1.25f + 300.0f);
      text += line;
    }
  std::snprintf(line, sizeof line, "\t}\r\n\tface %d {\r\n", 2 * side * side);
  text += line;
  for (int z = 0; z < side; ++z)
    for (int x = 0; x < side; ++x) {
      const int a = z * n + x, b = a + 1, c = a + n, d = c + 1;
      const float u0 = float(x) / side, u1 = float(x + 1) / side, v0 = float(z) / side, v1 = float(z + 1) / side;
      std::snprintf(line, sizeof line, "\t\t3 V(%d %d %d) M(0) UV(%.5f %.5f %.5f %.5f %.5f %.5f)\r\n", a, c, b, u0,
                    v0, u0, v1, u1, v0);
      text += line;
      std::snprintf(line, sizeof line, "\t\t3 V(%d %d %d) M(0) UV(%.5f %.5f %.5f %.5f %.5f %.5f)\r\n", b, c, d, u1,
                    v0, u0, v1, u1, v1);
      text += line;
    }
  return text + "\t}\r\n}\r\nEof\r\n";
}

struct ModelFile {
  ModelFile() : text(GeneratedModel(100000, &faces)), path(FrxTest::ProgramFolder().Put("model.mqo", text)) {}
  int faces = 0;  // first: the generator sets it
  std::string text;
  std::string path;
};

ModelFile& Model() {
  static ModelFile model;
  return model;
}

// The floor: the whole file read, then strtof over every number in it.
void BM_ReadAndStrtof(benchmark::State& state) {
  const ModelFile& model = Model();
  for (auto _ : state) benchmark::DoNotOptimize(plugtest::ReadAndSumNumbers(model.path));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(model.text.size()));
}
BENCHMARK(BM_ReadAndStrtof)->Unit(benchmark::kMillisecond);

// Import through the master: file read, parse, records and items.
void BM_ImportMqo(benchmark::State& state) {
  const ModelFile& model = Model();
  plugtest::TimeImports<ImportMQO>(state, model.path);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(model.text.size()));
}
BENCHMARK(BM_ImportMqo)->Unit(benchmark::kMillisecond);

// The reader alone, from memory.
void BM_ParseOnly(benchmark::State& state) {
  const ModelFile& model = Model();
  for (auto _ : state) {
    Mqo::Document doc;
    std::string error;
    benchmark::DoNotOptimize(Mqo::ParseMqoDocument(model.text.data(), model.text.size(), 1.0f, doc, error));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(model.text.size()));
}
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMillisecond);

// Remembers the rate and time of every run so the ratios can be printed at
// the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.iterations == 0 || run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      if (auto rate = run.counters.find("bytes_per_second"); rate != run.counters.end())
        rates[run.run_name.function_name] = rate->second;
      seconds[run.run_name.str()] = run.GetAdjustedRealTime() * 1e-3;  // the runs report milliseconds
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> rates;
  std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double floor = reporter.rates["BM_ReadAndStrtof"], import = reporter.rates["BM_ImportMqo"];
  if (floor > 0 && import > 0)
    std::printf("\n%.1f MB model, %d faces: import %.1f MB/s, read + strtof floor %.1f MB/s, import takes %.2fx the floor\n",
                double(Model().text.size()) / 1e6, Model().faces, import / 1e6, floor / 1e6, floor / import);
  mqobench::PrintNestingRatios(reporter.seconds);
  mqobench::PrintTextureRatios(reporter.seconds);
  benchmark::Shutdown();
  return 0;
}
