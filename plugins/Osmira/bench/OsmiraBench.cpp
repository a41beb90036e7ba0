// The deformers on the demonstration character (testdata/demo: about 21,000
// triangles on 16 bones):
//
// - skinned_beside_static: one frame of the character walking (a key of
//   walk.kvm set on the skeleton each frame), its body skinned by Osmiraform:
//   the skeleton, the deform pass, the normals, the vertex-buffer refill and
//   the draw, headless at 640 × 480; beside the same character with its body
//   left rigid (static vertex buffer), drawn in the same iteration. The
//   counters give both frame rates and the share of a 60 Hz frame the
//   skinned one takes.
// - deform_and_normals: the same frame's update without drawing.
// - anchor_analysis: the one-off analysis a SphericalDeform binds by, on the
//   body with an ellipsoid anchor round every bone, prepared (grids and
//   bounding boxes) beside the plain form; the counter "identical" is 1 when
//   both give the same result, bit for bit.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <time.h>
#include <vector>

#include "ferrox/testing/ReadWhole.h"
#include "plugins/Osmira/AnchorAnalysis.h"
#include "plugins/Osmira/DeformerInputs.h"
#include "plugins/Osmira/testing/DemoAnchors.h"
#include "vocore/Renddx/testing/RenderHarness.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

double Seconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

// One key of the walk: rotations by bone name, the hips' position.
struct Pose {
  std::map<std::string, Frx::Pquaternion> rotations;
  Frx::Pvector hips{0, 0, 0};
};

std::vector<Pose> ReadWalk() {
  std::map<int, Pose> keys;
  std::istringstream lines(FrxTest::ReadWhole(std::string(SAVORA_TESTDATA_DIR) + "/demo/walk.kvm"));
  std::string line, control;
  while (std::getline(lines, line)) {
    char name[256];
    int frame = 0;
    float v[4] = {0, 0, 0, 0};
    if (std::sscanf(line.c_str(), " name = \"%255[^\"]\"", name) == 1) control = name;
    const int n = std::sscanf(line.c_str(), " %d (%f %f %f %f)", &frame, &v[0], &v[1], &v[2], &v[3]);
    if (n == 5) keys[frame].rotations[control] = Frx::Pquaternion(v[0], v[1], v[2], v[3]);
    if (n == 4) keys[frame].hips = Frx::Pvector(v[0], v[1], v[2]);
  }
  std::vector<Pose> poses;
  for (auto& [frame, pose] : keys) poses.push_back(pose);
  return poses;
}

class Demo {
 public:
  bool Open() {
    if (!h_.Open()) return false;
    h_.camera.eye = Frx::Pvector(150, 110, -330);
    h_.camera.at = Frx::Pvector(0, 85, 0);
    h_.camera.nearZ = 10.0f;
    h_.camera.farZ = 1000.0f;
    VoMaster& master = h_.Master();
    if (!master.LoadPlugin("plugins\\pelarn.dll") || !master.LoadPlugin("plugins\\osmira.dll")) return false;
    const std::string path = std::string(SAVORA_TESTDATA_DIR) + "/demo/demo.mqo";
    skinned_ = h_.NewCharacter("skinned");
    still_ = h_.NewCharacter("still");
    if (master.Import(path.c_str(), skinned_, 0) != skinned_ || master.Import(path.c_str(), still_, 0) != still_)
      return false;
    // The same body without its deformer: rigid, in a static buffer.
    VoIPolygon* body = dynamic_cast<VoIPolygon*>(still_->GetItem("body"));
    if (!body || !body->GetItem("body")) return false;
    master.ReleaseItem(body->GetItem("body"));
    walk_ = ReadWalk();
    VoIBranch::ItemList bones;
    skinned_->GetSkelton()->GetGroupList(bones, VoILocate::CLASS_ID);
    for (VoIItem* item : bones) locates_[item->name] = item->IsLocate();
    return walk_.size() == 13 && locates_.count("j_hips");
  }

  // Sets the next key of the walk.
  void Step() {
    const Pose& pose = walk_[key_++ % walk_.size()];
    for (const auto& [name, q] : pose.rotations)
      if (VoICoordinate* c = locates_[name] ? locates_[name]->IsCoordinate() : nullptr) c->SetRotate(q);
    locates_["j_hips"]->SetPos(pose.hips);
  }
  // One frame, waited for by reading a pixel.
  uint32_t Frame(VoICharacter* character) {
    h_.Draw(character);
    IDirect3DSurface8* back = nullptr;
    uint32_t pixel = 0;
    if (FAILED(h_.Device()->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back))) return 0;
    D3DLOCKED_RECT lr{};
    RECT one{h_.Width() / 2, h_.Height() / 2, h_.Width() / 2 + 1, h_.Height() / 2 + 1};
    if (SUCCEEDED(back->LockRect(&lr, &one, D3DLOCK_READONLY))) {
      std::memcpy(&pixel, lr.pBits, 4);
      back->UnlockRect();
    }
    back->Release();
    return pixel;
  }
  void Update() {
    h_.Master().CountUpdate();
    h_.Master().Animation(skinned_, Frx::Pmatrix::id, 0.0f);
  }

  VoMaster& Master() { return h_.Master(); }
  VoICharacter* Skinned() const { return skinned_; }
  VoICharacter* Still() const { return still_; }
  std::string Renderer() { return h_.Renderer().device ? "headless" : ""; }

 private:
  votest::RenderHarness h_{640, 480};
  VoICharacter* skinned_ = nullptr;
  VoICharacter* still_ = nullptr;
  std::vector<Pose> walk_;
  std::map<std::string, VoILocate*> locates_;
  size_t key_ = 0;
};

void BM_SkinnedBesideStatic(benchmark::State& state) {
  Demo demo;
  if (!demo.Open()) {
    state.SkipWithError("no device or no demonstration character");
    return;
  }
  demo.Frame(demo.Skinned());
  demo.Frame(demo.Still());
  double skinned = 0.0, still = 0.0;
  for (auto _ : state) {
    const double t0 = Seconds();
    demo.Step();
    benchmark::DoNotOptimize(demo.Frame(demo.Skinned()));
    const double t1 = Seconds();
    benchmark::DoNotOptimize(demo.Frame(demo.Still()));
    const double t2 = Seconds();
    skinned += t1 - t0;
    still += t2 - t1;
    state.SetIterationTime(t2 - t0);
  }
  const double n = double(state.iterations());
  state.counters["skinned_fps"] = n / skinned;
  state.counters["static_fps"] = n / still;
  state.counters["ratio"] = (n / skinned) / (n / still);
  state.counters["skinned_ms"] = 1000.0 * skinned / n;
  state.counters["of_60Hz_frame"] = (skinned / n) * 60.0;
}

void BM_DeformAndNormals(benchmark::State& state) {
  Demo demo;
  if (!demo.Open()) {
    state.SkipWithError("no device or no demonstration character");
    return;
  }
  demo.Update();
  for (auto _ : state) {
    demo.Step();
    demo.Update();
  }
}

struct Analysis {
  Osmira::AnchorAnalysis result;
  std::string message;
};

bool Same(const Osmira::AnchorAnalysis& a, const Osmira::AnchorAnalysis& b) {
  if (a.anchors.size() != b.anchors.size() || a.overlaps.size() != b.overlaps.size() ||
      a.groups.size() != b.groups.size())
    return false;
  for (size_t i = 0; i < a.anchors.size(); ++i) {
    const auto &x = a.anchors[i], &y = b.anchors[i];
    if (x.holds != y.holds || x.distance != y.distance || x.boundary.size() != y.boundary.size()) return false;
    for (size_t k = 0; k < x.boundary.size(); ++k)
      if (std::memcmp(&x.boundary[k], &y.boundary[k], sizeof x.boundary[k]) != 0) return false;
  }
  for (size_t i = 0; i < a.overlaps.size(); ++i) {
    const auto &x = a.overlaps[i], &y = b.overlaps[i];
    if (x.mode != y.mode || x.vertices != y.vertices || x.blend != y.blend ||
        std::memcmp(&x.joint, &y.joint, sizeof x.joint) != 0)
      return false;
  }
  for (size_t i = 0; i < a.groups.size(); ++i)
    if (a.groups[i].vertices != b.groups[i].vertices || a.groups[i].overlaps != b.groups[i].overlaps) return false;
  return true;
}

void BM_AnchorAnalysis(benchmark::State& state, bool accelerate) {
  Demo demo;
  if (!demo.Open()) {
    state.SkipWithError("no device or no demonstration character");
    return;
  }
  VoIPolygon* body = dynamic_cast<VoIPolygon*>(demo.Skinned()->GetItem("body"));
  VoISkelton* skeleton = demo.Skinned()->GetSkelton();
  const Osmira::BoneSet bones = Osmira::AnchorBones(skeleton);
  osmiratest::MakeBoneAnchors(demo.Master(), demo.Still(), skeleton);
  std::vector<Osmira::AnchorInput> anchors;
  for (VoIItem* c = demo.Still()->GetFirstChild(); c; c = demo.Still()->GetNextChild(c))
    if (VoIPolygon* p = c->IsPolygon(); p && p->name.rfind("anchor_", 0) == 0) {
      const auto at = std::find(bones.bones.begin(), bones.bones.end(), p->GetCoordinate()->IsBone());
      anchors.push_back({p->name, p->GetVertex(), p->GetFace(), int(at - bones.bones.begin())});
    }
  auto run = [&](bool fast, Analysis& out) {
    Osmira::AnchorAnalysisJob job{body->GetVertex(), body->GetFace(), bones.segments, anchors, fast,
                                  &out.result, &out.message};
    return job.Run();
  };
  Analysis prepared, plain;
  if (!run(true, prepared) || !run(false, plain)) {
    state.SkipWithError("the analysis failed");
    return;
  }
  int held = 0;
  for (const auto& g : prepared.result.groups) held += g.anchors.empty() ? 0 : int(g.vertices.size());
  for (auto _ : state) {
    Analysis a;
    benchmark::DoNotOptimize(run(accelerate, a));
  }
  state.counters["identical"] = Same(prepared.result, plain.result) && prepared.message == plain.message;
  state.counters["anchors"] = double(anchors.size());
  state.counters["overlaps"] = double(prepared.result.overlaps.size());
  state.counters["vertices"] = held;
}

BENCHMARK(BM_SkinnedBesideStatic)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeformAndNormals)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AnchorAnalysis, prepared, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AnchorAnalysis, plain, false)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
