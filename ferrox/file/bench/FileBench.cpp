// Costs of the path functions, whole-text reads and folder searches.
#include <benchmark/benchmark.h>

#include <list>
#include <string>

#include "ferrox/file/File.h"
#include "ferrox/file/Path.h"
#include "ferrox/testing/TempFolder.h"

namespace {

void BM_PathCombine(benchmark::State& state) {
  char out[Frx::Path::MaxPath];
  for (auto _ : state)
    benchmark::DoNotOptimize(Frx::Path::Combine(out, "C:\\models\\表示\\chara\\", "..\\textures\\skin.bmp"));
}
BENCHMARK(BM_PathCombine);

void BM_PathGetPath(benchmark::State& state) {
  char out[Frx::Path::MaxPath];
  for (auto _ : state) benchmark::DoNotOptimize(Frx::Path::GetPath(out, "D:\\data\\ソース\\model.mqo"));
}
BENCHMARK(BM_PathGetPath);

void BM_ReadText(benchmark::State& state) {
  const FrxTest::TempFolder scratch;
  std::string text;
  while (text.size() < static_cast<size_t>(state.range(0))) text += "\tvertex 1.000 2.000 3.000\r\n";
  const std::string path = scratch.Put("a.txt", text);
  for (auto _ : state) {
    unsigned long size = 0;
    char* buffer = Frx::File::ReadText(path.c_str(), &size);
    benchmark::DoNotOptimize(buffer);
    Frx::File::Free(buffer);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadText)->Arg(1 << 16)->Arg(1 << 22);

void BM_Search(benchmark::State& state) {
  const FrxTest::TempFolder scratch;
  for (int i = 0; i < state.range(0); ++i) scratch.Put("file" + std::to_string(i) + (i % 2 ? ".mqo" : ".bmp"), "x");
  for (auto _ : state) {
    std::list<Frx::File::SearchData> found;
    Frx::File::Search(found, scratch.Native().c_str(), "*.MQO");
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_Search)->Arg(500);

void BM_CaseInsensitiveOpen(benchmark::State& state) {
  const FrxTest::TempFolder scratch;
  for (int i = 0; i < 200; ++i) scratch.Put("Tex/Skin" + std::to_string(i) + ".BMP", "x");
  const std::string path = scratch.Native("tex\\skin100.bmp");
  for (auto _ : state) benchmark::DoNotOptimize(Frx::File::Size(path.c_str()));
}
BENCHMARK(BM_CaseInsensitiveOpen);

}  // namespace
