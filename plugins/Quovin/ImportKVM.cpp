#include "plugins/Quovin/ImportKVM.h"

#include <cstring>
#include <string>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "plugins/Quovin/KvmBuilder.h"
#include "plugins/Quovin/KvmReader.h"
#include "plugins/frame/PluginFrame.h"
#include "plugins/host/HostInterface.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

// The whole text is read before any item is made, so a broken file adds
// nothing: the branch imported into (the user's character, with the motions
// it had) is never released.
VoIItem* ImportKVM::Import(const char* path, VoIBranch* parent, unsigned long flags) {
  VoMaster* master = VoMaster::This();
  if (!master || !path || !parent) return nullptr;
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("KVM インポート : start\n");
  unsigned long size = 0;
  char* data = static_cast<char*>(master->AllocFileReadText(path, &size));
  if (!data) {
    ShowMessage(0, "ファイルが読み込めません。\nファイル名:%s", path);
    return nullptr;
  }
  // A host's buffer need not end with a zero byte; the reader's text must.
  const std::string text(data, strnlen(data, size));
  master->FreeFileData(data);

  Kvm::Document doc;
  std::string error;
  switch (Kvm::ReadKvmDocument(text.data(), text.size(), doc, error)) {
    case Kvm::ReadResult::REFUSED:
      return nullptr;
    case Kvm::ReadResult::BROKEN:
      ShowMessage(0, "%s", error.c_str());
      return nullptr;
    case Kvm::ReadResult::DONE:
      break;
  }

  // Nothing is built that the engine's walks could not reach: the branch's
  // own depth counts.
  const int limit = VoIBranch::MaxDepth - master->ImportDepth(parent);
  std::string deepestMotion;
  if (const int deepest = Kvm::DeepestLevel(doc, deepestMotion); deepest > limit) {
    Frx::theFerrox.Log("　　モーション \"%s\" の階層が深すぎます (%d 段、上限 %d 段)。\n", deepestMotion.c_str(), deepest,
                       limit);
    ShowMessage(0, "%s", Kvm::ImportError(__FILE_NAME__, __LINE__).c_str());
    return nullptr;
  }

  if (Frx::theFerrox.debug) Frx::theFerrox.Log("モーション生成\n");
  HostInterface* host = HostFromFlags(flags);
  VoICharacter* character = parent->IsCharacter();
  std::vector<VoRefer<VoIMotion>> made;
  for (const Kvm::Motion& source : doc.motions) {
    VoIMotion* motion = Kvm::BuildMotion(*master, source, parent);
    if (!motion) {
      for (VoRefer<VoIMotion>& m : made) master->ReleaseItem(m);
      return nullptr;
    }
    made.emplace_back(motion);
    if (host && character) host->CreateItemControls(character, motion);
  }
  // Taken: what the reader passed over on the way is told.
  doc.skipped.Log(path);
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("KVM インポート : end\n");
  return parent;
}
