// Speed of the texture path: decoding, resampling and the depth conversions.
#include <benchmark/benchmark.h>

#include <vector>

#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"

namespace {

void Fill(DibImage& image, int side) {
  image.Create(side, side, 24);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side * 3; ++x) image.Row(y)[x] = uint8_t(x * 7 + y * 13);
}

void BM_Resample(benchmark::State& state) {
  const int side = int(state.range(0));
  for (auto _ : state) {
    DibImage image;
    Fill(image, side);
    image.Resample(256, 256);
    benchmark::DoNotOptimize(image.pixels);
  }
}
BENCHMARK(BM_Resample)->Arg(100)->Arg(512);

void BM_ConvertTo(benchmark::State& state) {
  const int bits = int(state.range(0)), mode = int(state.range(1));
  for (auto _ : state) {
    DibImage image;
    Fill(image, 256);
    image.ConvertTo(bits, mode);
    benchmark::DoNotOptimize(image.pixels);
  }
}
BENCHMARK(BM_ConvertTo)->Args({16, 0})->Args({32, 0})->Args({8, 1})->Args({8, 2})->Args({1, 0});

void BM_ReadTgaRle(benchmark::State& state) {
  // A 256 x 256 run-length TGA of stripes: one packet of 128 pixels at a time.
  std::vector<uint8_t> file = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 24, 0};
  for (int i = 0; i < 512; ++i) file.insert(file.end(), {0xFF, uint8_t(i), 0x20, 0x40});
  for (auto _ : state) {
    DibImage image;
    benchmark::DoNotOptimize(ReadTgaMemory(file.data(), file.size(), &image));
  }
}
BENCHMARK(BM_ReadTgaRle);

}  // namespace
