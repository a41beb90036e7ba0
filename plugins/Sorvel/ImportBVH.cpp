#include "plugins/Sorvel/ImportBVH.h"

#include <string>

#include "ferrox/ferrox/Ferrox.h"
#include "plugins/Sorvel/BvhBuilder.h"
#include "plugins/Sorvel/BvhParser.h"
#include "plugins/frame/PluginFrame.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/vocore/VoMaster.h"

VoIItem* ImportBVH::Import(const char* path, VoIBranch* parent, unsigned long /*flags*/) {
  return Bvh::ReadBvhFile(path, parent);
}

namespace Bvh {

VoIItem* ReadBvhFile(const char* path, VoIBranch* parent) {
  VoMaster* master = VoMaster::This();
  if (!master || !path || !parent) return nullptr;
  unsigned long size = 0;
  void* data = master->AllocFileReadText(path, &size);
  if (!data) {
    ShowMessage(0, "ファイルが読み込めません。\nファイル名:%s", path);
    return nullptr;
  }
  // The whole file is read before any item is made, so a refused file
  // leaves the parent exactly as it was.
  Frx::theFerrox.Log("Hierarchy 解析\n");
  Document doc;
  std::string error;
  int line = 0;
  const int parsed = ParseBvhDocument(static_cast<const char*>(data), size, doc, error, &line);
  master->FreeFileData(data);
  if (!parsed) {
    Frx::theFerrox.Log("　　%s の %d 行目\n", path, line);
    ShowMessage(0, "%s", error.c_str());
    return nullptr;
  }
  // Nothing is built that the engine's walks could not reach: the branch's
  // own depth counts.
  const int limit = VoIBranch::MaxDepth - master->ImportDepth(parent);
  size_t node = 0;
  if (const int deepest = DeepestLevel(doc, node); deepest > limit) {
    const std::string name = node < doc.nodes.size() ? doc.nodes[node].name : "";
    Frx::theFerrox.Log("　　ジョイント \"%s\" の階層が深すぎます (%d 段、上限 %d 段)。\n",
                       name.empty() ? "End Site" : name.c_str(), deepest, limit);
    ShowMessage(0, "%s", StructureError(__FILE_NAME__, __LINE__).c_str());
    return nullptr;
  }
  Frx::theFerrox.Log("Motion 解析\n");
  BuildBvhItems(*master, doc, parent);
  doc.skipped.Log(path);
  return parent;
}

}  // namespace Bvh
