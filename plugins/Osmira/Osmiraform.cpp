#include "plugins/Osmira/Osmiraform.h"

#include <span>

#include "ferrox/ferrox/Ferrox.h"
#include "plugins/Osmira/AnchorWeightJob.h"
#include "plugins/Osmira/BoneDeformJob.h"
#include "plugins/Osmira/DeformerInputs.h"
#include "plugins/Osmira/DeformerUpdate.h"
#include "plugins/Osmira/DistanceWeightJob.h"
#include "vocore/persist/VoSave.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/vocore/VoMaster.h"

namespace {

std::span<const Frx::Pvector> Positions(const VoVertex* v) {
  return v ? std::span<const Frx::Pvector>(v->Get(), size_t(v->GetNum())) : std::span<const Frx::Pvector>();
}

// The record of vertices that follow no bone: the null root carries them.
Osmira::WeightRecord Unbound(const std::vector<int>& vertices) {
  Osmira::WeightRecord record;
  for (int v : vertices) record.pairs.push_back({v, 1.0f});
  return record;
}

}  // namespace

int Osmiraform::Update(unsigned long counter) {
  return Osmira::DeformerUpdate{this, &binding, &skeleton, [this](VoIPolygon* target) { return Bind(target); },
                                [this] { return Deform(); }}
      .Run(counter);
}

bool Osmiraform::Bind(VoIPolygon* target) {
  records.clear();
  bound_ = false;
  if (!target || !skeleton.Get() || !target->GetVertex()) return false;
  Frx::theFerrox.Log("ボーンディフォームの初期更新 ターゲット:%s\n", target->GetName());
  const bool reused = binding.Begin(target);
  // Rest positions taken back from the copy are those of the standard pose;
  // the bones are measured there too.
  bound_ = GetFirstChild() ? BindByAnchors(target) : BindByDistance(reused);
  return bound_;
}

bool Osmiraform::BindByDistance(bool standard) {
  const Osmira::BoneSet set = Osmira::DistanceBones(skeleton.Get(), standard);
  std::vector<std::vector<Osmira::WeightPair>> perBone;
  std::vector<int> unbound;
  Osmira::DistanceWeightJob job;
  job.positions = Positions(binding.Rest());
  job.bones = set.segments;
  job.reaches = set.reaches;
  job.weights = &perBone;
  job.unbound = &unbound;
  if (!job.Run()) return false;
  for (size_t b = 0; b < perBone.size(); ++b)
    if (!perBone[b].empty()) records.push_back({set.bones[b], std::move(perBone[b])});
  if (!unbound.empty()) records.push_back(Unbound(unbound));
  return true;
}

bool Osmiraform::BindByAnchors(VoIPolygon* target) {
  Osmira::AnchorBinding found;
  if (!Osmira::AnalyseAnchors(this, skeleton.Get(), binding.Rest(), target->GetFace(), found)) return false;
  const Osmira::BoneSet& set = found.set;
  const std::vector<Osmira::AnchorInput>& anchors = found.anchors;
  Osmira::AnchorAnalysis& analysis = found.analysis;

  VoVertex* positions = target->GetVertex();
  std::vector<std::vector<Osmira::WeightPair>> perAnchor;
  std::vector<int> unheld;
  std::vector<unsigned char> rigid;
  Osmira::AnchorWeightJob weigh;
  weigh.analysis = &analysis;
  weigh.vertexCount = positions->GetNum();
  weigh.perAnchor = &perAnchor;
  weigh.unheld = &unheld;
  weigh.rigid = &rigid;
  if (!weigh.Run()) return false;
  for (size_t a = 0; a < anchors.size(); ++a)
    records.push_back({set.bones[size_t(anchors[a].bone)], std::move(perAnchor[a])});
  if (!unheld.empty()) records.push_back(Unbound(unheld));
  for (int v = 0; v < positions->GetNum(); ++v)
    positions->SetFix(v, rigid[size_t(v)] ? VoVertex::FIX_RIGID : VoVertex::FIX_MOVED);
  return true;
}

int Osmiraform::Deform() {
  VoVertex* positions = bound_ ? binding.Positions() : nullptr;
  if (!positions) return 0;
  matrices_.resize(records.size());
  for (size_t r = 0; r < records.size(); ++r) matrices_[r] = Osmira::DeformMatrix(records[r].bone.Get());
  Osmira::BoneDeformJob job;
  job.rest = Positions(binding.Rest());
  job.records = records;
  job.matrices = matrices_;
  job.positions = std::span<Frx::Pvector>(positions->Get(), size_t(positions->GetNum()));
  return job.Run() ? 1 : 0;
}

int Osmiraform::Save(VoSave& save) {
  VoIItem::Save(save);
  VoMaster* master = VoMaster::This();
  VoICoordinate* root = master ? master->GetNullCoordinate() : nullptr;
  // Vertices that follow no bone follow the null root: its name stands there.
  const char* unbound = root ? root->GetName() : "null";
  for (const Osmira::WeightRecord& record : records) {
    VoIBone* bone = record.bone.Get();
    save.OpenChunk("Weight");
    save.Write("cooridnate = \"%s\"\n", bone ? bone->GetName() : unbound);
    for (const Osmira::WeightPair& p : record.pairs) save.Write("%d ( %f )\n", p.vertex, p.weight);
    save.CloseChunk();
  }
  return 1;
}

void Osmiraform::Release() {
  if (IsRelease()) return;
  records.clear();
  bound_ = false;
  binding.Clear();
  skeleton.Clear();
  VoIModifier::Release();
}
