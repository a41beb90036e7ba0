// Throughput of the scanner and the block walker on model-sized texts.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "ferrox/text/Pscanf.h"
#include "ferrox/text/TextFormat.h"

namespace {

// A vertex block of n lines as model files hold them.
std::string VertexBlock(int n) {
  std::string text = "\tvertex " + std::to_string(n) + " {\r\n";
  char line[96];
  for (int i = 0; i < n; ++i) {
    std::snprintf(line, sizeof line, "\t\t%.4f %.4f %.4f\r\n", i * 0.37f - 500.0f, i * -1.25f,
                  (i % 977) * 3.5f);
    text += line;
  }
  return text + "\t}\r\n";
}

void BM_VertexLines(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string text = VertexBlock(n);
  for (auto _ : state) {
    const char* p = text.c_str();
    int count = 0;
    Frx::Pscanf(p, " vertex %d {", &count);
    p = Frx::TextFormat::NextParagraph(p);
    float x, y, z, sum = 0;
    for (int i = 0; i < count && Frx::Pscanf(p, " %f %f %f", &x, &y, &z); ++i) sum += x + y + z;
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}
BENCHMARK(BM_VertexLines)->Arg(1000)->Arg(100000);

void BM_ExitSection(benchmark::State& state) {
  const std::string text = VertexBlock(static_cast<int>(state.range(0))) + "}\r\nEof\r\n";
  for (auto _ : state) benchmark::DoNotOptimize(Frx::TextFormat::ExitSection(text.c_str(), 1));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}
BENCHMARK(BM_ExitSection)->Arg(100000);

void BM_NamedEntry(benchmark::State& state) {
  const std::string text = "\t\tname = \"j_LeftUpperArm\"\r\n";
  char name[256];
  int frame = 0;
  for (auto _ : state) {
    const char* p = text.c_str();
    benchmark::DoNotOptimize(Frx::Pscanf(p, " endframe = %d", &frame));
    benchmark::DoNotOptimize(Frx::Pscanf(p, " name = \"%s\"", name, (int)sizeof name));
  }
}
BENCHMARK(BM_NamedEntry);

}  // namespace
