// VertexBlender blending three 20,000-vertex morph entries (the base and two
// targets) per update: the blend job alone beside a plain weighted-sum loop
// over the same arrays (the floor), and the blender's whole update (weights,
// blend, normals), in the same run; prints the rates and their ratio.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "plugins/Uvesk/BlendJob.h"
#include "plugins/Uvesk/UveskDescs.h"
#include "plugins/Uvesk/VertexBlender.h"
#include "vocore/geometry/VoFace.h"
#include "vocore/item/VoIObject.h"
#include "vocore/scene/VoIValue.h"
#include "vocore/vocore/VoMaster.h"

namespace {

constexpr int kVertices = 20000;
constexpr int kTargets = 3;

// A 100 × 200 grid bent differently per target.
std::vector<Frx::Pvector> Shape(int k) {
  std::vector<Frx::Pvector> v(kVertices);
  for (int i = 0; i < kVertices; ++i) {
    const float x = float(i % 100) * 0.01f, y = float(i / 100) * 0.01f;
    v[size_t(i)] = Frx::Pvector(x, y, 0.1f * float(k) * std::sin(x * 3.0f + float(k)));
  }
  return v;
}

const std::vector<std::vector<Frx::Pvector>>& Shapes() {
  static const auto shapes = [] {
    std::vector<std::vector<Frx::Pvector>> s;
    for (int k = 0; k < kTargets; ++k) s.push_back(Shape(k));
    return s;
  }();
  return shapes;
}

const float kWeights[kTargets] = {0.5f, 0.25f, 0.25f};

void BM_PlainWeightedSum(benchmark::State& state) {
  const auto& shapes = Shapes();
  std::vector<Frx::Pvector> out(kVertices);
  for (auto _ : state) {
    for (int j = 0; j < kVertices; ++j) out[size_t(j)] = Frx::Pvector(0, 0, 0);
    for (int t = 0; t < kTargets; ++t) {
      const Frx::Pvector* src = shapes[size_t(t)].data();
      const float w = kWeights[t];
      for (int j = 0; j < kVertices; ++j) {
        out[size_t(j)].x += w * src[j].x;
        out[size_t(j)].y += w * src[j].y;
        out[size_t(j)].z += w * src[j].z;
      }
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kVertices * kTargets);
}
BENCHMARK(BM_PlainWeightedSum)->Unit(benchmark::kMicrosecond);

void BM_BlendJob(benchmark::State& state) {
  const auto& shapes = Shapes();
  std::vector<Frx::Pvector> out(kVertices);
  BlendJob::Target targets[kTargets];
  for (int t = 0; t < kTargets; ++t) targets[t] = {shapes[size_t(t)].data(), kVertices, kWeights[t]};
  BlendJob job;
  job.rest = shapes[0].data();
  job.restCount = kVertices;
  job.targets = targets;
  job.targetCount = kTargets;
  job.out = out.data();
  job.outCount = kVertices;
  for (auto _ : state) {
    benchmark::DoNotOptimize(job.Run());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kVertices * kTargets);
}
BENCHMARK(BM_BlendJob)->Unit(benchmark::kMicrosecond);

// The blender item as a frame runs it: weights read, blend, normals of the
// 39,600-triangle grid.
void BM_VertexBlenderUpdate(benchmark::State& state) {
  VoMaster master;
  master.Initialize(nullptr);
  VertexBlenderDesc desc;
  master.RegistClassDesc(&desc);
  auto* root = master.NewItem<VoIObject>(nullptr);
  VoIItem* item = master.CreateItem("VertexBlender", root);
  auto* blender = static_cast<VertexBlender*>(item);
  VoFace* faces = master.CreateFace();
  faces->resize(199 * 99 * 2);
  int f = 0;
  for (int y = 0; y + 1 < 200; ++y)
    for (int x = 0; x + 1 < 100; ++x) {
      const uint32_t a = uint32_t(y * 100 + x), b = a + 1, c = a + 101, d = a + 100;
      const uint32_t t1[3] = {a, b, c}, t2[3] = {a, c, d};
      for (const uint32_t* t : {t1, t2}) {
        VoFaceElement& e = faces->array[f++];
        e.SetCount(3);
        for (int k = 0; k < 3; ++k) e.index[k] = t[k];
      }
    }
  const char* names[kTargets] = {"base", "smile", "frown"};
  for (int t = 0; t < kTargets; ++t) {
    auto* mesh = master.NewItem<VoIPolygon>(blender);
    mesh->SetName(names[t]);
    auto* v = master.CreateVertex();
    v->Alloc(kVertices);
    for (int j = 0; j < kVertices; ++j) v->Set(j, Shapes()[size_t(t)][size_t(j)]);
    v->FlushLock(VoVertex::FIX_RIGID);
    mesh->AttachVertex(v);
    mesh->AttachFace(faces);
  }
  blender->ExecUpdate();
  VoIValue* weights = blender->GetWeightItem();
  for (unsigned long i = 0; i < 3; ++i) weights->SetValue(i, i == 0 ? 2.0f : 1.0f);
  for (auto _ : state) {
    master.CountUpdate();
    blender->ExecUpdate();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kVertices * kTargets);
  master.ReleaseItem(root);
  master.Uninitialize();
}
BENCHMARK(BM_VertexBlenderUpdate)->Unit(benchmark::kMicrosecond);

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.iterations > 0) seconds[run.run_name.function_name] = run.GetAdjustedRealTime() * 1e-6;
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;  // per iteration
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double floor = reporter.seconds["BM_PlainWeightedSum"], job = reporter.seconds["BM_BlendJob"],
               update = reporter.seconds["BM_VertexBlenderUpdate"];
  if (floor > 0 && job > 0)
    std::printf("\n%d targets x %d vertices: blend job %.1f us, plain weighted sum %.1f us (%.2fx the floor); "
                "whole blender update with normals %.1f us\n",
                kTargets, kVertices, job * 1e6, floor * 1e6, job / floor, update * 1e6);
  benchmark::Shutdown();
  return 0;
}
