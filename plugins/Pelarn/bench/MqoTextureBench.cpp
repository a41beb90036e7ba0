// Models of n materials (2,000 to 32,000), each naming a texture of its own:
// files that do not exist, and small images that do, named in another letter
// case. Each beside the floor of reading the same file and parsing it; Google
// Benchmark fits all four to n and the per_material counters show the time a
// material costs.
#include "plugins/Pelarn/bench/MqoTextureBench.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/testing/ReadWhole.h"
#include "ferrox/testing/TempFolder.h"
#include "plugins/Pelarn/ImportMQO.h"
#include "plugins/Pelarn/MqoParser.h"
#include "plugins/Pelarn/bench/MqoBenchRuns.h"
#include "plugins/testing/ImportTiming.h"

namespace mqobench {

namespace {

enum Kind { MISSING, OTHER_CASE };

struct ModelFile {
  std::string path;
  size_t bytes = 0;
};

// Material i names "gone<i>.bmp" (missing) or "T<i>.PPM" for the image
// "t<i>.ppm" of its folder.
const ModelFile& File(int n, Kind kind) {
  static std::map<std::pair<int, Kind>, ModelFile> files;
  ModelFile& file = files[{n, kind}];
  if (!file.path.empty()) return file;
  std::string text = "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\nMaterial " + std::to_string(n) + " {\r\n";
  char line[128];
  for (int i = 0; i < n; ++i) {
    std::snprintf(line, sizeof line, kind == MISSING ? "\t\"m%05d\" col(1 1 1 1) tex(\"gone%05d.bmp\")\r\n"
                                                     : "\t\"m%05d\" col(1 1 1 1) tex(\"T%05d.PPM\")\r\n",
                  i, i);
    text += line;
  }
  text += "}\r\nEof\r\n";
  file.bytes = text.size();
  const std::string folder = kind == MISSING ? "missing/" : "case/";
  file.path = FrxTest::ProgramFolder().Put(folder + std::to_string(n) + ".mqo", text);
  return file;
}

// The images of the other-case models, made up to n as the sizes grow, so a
// run at n finds a folder of n images when the sizes run in order.
void MakeImages(int n) {
  static int made = 0;
  const std::string image = std::string("P6\n2 2\n255\n") + std::string(12, '\x7f');
  char name[32];
  for (; made < n; ++made) {
    std::snprintf(name, sizeof name, "case/t%05d.ppm", made);
    FrxTest::ProgramFolder().Put(name, image);
  }
}

void Finish(benchmark::State& state, const ModelFile& file) { CountPerItem(state, file.bytes, "per_material"); }

// The floor: the whole file read and parsed, nothing built.
void Floor(benchmark::State& state, Kind kind) {
  const ModelFile& file = File(int(state.range(0)), kind);
  for (auto _ : state) {
    const std::string text = FrxTest::ReadWhole(file.path);
    Mqo::Document doc;
    std::string error;
    benchmark::DoNotOptimize(Mqo::ParseMqoDocument(text.c_str(), text.size(), 1.0f, doc, error));
  }
  Finish(state, file);
}

void Import(benchmark::State& state, Kind kind) {
  const ModelFile& file = File(int(state.range(0)), kind);
  if (kind == OTHER_CASE) MakeImages(int(state.range(0)));
  const FrxTest::MessageBoxRecorder boxes(IDOK);
  plugtest::TimeImports<ImportMQO>(state, file.path);
  Finish(state, file);
}

void BM_MissingTexturesFloor(benchmark::State& state) { Floor(state, MISSING); }
void BM_MissingTexturesImport(benchmark::State& state) { Import(state, MISSING); }
void BM_OtherCaseTexturesFloor(benchmark::State& state) { Floor(state, OTHER_CASE); }
void BM_OtherCaseTexturesImport(benchmark::State& state) { Import(state, OTHER_CASE); }

const std::vector<int64_t> kSizes = {2000, 4000, 8000, 16000, 24000, 32000};

}  // namespace

BENCHMARK(BM_MissingTexturesFloor)->ArgsProduct({kSizes})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_MissingTexturesImport)->ArgsProduct({kSizes})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_OtherCaseTexturesFloor)->ArgsProduct({kSizes})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_OtherCaseTexturesImport)->ArgsProduct({kSizes})->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void PrintTextureRatios(const std::map<std::string, double>& seconds) {
  std::printf("\nMaterials naming textures: time over the read + parse floor of the same file\n");
  for (int64_t n : kSizes) {
    const std::string arg = "/" + std::to_string(n);
    auto at = [&seconds](const std::string& name) { return RunSeconds(seconds, name); };
    const double missingFloor = at("BM_MissingTexturesFloor" + arg), missing = at("BM_MissingTexturesImport" + arg),
                 caseFloor = at("BM_OtherCaseTexturesFloor" + arg), other = at("BM_OtherCaseTexturesImport" + arg);
    if (missingFloor > 0 && missing > 0)
      std::printf("  n = %5lld: missing files %.1fx its floor (%.2f us a material)\n", static_cast<long long>(n),
                  missing / missingFloor, missing / double(n) * 1e6);
    if (caseFloor > 0 && other > 0)
      std::printf("  n = %5lld: images in another case %.1fx its floor (%.2f us a material)\n",
                  static_cast<long long>(n), other / caseFloor, other / double(n) * 1e6);
  }
}

}  // namespace mqobench
