#include "plugins/Drapel/Drapeler.h"

#include <cmath>
#include <cstring>
#include <unordered_map>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/link/Plist.h"
#include "vocore/item/VoItemServices.h"

namespace {

constexpr unsigned short UpdateAll = 0xFFFF;

// Exact position equality as a hash key: +0 and -0 compare equal, so they
// share a key; NaN never equals anything and is left out by the caller.
struct PositionKey {
  float x, y, z;
  bool operator==(const PositionKey& o) const { return x == o.x && y == o.y && z == o.z; }
};
struct PositionHash {
  size_t operator()(const PositionKey& k) const {
    auto bits = [](float f) {
      uint32_t u;
      f = f == 0.0f ? 0.0f : f;
      std::memcpy(&u, &f, sizeof u);
      return static_cast<size_t>(u);
    };
    return bits(k.x) * 73856093u ^ bits(k.y) * 19349663u ^ bits(k.z) * 83492791u;
  }
};
using PositionIndex = std::unordered_map<PositionKey, std::vector<uint32_t>, PositionHash>;

PositionIndex IndexPositions(const VoVertex* positions) {
  PositionIndex index;
  const int n = positions ? positions->GetNum() : 0;
  for (int j = 0; j < n; ++j) {
    const Frx::Pvector& p = positions->Get(j);
    if (std::isnan(p.x) || std::isnan(p.y) || std::isnan(p.z)) continue;  // NaN matches nothing
    index[PositionKey{p.x, p.y, p.z}].push_back(static_cast<uint32_t>(j));
  }
  return index;
}

}  // namespace

int Drapeler::Update(unsigned long counter) {
  (void)counter;
  int result = 1;
  if (GetUpdateFlag() != 0 && !Bind()) result = 0;
  VoIPolygon* anchor = anchor_.Get();
  // Every child once, the anchor last so its normals see where it was put.
  std::vector<VoRefer<VoIItem>> snapshot;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (c != anchor) snapshot.emplace_back(c);
  for (VoRefer<VoIItem>& ref : snapshot)
    if (VoIItem* child = ref.Get(); child && child->GetParent() == this) child->ExecUpdate();
  if (anchor) {
    for (const Link& link : links_) TransformLinks(link);
    // An anchor deeper down was updated with its own branch above.
    if (anchor->GetParent() == this) anchor->ExecUpdate();
  }
  return result;
}

void Drapeler::KeepRest(VoIPolygon* anchor) {
  VoVertex* positions = anchor->GetVertex();
  const int n = positions ? positions->GetNum() : 0;
  if (anchor_.Get() != anchor || restOf_.Get() != positions) {
    rest_.assign(positions ? positions->Get() : nullptr, positions ? positions->Get() + n : nullptr);
  } else if (n > static_cast<int>(rest_.size())) {
    // Grown in place: the new vertices rest where they are.
    rest_.insert(rest_.end(), positions->Get() + rest_.size(), positions->Get() + n);
  } else {
    rest_.resize(static_cast<size_t>(n));
  }
  anchor_ = anchor;
  restOf_ = positions;
  // A bind starts from the rest shape: vertices no longer glued go back.
  for (int i = 0; i < n; ++i) positions->Set(i, rest_[static_cast<size_t>(i)]);
}

bool Drapeler::Bind() {
  links_.clear();
  Frx::Plist<VoIItem> meshes;
  MakeList_Group(&meshes, VoIPolygon::CLASS_ID);
  VoIPolygon* anchor = nullptr;
  for (VoIItem* item : meshes)
    if (item->IsPolygon() && std::strcmp(item->GetName(), "anchor") == 0) anchor = item->IsPolygon();
  if (!anchor) {
    Frx::theFerrox.Log("VoIDrapeler::アンカーが見つかりませんでした。\n");
    anchor_.Clear();
    return false;
  }
  KeepRest(anchor);

  struct Member {
    VoIPolygon* mesh;
    PositionIndex index;
  };
  std::vector<Member> members;
  for (VoIItem* item : meshes)
    if (VoIPolygon* mesh = item->IsPolygon(); mesh && mesh != anchor)
      members.push_back(Member{mesh, IndexPositions(mesh->GetVertex())});

  for (size_t i = 0; i < rest_.size(); ++i) {
    const Frx::Pvector& p = rest_[i];
    for (Member& m : members) {
      auto found = m.index.find(PositionKey{p.x, p.y, p.z});
      if (found == m.index.end()) continue;
      Link link;
      link.member = m.mesh;
      link.coordinate = m.mesh->GetCoordinate();
      for (uint32_t j : found->second) link.pairs.push_back(GluePair{j, static_cast<uint32_t>(i), 1.0f});
      links_.push_back(std::move(link));
      m.mesh->SetUpdateFlag(UpdateAll);
    }
  }
  anchor->SetUpdateFlag(UpdateAll);
  return true;
}

int Drapeler::TransformLinks(const Link& link) {
  VoIPolygon* anchor = anchor_.Get();
  VoVertex* out = anchor ? anchor->GetVertex() : nullptr;
  if (!out) return 1;
  GlueJob job;
  if (VoICoordinate* c = link.coordinate.Get()) {
    job.matrix = c->GetMatrixS2W();
  } else {
    VoItemServices* master = VoItemServices::This();
    VoICoordinate* world = master ? master->GetWorldCoordinate() : nullptr;
    job.matrix = world ? world->GetMatrixL2W() : Frx::Pmatrix::id;
  }
  // A member that is gone leaves no source: its vertices rest.
  if (VoIPolygon* member = link.member.Get(); member && member->GetVertex()) {
    job.source = member->GetVertex()->Get();
    job.sourceCount = member->GetVertex()->GetNum();
  }
  job.pairs = link.pairs.data();
  job.pairCount = static_cast<int>(link.pairs.size());
  job.rest = rest_.data();
  job.restCount = static_cast<int>(rest_.size());
  job.out = out->Get();
  // Positions that shrank behind our back are written only where they remain.
  job.outCount = out->GetNum() < job.restCount ? out->GetNum() : job.restCount;
  job.Run();
  return 1;
}
