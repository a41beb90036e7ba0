// Throughput of the maths on the per-frame paths: the series trig that every
// rotation uses, quaternion interpolation of keyed controls, and matrix
// products of the skeleton pass.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "ferrox/math/Pmath.h"

namespace {

std::vector<float> Angles() {
  std::vector<float> v(1024);
  for (size_t i = 0; i < v.size(); ++i) v[i] = -10.0f + 20.0f * static_cast<float>(i) / v.size();
  return v;
}

void BM_Psin(benchmark::State& state) {
  const std::vector<float> a = Angles();
  for (auto _ : state)
    for (float x : a) benchmark::DoNotOptimize(Frx::Psin(x));
  state.SetItemsProcessed(state.iterations() * a.size());
}
BENCHMARK(BM_Psin);

void BM_StdSin(benchmark::State& state) {
  const std::vector<float> a = Angles();
  for (auto _ : state)
    for (float x : a) benchmark::DoNotOptimize(std::sin(x));
  state.SetItemsProcessed(state.iterations() * a.size());
}
BENCHMARK(BM_StdSin);

void BM_Slerp(benchmark::State& state) {
  Frx::Pquaternion a, b, r;
  a.SetEulerXYZ(Frx::Pvector(10, 20, 30));
  b.SetEulerXYZ(Frx::Pvector(-40, 60, 5));
  float t = 0.0f;
  for (auto _ : state) {
    r.Slerp(a, b, t);
    benchmark::DoNotOptimize(r);
    t = t < 1.0f ? t + 0.001f : 0.0f;
  }
}
BENCHMARK(BM_Slerp);

void BM_QSpline(benchmark::State& state) {
  Frx::Pquaternion k[4];
  for (int i = 0; i < 4; ++i) k[i].SetEulerXYZ(Frx::Pvector(10.0f * i, 25.0f * i, -5.0f * i));
  float t = 0.0f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Frx::QSpline(k[0], k[1], k[2], k[3], t));
    t = t < 1.0f ? t + 0.001f : 0.0f;
  }
}
BENCHMARK(BM_QSpline);

void BM_MatrixProduct(benchmark::State& state) {
  Frx::Pmatrix a, b;
  const Frx::Pvector angles(0.1f, 0.2f, 0.3f);
  Frx::GetPmatrixRotate(&a, &angles);
  b.SetTranslate(Frx::Pvector(1, 2, 3));
  for (auto _ : state) {
    a = a * b;
    benchmark::DoNotOptimize(a);
  }
}
BENCHMARK(BM_MatrixProduct);

void BM_MatrixInverse(benchmark::State& state) {
  Frx::Pmatrix a;
  const Frx::Pvector angles(0.1f, 0.2f, 0.3f);
  Frx::GetPmatrixRotate(&a, &angles);
  a.SetTransVector(Frx::Pvector(1, 2, 3));
  for (auto _ : state) benchmark::DoNotOptimize(a.GetInverse());
}
BENCHMARK(BM_MatrixInverse);

}  // namespace
