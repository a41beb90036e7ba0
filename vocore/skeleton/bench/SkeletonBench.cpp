// One forward pass and one IK drag on a 60-joint skeleton: a root locate,
// 29 bones each spanned to the next locate, and an end site on the last.
#include <benchmark/benchmark.h>

#include <vector>

#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

namespace {

struct Rig {
  VoMaster master;
  VoISkelton* skel = nullptr;
  VoILocate* tip = nullptr;

  Rig() {
    master.Initialize(nullptr);
    skel = master.NewItem<VoISkelton>(nullptr);
    VoIBranch* parent = skel;
    VoILocate* start = master.NewItem<VoILocate>(skel);
    start->IKchain = 0;
    start->SetWPos(Frx::Pvector(0, 0, 0));
    for (int i = 1; i <= 29; ++i) {
      VoIBone* bone = master.NewItem<VoIBone>(parent);
      VoILocate* end = master.NewItem<VoILocate>(bone);
      // A gentle zig-zag so no bone is parallel to its head reference.
      end->SetWPos(Frx::Pvector(static_cast<float>(i % 2), static_cast<float>(i) * 2.0f, 0.0f));
      bone->SetStartLocate(start);
      bone->SetEndLocate(end);
      bone->SetHeadVector(Frx::Pvector(0, 0, 1));
      parent = bone;
      start = end;
    }
    tip = start;
    VoILocate* site = master.NewItem<VoILocate>(parent);
    site->SetWPos(Frx::Pvector(0, 60, 1));
    skel->InitialUpdate();
    skel->ConvL2W(Frx::Pmatrix::id, 1);
  }
  ~Rig() {
    master.ReleaseItem(skel);
    master.Uninitialize();
  }
};

void BM_ConvL2W(benchmark::State& state) {
  Rig rig;
  std::list<VoILocate*> joints;
  rig.skel->MakeList_Skelton(&joints);
  for (auto _ : state) {
    rig.skel->ConvL2W(Frx::Pmatrix::id, 1);
    benchmark::DoNotOptimize(rig.tip->L2W);
  }
  state.counters["joints"] = static_cast<double>(joints.size());
}
BENCHMARK(BM_ConvL2W);

// The drag as the editor runs it: IK, then the inverse and forward passes.
void BM_IKDrag(benchmark::State& state) {
  Rig rig;
  const Frx::Pvector home = rig.tip->GetWPos();
  int step = 0;
  for (auto _ : state) {
    const float wobble = static_cast<float>(step++ % 8) * 0.5f;
    rig.tip->Kinematics(home + Frx::Pvector(3.0f + wobble, -5.0f, 2.0f), 1.0f);
    rig.skel->ConvW2L(Frx::Pmatrix::id, 0);
    rig.skel->ConvL2W(Frx::Pmatrix::id, 0);
    benchmark::DoNotOptimize(rig.tip->L2W);
  }
}
BENCHMARK(BM_IKDrag);

}  // namespace
