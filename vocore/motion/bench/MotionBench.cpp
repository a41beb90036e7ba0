// Key setting, one animated frame of a motion-capture sized character, and
// the key-frame table of its motion.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "ferrox/math/Pmatrix.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

namespace {

constexpr int Frames = 4500;
constexpr int Joints = 31;

void BM_SetKeysInOrder(benchmark::State& state) {
  for (auto _ : state) {
    VoIControlVector c;
    for (int f = 0; f < Frames; ++f) c.SetKey(f, Frx::Pvector(float(f), 0, 0));
    benchmark::DoNotOptimize(c.keys.data());
  }
}
BENCHMARK(BM_SetKeysInOrder);

void BM_SetKeysShuffled(benchmark::State& state) {
  std::vector<long> frames(Frames);
  for (int f = 0; f < Frames; ++f) frames[f] = f;
  std::shuffle(frames.begin(), frames.end(), std::mt19937(7));
  for (auto _ : state) {
    VoIControlVector c;
    for (long f : frames) c.SetKey(f, Frx::Pvector(float(f), 0, 0));
    benchmark::DoNotOptimize(c.keys.data());
  }
}
BENCHMARK(BM_SetKeysShuffled);

// A chain of joints, each with a keyed position and rotation on every frame.
struct Scene {
  VoMaster master;
  VoICharacter* character = nullptr;
  VoIMotion* motion = nullptr;
  explicit Scene(VoCurveType curve) {
    master.Initialize(nullptr);
    character = master.NewItem<VoICharacter>(nullptr);
    VoIBranch* parent = master.NewItem<VoISkelton>(character);
    motion = master.NewItem<VoIMotion>(character);
    motion->endframe = Frames;
    motion->loop = 1;
    for (int j = 0; j < Joints; ++j) {
      VoICoordinate* joint = master.NewItem<VoICoordinate>(parent);
      joint->SetName(("joint" + std::to_string(j)).c_str());
      auto* pos = master.CreateControl(joint, "pos", motion)->IsControlVector();
      auto* rot = master.CreateControl(joint, "rot", motion)->IsControlQuaternion();
      pos->SetCurveType(curve);
      rot->SetCurveType(curve);
      for (int f = 0; f < Frames; ++f) {
        pos->SetKey(f, Frx::Pvector(0, 1.0f + 0.01f * (f % 7), 0));
        Frx::Pquaternion q;
        q.SetVector(Frx::Pvector(0, 0, 1), 0.001f * float(f % 100));
        rot->SetKey(f, q);
      }
      parent = joint;
    }
    character->SetMotion(motion);
  }
  ~Scene() {
    master.ReleaseItem(character);
    master.Uninitialize();
  }
};

void BM_AnimationUpdate(benchmark::State& state) {
  Scene scene(static_cast<VoCurveType>(state.range(0)));
  float t = 0.0f;
  for (auto _ : state) {
    scene.master.CountUpdate();
    scene.master.Animation(scene.character, Frx::Pmatrix::id, t);
    t += 1.37f;
  }
}
BENCHMARK(BM_AnimationUpdate)->Arg(0)->Arg(1)->Arg(2);

void BM_FrameTable(benchmark::State& state) {
  Scene scene(VO_CURVE_LINEAR);
  Ptable<long> table;
  for (auto _ : state) benchmark::DoNotOptimize(scene.motion->MakeFrameTable(table));
}
BENCHMARK(BM_FrameTable);

}  // namespace
