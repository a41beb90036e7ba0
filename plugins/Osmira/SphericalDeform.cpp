#include "plugins/Osmira/SphericalDeform.h"

#include <span>

#include "ferrox/ferrox/Ferrox.h"
#include "plugins/Osmira/DeformerInputs.h"
#include "plugins/Osmira/DeformerUpdate.h"
#include "plugins/Osmira/SphereDeformJob.h"
#include "vocore/skeleton/VoIBone.h"

int SphericalDeform::Update(unsigned long counter) {
  return Osmira::DeformerUpdate{this, &binding, &skeleton, [this](VoIPolygon* target) { return Bind(target); },
                                [this] { return Deform(); }}
      .Run(counter);
}

bool SphericalDeform::Bind(VoIPolygon* target) {
  records.clear();
  bones.clear();
  bound_ = false;
  if (!target || !skeleton.Get() || !target->GetVertex()) return false;
  Frx::theFerrox.Log("スフィリカルディフォームの初期更新 ターゲット:%s\n", target->GetName());
  binding.Begin(target);

  Osmira::AnchorBinding found;
  if (!Osmira::AnalyseAnchors(this, skeleton.Get(), binding.Rest(), target->GetFace(), found)) return false;
  const Osmira::BoneSet& set = found.set;
  const std::vector<Osmira::AnchorInput>& anchors = found.anchors;
  Osmira::AnchorAnalysis& analysis = found.analysis;

  Osmira::SphereBindJob bind;
  bind.analysis = &analysis;
  bind.anchors = anchors;
  bind.records = &records;
  if (!bind.Run()) return false;
  bones.assign(set.bones.begin(), set.bones.end());
  bound_ = true;
  return true;
}

int SphericalDeform::Deform() {
  VoVertex* positions = bound_ ? binding.Positions() : nullptr;
  if (!positions) return 0;
  matrices_.resize(bones.size());
  live_.resize(bones.size());
  for (size_t b = 0; b < bones.size(); ++b) {
    VoIBone* bone = bones[b].Get();
    live_[b] = bone != nullptr;
    matrices_[b] = Osmira::DeformMatrix(bone);
  }
  const VoVertex* rest = binding.Rest();
  Osmira::SphereDeformJob job;
  job.rest = std::span<const Frx::Pvector>(rest->Get(), size_t(rest->GetNum()));
  job.records = records;
  job.matrices = matrices_;
  job.live = live_;
  job.nullMatrix = Osmira::NullMatrix();
  job.positions = std::span<Frx::Pvector>(positions->Get(), size_t(positions->GetNum()));
  return job.Run() ? 1 : 0;
}

void SphericalDeform::Release() {
  if (IsRelease()) return;
  records.clear();
  bones.clear();
  bound_ = false;
  binding.Clear();
  skeleton.Clear();
  VoIModifier::Release();
}
