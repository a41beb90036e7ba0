#include "plugins/Pelarn/ImportMQO.h"

#include <string>

#include "ferrox/math/Pmatrix.h"
#include "plugins/Pelarn/MqoSceneBuilder.h"
#include "plugins/frame/PluginFrame.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/vocore/VoMaster.h"

VoIItem* ImportMQO::Import(const char* path, VoIBranch* parent, unsigned long /*flags*/) {
  VoMaster* master = VoMaster::This();
  if (!master || !path || !parent) return nullptr;
  // Bone objects are read in world space.
  if (VoICoordinate* world = master->GetWorldCoordinate()) {
    world->L2W = Frx::Pmatrix::id;
    world->P2L = Frx::Pmatrix::id;
  }
  unsigned long size = 0;
  void* data = master->AllocFileRead(path, &size);
  if (!data) {
    ShowMessage(0, "ファイルが読み込めません。\nファイル名:%s", path);
    return nullptr;
  }
  // A host's buffer need not end with a zero byte; the reader's text must.
  const std::string text(static_cast<const char*>(data), size);
  master->FreeFileData(data);
  return Mqo::BuildMqoScene(path, parent, text.data(), text.size()) ? parent : nullptr;
}
