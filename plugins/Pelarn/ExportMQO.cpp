#include "plugins/Pelarn/ExportMQO.h"

#include <unordered_set>
#include <utility>
#include <vector>

#include "plugins/Pelarn/MqoWriter.h"
#include "vocore/item/VoIBranch.h"

namespace {

// The branch's group as VoIBranch::GetGroupList gives it (every item, depth
// first, not into nested characters), at any depth: the engine's walk stops
// at VoIBranch::MaxDepth, and what lies below would be left out unsaid.
void GroupOf(VoIBranch* branch, std::list<VoRefer<VoIItem>>& items) {
  std::vector<std::pair<VoIBranch*, VoIItem*>> stack{{branch, branch->GetFirstChild()}};
  std::unordered_set<VoIBranch*> entered{branch};
  while (!stack.empty()) {
    auto& [at, child] = stack.back();
    if (!child) {
      stack.pop_back();
      continue;
    }
    VoIItem* item = child;
    child = at->GetNextChild(child);
    items.emplace_back(item);
    VoIBranch* below = item->IsBranch();
    if (below && !item->IsCharacter() && entered.insert(below).second)
      stack.emplace_back(below, below->GetFirstChild());
  }
}

}  // namespace

int ExportMQO::Export(const char* path, std::list<VoRefer<VoIItem>>& items, unsigned long /*flags*/) {
  return Mqo::WriteMqoFile(path, items);
}

int ExportMQO::Export(const char* path, VoIBranch* branch, unsigned long /*flags*/) {
  std::list<VoRefer<VoIItem>> items;
  if (branch) GroupOf(branch, items);
  return Mqo::WriteMqoFile(path, items);
}
