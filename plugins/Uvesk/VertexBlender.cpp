#include "plugins/Uvesk/VertexBlender.h"

#include <cmath>
#include <cstring>

#include "ferrox/ferrox/Ferrox.h"
#include "vocore/item/VoItemServices.h"
#include "vocore/scene/VoIValue.h"

namespace {

// Entries of the weight item point at their morph entry by number + 1 (0:
// none), which stays valid whatever happens to the entry table's storage.
constexpr uintptr_t NoMorph = 0;
constexpr float DefaultWeight = 0.5f;

}  // namespace

Frx::Pstring VertexBlender::GetNameEx() { return Frx::Pstring(GetName()) + "<VertexBlender>"; }

int VertexBlender::Update(unsigned long counter) {
  int result = 1;
  if (GetUpdateFlag() != 0 && !Bind()) result = 0;
  if (bound_) {
    ReadWeights();
    Blend();
  }
  VoIPolygon::Update(counter);
  return result;
}

bool VertexBlender::Bind() {
  VoItemServices* master = VoItemServices::This();
  morphs_.clear();
  rest_.clear();
  bound_ = false;
  if (VoIValue* old = weights_.Get()) {
    if (master)
      master->ReleaseItem(old);
    else
      old->Release();
  }
  weights_.Clear();

  ItemList meshes;
  GetChildList(meshes, VoIPolygon::CLASS_ID);
  VoIPolygon* base = nullptr;
  for (VoRefer<VoIItem>& ref : meshes) {
    VoIItem* item = ref.Get();
    if (item && item->IsPolygon() && std::strcmp(item->GetName(), "base") == 0) {
      base = item->IsPolygon();
      break;
    }
  }
  if (!base || !master) {
    Frx::theFerrox.Log("VoIVertexBlender::ベースターゲットが見つかりません\n");
    return false;
  }

  AttachVertex(new VoVertex(base->GetVertex()));
  AttachFace(base->GetFace());
  const int baseCount = static_cast<int>(GetNumVertex());
  rest_.assign(GetVertex()->Get(), GetVertex()->Get() + baseCount);

  VoIValue* weights = master->NewItem<VoIValue>(this);
  weights->SetName("wait control");
  weights->CreateValueTable(meshes.size());
  unsigned long entry = 0;
  for (VoRefer<VoIItem>& ref : meshes) {
    VoIPolygon* mesh = ref.Get() ? ref.Get()->IsPolygon() : nullptr;
    const unsigned long i = entry++;
    if (!mesh || mesh->GetNumVertex() == 0) continue;
    morphs_.push_back(Morph{mesh, baseCount, 0.0f});
    weights->SetValue(i, DefaultWeight);
    weights->table[i].word[1] = morphs_.size();
  }
  weights_ = weights;
  bound_ = true;
  return true;
}

void VertexBlender::ReadWeights() {
  VoIValue* weights = weights_.Get();
  if (!weights || !weights->table) return;
  // Values that are not finite count as 0; a sum of 0 (or one that overflows)
  // keeps the weights of the last update.
  double sum = 0.0;
  for (unsigned long i = 0; i < weights->count; ++i) {
    const float v = weights->GetValue(i);
    if (std::isfinite(v)) sum += v;
  }
  if (sum == 0.0 || !std::isfinite(sum)) return;
  std::vector<float> next(morphs_.size());
  for (size_t k = 0; k < morphs_.size(); ++k) next[k] = morphs_[k].weight;
  for (unsigned long i = 0; i < weights->count; ++i) {
    const uintptr_t morph = weights->table[i].word[1];
    if (morph == NoMorph || morph > morphs_.size()) continue;
    const float v = weights->GetValue(i);
    const double w = std::isfinite(v) ? v / sum : 0.0;
    if (!std::isfinite(static_cast<float>(w))) return;
    next[morph - 1] = static_cast<float>(w);
  }
  for (size_t k = 0; k < morphs_.size(); ++k) morphs_[k].weight = next[k];
}

void VertexBlender::Blend() {
  VoVertex* positions = GetVertex();
  if (!positions) return;
  targets_.clear();
  for (const Morph& m : morphs_) {
    BlendJob::Target t;
    t.weight = m.weight;
    // A released target contributes the rest shape; a short one only the
    // vertices both have.
    if (VoIPolygon* target = m.target.Get(); target && target->GetVertex()) {
      const int have = target->GetVertex()->GetNum();
      t.positions = target->GetVertex()->Get();
      t.count = have < m.count ? have : m.count;
    }
    targets_.push_back(t);
  }
  const int own = positions->GetNum();
  const int rest = static_cast<int>(rest_.size());
  BlendJob job;
  job.rest = rest_.data();
  job.restCount = rest;
  job.targets = targets_.data();
  job.targetCount = static_cast<int>(targets_.size());
  job.out = positions->Get();
  job.outCount = own < rest ? own : rest;
  job.Run();
}
