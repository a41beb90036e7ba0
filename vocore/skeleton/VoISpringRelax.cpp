// Spring relaxation: settles spring-tied chains after world locates moved.
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/skeleton/VoISpring.h"
#include "vocore/skeleton/VoIWLocate.h"

namespace {

struct Node {
  VoILocate* locate;
  std::vector<int> entries;  // bone entries this locate belongs to
  bool anchored = false;
  bool visited = false;
};

struct Member {
  int node;  // -1: the locate is not part of the skeleton
  Frx::Pvector vector;
};

struct BoneEntry {
  VoIBone* bone;
  std::vector<Member> members;
  int flag = 0;
  bool visited = false;
};

struct RelaxEntry {
  VoILocate* a;
  VoILocate* b;
  float rest;
  float wa, wb;
};

// One call's working state; everything lives only for that call.
class Relaxation {
 public:
  Relaxation(VoISkelton& skelton, const std::list<VoILocate*>* dragged)
      : skelton_(skelton), dragged_(dragged) {}

  void Run(int iterations, const Frx::Pmatrix& c2w);

 private:
  bool IsDragged(VoILocate* l) const {
    return dragged_ && std::find(dragged_->begin(), dragged_->end(), l) != dragged_->end();
  }
  static bool IsFixed(VoILocate* l) {
    VoIWLocate* w = l->IsWLocate();
    return w && w->IsFix();
  }
  bool IsHeld(VoILocate* l) const { return IsFixed(l) || IsDragged(l); }

  void BuildNodes();
  void BuildEntries();
  void BuildRelaxation();
  bool Mark(int n, int depth);
  void Relax(int iterations);
  void CarryLoose();
  void Carry(int e, int index, int depth);

  VoISkelton& skelton_;
  const std::list<VoILocate*>* dragged_;
  std::vector<Node> nodes_;
  std::vector<BoneEntry> entries_;
  std::vector<RelaxEntry> relax_;
};

void Relaxation::BuildNodes() {
  VoIBranch::ItemList list;
  skelton_.GetGroupList(list, VoILocate::CLASS_ID);
  for (const auto& ref : list)
    if (VoIItem* item = ref.Get())
      if (VoILocate* l = item->IsLocate()) nodes_.push_back(Node{l, {}});
}

void Relaxation::BuildEntries() {
  std::unordered_map<VoILocate*, int> lastNode;
  for (int i = 0; i < static_cast<int>(nodes_.size()); ++i) lastNode[nodes_[i].locate] = i;
  for (const auto& ref : skelton_.springs) {
    VoISpring* spring = ref.Get();
    VoIBone* bone = spring ? spring->bone.Get() : nullptr;
    if (!bone) continue;
    const int e = static_cast<int>(entries_.size());
    entries_.push_back(BoneEntry{bone, {}});
    for (const VoIBone::AffectLocate& affect : bone->affect) {
      VoILocate* l = affect.locate.Get();
      if (!l) continue;
      auto found = lastNode.find(l);
      int node = -1;
      if (found == lastNode.end()) {
        // Logged, never a box: a box could end the program mid-drag.
        Frx::theFerrox.Log("%s(%d) :step\n", __FILE__, __LINE__);
        Frx::theFerrox.Log("error!\n");
      } else {
        node = found->second;
        nodes_[node].entries.push_back(e);
      }
      entries_[e].members.push_back(Member{node, affect.vector});
    }
  }
}

void Relaxation::BuildRelaxation() {
  for (const auto& ref : skelton_.springs) {
    VoISpring* spring = ref.Get();
    VoILocate* a = spring ? spring->a.Get() : nullptr;
    VoILocate* b = spring ? spring->b.Get() : nullptr;
    if (!a || !b) continue;
    float wa = (IsFixed(a) && !IsDragged(a)) ? 0.0f : 1.0f;
    float wb = (IsFixed(b) && !IsDragged(b)) ? 0.0f : 1.0f;
    const float sum = wa + wb;
    // Both ends pinned: the spring can move neither, so it takes no part.
    if (sum == 0.0f) continue;
    relax_.push_back(RelaxEntry{a, b, spring->rest, wa / sum, wb / sum});
  }
}

bool Relaxation::Mark(int n, int depth) {
  Node& node = nodes_[n];
  node.visited = true;
  bool connectedAny = false;
  for (int e : node.entries) {
    BoneEntry& entry = entries_[e];
    bool connected = false;
    for (const Member& m : entry.members)
      if (m.node >= 0 && m.node != n && !nodes_[m.node].visited && depth < VoIBranch::MaxDepth)
        if (Mark(m.node, depth + 1)) connected = true;
    entry.bone->SetKType(connected ? VoIBone::KTYPE_CONNECTED : VoIBone::KTYPE_NONE);
    if (!connected) continue;
    connectedAny = true;
    for (const Member& m : entry.members) {
      if (m.node < 0) continue;
      nodes_[m.node].anchored = true;
      nodes_[m.node].locate->SetKType(VoILocate::KTYPE_MOVABLE);
    }
  }
  node.anchored = connectedAny || IsHeld(node.locate);
  node.locate->SetKType(node.anchored ? VoILocate::KTYPE_MOVABLE : VoILocate::KTYPE_NONE);
  return node.anchored;
}

void Relaxation::Relax(int iterations) {
  for (int pass = 0; pass < iterations; ++pass) {
    for (Node& n : nodes_) n.locate->work = n.locate->GetWPos();
    bool done = true;
    for (const RelaxEntry& r : relax_) {
      if (r.a->GetKType() != VoILocate::KTYPE_MOVABLE || r.b->GetKType() != VoILocate::KTYPE_MOVABLE)
        continue;
      const Frx::Pvector d = r.a->work - r.b->work;
      const float len = d.GetSize();
      // Coincident ends give no direction to push along.
      if (!(len > 1e-6f) || !std::isfinite(len)) continue;
      const Frx::Pvector delta = d / len * (len - r.rest);
      r.a->SetWPos(r.a->GetWPos() - delta * (0.2f * r.wa));
      r.b->SetWPos(r.b->GetWPos() + delta * (0.2f * r.wb));
      r.a->SetChanged(1);
      r.b->SetChanged(1);
      if (std::fabs((r.a->GetWPos() - r.b->GetWPos()).GetSize() - r.rest) > 0.01f * r.rest) done = false;
    }
    if (done) break;
  }
}

void Relaxation::Carry(int e, int index, int depth) {
  BoneEntry& entry = entries_[e];
  entry.visited = true;
  const Member from = entry.members[index];
  const Frx::Pvector base = nodes_[from.node].locate->GetWPos();
  Frx::Pmatrix r = entry.bone->GetMatrixL2W();
  r.SetTransVector(Frx::Pvector(0.0f, 0.0f, 0.0f));
  for (const Member& m : entry.members) {
    if (m.node < 0 || m.node == from.node || nodes_[m.node].anchored) continue;
    VoILocate* l = nodes_[m.node].locate;
    l->SetChanged(1);
    l->SetWPos(base + r * (m.vector - from.vector));
    for (int f : nodes_[m.node].entries) {
      if (f == e || entries_[f].visited) continue;
      entries_[f].bone->carrier = entry.bone;
      const auto& members = entries_[f].members;
      for (int k = 0; k < static_cast<int>(members.size()); ++k)
        if (members[k].node == m.node) {
          if (depth < VoIBranch::MaxDepth) Carry(f, k, depth + 1);
          break;
        }
    }
  }
}

void Relaxation::CarryLoose() {
  for (int e = 0; e < static_cast<int>(entries_.size()); ++e) {
    BoneEntry& entry = entries_[e];
    entry.bone->SetChanged(1);
    if (entry.flag == 1) continue;
    int anchored = 0;
    for (const Member& m : entry.members)
      if (m.node >= 0 && nodes_[m.node].anchored) ++anchored;
    if (anchored != 1) continue;
    for (int k = 0; k < static_cast<int>(entry.members.size()); ++k) {
      const Member& m = entry.members[k];
      if (m.node < 0) continue;
      nodes_[m.node].locate->SetChanged(1);
      if (nodes_[m.node].anchored && !entry.visited) Carry(e, k, 0);
    }
  }
}

void Relaxation::Run(int iterations, const Frx::Pmatrix& c2w) {
  BuildNodes();
  BuildEntries();
  BuildRelaxation();
  for (int n = 0; n < static_cast<int>(nodes_.size()); ++n)
    if (IsHeld(nodes_[n].locate)) {
      Mark(n, 0);
      break;
    }
  for (BoneEntry& entry : entries_) {
    int anchored = 0;
    for (const Member& m : entry.members)
      if (m.node >= 0 && nodes_[m.node].anchored) ++anchored;
    entry.flag = anchored >= 2 ? 1 : 0;
  }
  skelton_.ConvL2W(c2w, 1);
  Relax(iterations);
  CarryLoose();
  skelton_.ConvW2L(c2w, 0);
  for (Node& n : nodes_) n.locate->SetChanged(0);
}

}  // namespace

void VoISkelton::StabilizeSprings(int iterations, const Frx::Pmatrix& c2w,
                                  const std::list<VoILocate*>* dragged) {
  Relaxation(*this, dragged).Run(iterations, c2w);
}
