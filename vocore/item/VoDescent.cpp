#include "vocore/item/VoDescent.h"

#include <utility>
#include <vector>

#include "vocore/item/VoIBranch.h"

namespace {
int depths[static_cast<int>(Vo::Walk::Count)] = {};
}  // namespace

int Vo::Depth(const VoIItem* item) {
  if (!item) return 0;
  int depth = 0;
  for (const VoIItem* p = item->parent.GetRaw(); p && depth <= VoIBranch::MaxDepth; p = p->parent.GetRaw()) ++depth;
  return depth;
}

bool Vo::FitsAt(VoIItem* item, int at) {
  if (!item) return true;
  const int height = VoIBranch::MaxDepth - at;  // levels allowed below the item
  if (height < 0) return false;
  VoIBranch* top = item->IsBranch();
  if (!top || height == 0) return !top || !top->GetFirstChild();
  // Branches whose children would lie at most `height` levels below the item.
  std::vector<std::pair<VoIBranch*, int>> pending{{top, 1}};
  while (!pending.empty()) {
    auto [branch, level] = pending.back();
    pending.pop_back();
    for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c)) {
      VoIBranch* b = c->IsBranch();
      if (!b || !b->GetFirstChild()) continue;
      if (level == height) return false;
      pending.emplace_back(b, level + 1);
    }
  }
  return true;
}

Vo::Descent::Descent(Walk walk) : depth_(depths[static_cast<int>(walk)]) {
  ++depth_;
  within_ = depth_ <= VoIBranch::MaxDepth;
}

Vo::Descent::~Descent() { --depth_; }
