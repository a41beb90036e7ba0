// Normals, fix types, labelling and splitting on meshes of about 100k faces.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "vocore/geometry/VoIPolygon.h"
#include "vocore/geometry/VoMeshLabel.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/vocore/VoMaster.h"

namespace {

// `parts` separate wavy grids of quads, side by side, 100k faces in all.
void FillGrids(VoIPolygon& polygon, int parts) {
  const int w = 500 / parts, h = 200;
  VoVertex* v = new VoVertex();
  VoFace* f = new VoFace();
  v->Alloc(parts * (w + 1) * (h + 1));
  f->resize(parts * w * h);
  v->FlushLock(VoVertex::FIX_RIGID);
  int face = 0;
  for (int p = 0; p < parts; ++p) {
    const int base = p * (w + 1) * (h + 1);
    for (int y = 0; y <= h; ++y)
      for (int x = 0; x <= w; ++x)
        v->Set(base + y * (w + 1) + x,
               Frx::Pvector(static_cast<float>(p * (w + 5) + x), static_cast<float>(y),
                            static_cast<float>((x * 7 + y * 3) % 5) * 0.1f));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        VoFaceElement& e = f->array[face++];
        const uint32_t i0 = static_cast<uint32_t>(base + y * (w + 1) + x);
        e.SetCount(4);
        e.index[0] = i0;
        e.index[1] = i0 + 1;
        e.index[2] = i0 + 1 + static_cast<uint32_t>(w + 1);
        e.index[3] = i0 + static_cast<uint32_t>(w + 1);
      }
  }
  // A few moved vertices so the fix pass has demotions to make.
  for (int i = 0; i < v->GetNum(); i += 97) v->SetFix(i, VoVertex::FIX_MOVED);
  polygon.AttachVertex(v);
  polygon.AttachFace(f);
}

struct Scene {
  Scene() { master.Initialize(nullptr); }
  ~Scene() { master.Uninitialize(); }
  VoMaster master;
};

void BM_SolveNormal(benchmark::State& state) {
  Scene scene;
  VoIPolygon* polygon = scene.master.NewItem<VoIPolygon>(nullptr);
  FillGrids(*polygon, 1);
  polygon->CreateNormal();
  for (auto _ : state) {
    polygon->SolveNormal_Grow();
    benchmark::DoNotOptimize(polygon->GetNormal()->Get());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(polygon->GetNumFace()));
  scene.master.ReleaseItem(polygon);
}
BENCHMARK(BM_SolveNormal)->Unit(benchmark::kMillisecond);

void BM_OptimizeFaceFix(benchmark::State& state) {
  Scene scene;
  VoIPolygon* polygon = scene.master.NewItem<VoIPolygon>(nullptr);
  FillGrids(*polygon, 1);
  for (auto _ : state) polygon->OptimizeFaceFix();
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(polygon->GetNumFace()));
  scene.master.ReleaseItem(polygon);
}
BENCHMARK(BM_OptimizeFaceFix)->Unit(benchmark::kMillisecond);

void BM_LabelParts(benchmark::State& state) {
  Scene scene;
  VoIPolygon* polygon = scene.master.NewItem<VoIPolygon>(nullptr);
  FillGrids(*polygon, static_cast<int>(state.range(0)));
  std::vector<uint32_t> labels;
  for (auto _ : state)
    benchmark::DoNotOptimize(VoLabelMeshParts(polygon->GetVertex()->GetNum(), polygon->GetFace(), labels));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(polygon->GetNumFace()));
  scene.master.ReleaseItem(polygon);
}
BENCHMARK(BM_LabelParts)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// The whole split: labelling, one copied polygon per part, compaction.
void BM_MeshDevide(benchmark::State& state) {
  Scene scene;
  VoIPolygon* polygon = scene.master.NewItem<VoIPolygon>(nullptr);
  polygon->SetName("mesh");
  FillGrids(*polygon, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    VoIBranch* target = scene.master.NewItem<VoIBranch>(nullptr);
    benchmark::DoNotOptimize(polygon->CreatePolygon_MeshDevide(target));
    state.PauseTiming();
    polygon->Link(nullptr);
    scene.master.ReleaseItem(target);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(polygon->GetNumFace()));
  scene.master.ReleaseItem(polygon);
}
BENCHMARK(BM_MeshDevide)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
