#include "plugins/Osmira/IntermediateWriter.h"

#include <cstdio>

#include "ferrox/file/TextFile.h"
#include "plugins/frame/PluginFrame.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/persist/VoSave.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

namespace Osmira {

void WriteIntermediateItem(VoSave& save, VoICharacter* character, int depth) {
  // Characters nest as deep as the tree walks go.
  if (!character || depth > VoIBranch::MaxDepth) return;
  const char* className = character->GetClassNameA();
  save.OpenChunk(className ? className : "Character");
  character->VoIObject::Save(save);
  if (VoISkelton* skeleton = character->GetSkelton()) VoMaster::ExecSave(skeleton, save);
  VoIBranch::ItemList polygons;
  character->GetGroupList(polygons, VoIPolygon::CLASS_ID);
  for (const VoRefer<VoIItem>& ref : polygons) {
    VoIPolygon* polygon = ref ? ref->IsPolygon() : nullptr;
    if (!polygon || !polygon->GetVertex() || !polygon->GetFace() || polygon->IsHide() == 1) continue;
    VoMaster::ExecSave(polygon, save);
  }
  VoIBranch::ItemList nested;
  character->GetGroupList(nested, VoICharacter::CLASS_ID);
  for (const VoRefer<VoIItem>& ref : nested)
    if (VoICharacter* inner = ref ? ref->IsCharacter() : nullptr) WriteIntermediateItem(save, inner, depth + 1);
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
