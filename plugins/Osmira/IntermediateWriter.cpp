#include "plugins/Osmira/IntermediateWriter.h"

#include <cstdio>
#include <unordered_set>
#include <utility>
#include <vector>

#include "ferrox/file/TextFile.h"
#include "plugins/frame/PluginFrame.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/persist/VoSave.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

namespace Osmira {

namespace {

// Blocks nest as deep as the model, but the indent stops deepening here, so
// the file grows with the model and not with the square of its depth.
constexpr int MaxIndent = 64;

unsigned short Indent(int depth) { return static_cast<unsigned short>(depth < MaxIndent ? depth : MaxIndent); }

bool Kept(VoIPolygon* polygon) {
  return polygon->GetVertex() && polygon->GetFace() && polygon->IsHide() != 1;
}

// The polygon's block as its own Save writes it (object lines, then the block
// of every child), walked without recursion so a deep chain of nested
// polygons cannot exhaust the stack.
void WritePolygonBlock(VoSave& save, VoIPolygon* top) {
  const int base = save.depth;
  std::vector<std::pair<VoIPolygon*, VoIItem*>> open;  // open blocks and their next child
  auto openBlock = [&](VoIPolygon* polygon) {
    save.depth = Indent(base + static_cast<int>(open.size()));
    const char* className = polygon->GetClassNameA();
    save.OpenChunk(className ? className : "Item");
    polygon->VoIObject::Save(save);
    open.emplace_back(polygon, polygon->GetFirstChild());
  };
  openBlock(top);
  while (!open.empty()) {
    const int level = base + static_cast<int>(open.size());
    auto& [polygon, next] = open.back();
    if (!next) {
      save.depth = static_cast<unsigned short>(Indent(level - 1) + 1);
      save.CloseChunk();
      open.pop_back();
      continue;
    }
    VoIItem* child = next;
    next = polygon->GetNextChild(child);
    if (VoIPolygon* inner = child->IsPolygon()) {
      openBlock(inner);
    } else {
      save.depth = Indent(level);
      VoMaster::ExecSave(child, save);
    }
  }
  save.depth = static_cast<unsigned short>(base);
}

}  // namespace

void WriteIntermediateItem(VoSave& save, VoICharacter* character, int depth) {
  // Characters nest as deep as the tree walks go.
  if (!character || depth > VoIBranch::MaxDepth) return;
  const char* className = character->GetClassNameA();
  save.depth = Indent(depth);
  save.OpenChunk(className ? className : "Character");
  character->VoIObject::Save(save);
  if (VoISkelton* skeleton = character->GetSkelton()) VoMaster::ExecSave(skeleton, save);
  VoIBranch::ItemList polygons;
  character->GetGroupList(polygons, VoIPolygon::CLASS_ID);
  // The list runs parents first. A polygon whose parent polygon's block is
  // written is in that block already: writing it again would repeat it once
  // per ancestor.
  std::unordered_set<VoIItem*> written;
  for (const VoRefer<VoIItem>& ref : polygons) {
    VoIPolygon* polygon = ref ? ref->IsPolygon() : nullptr;
    if (!polygon) continue;
    if (written.count(polygon->GetParent())) {
      written.insert(polygon);
      continue;
    }
    if (!Kept(polygon)) continue;
    written.insert(polygon);
    WritePolygonBlock(save, polygon);
  }
  VoIBranch::ItemList nested;
  character->GetGroupList(nested, VoICharacter::CLASS_ID);
  for (const VoRefer<VoIItem>& ref : nested)
    if (VoICharacter* inner = ref ? ref->IsCharacter() : nullptr) WriteIntermediateItem(save, inner, depth + 1);
  save.depth = static_cast<unsigned short>(Indent(depth) + 1);
  save.CloseChunk();
}

int WriteIntermediateFile(const char* path, std::list<VoRefer<VoIItem>>& items) {
  bool any = false;
  for (const VoRefer<VoIItem>& ref : items) any = any || (ref && ref->IsCharacter());
  if (!any) {
    ShowMessage(0, "エクスポート可能なアイテムがありません。\n");
    return 0;
  }
  FILE* file = path ? Frx::File::Open(path, "w") : nullptr;
  if (!file) {
    ShowMessage(0, "ファイルがオープンできませんでした。\nファイル名:%s", path ? path : "");
    return 0;
  }
  VoSave save(file);
  save.depth = 0;
  save.basePath = path;
  std::fputs("Savora Intermediate Ver 1\n\n", file);
  for (const VoRefer<VoIItem>& ref : items)
    if (VoICharacter* character = ref ? ref->IsCharacter() : nullptr) WriteIntermediateItem(save, character);
  std::fputs("Eof\n", file);
  if (std::fclose(file) != 0) {
    // The temporary went; an earlier file of that name is as it was.
    ShowMessage(0, "ファイルがオープンできませんでした。\nファイル名:%s", path);
    return 0;
  }
  return 1;
}

}  // namespace Osmira
