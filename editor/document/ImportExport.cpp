// The document's only roads to the importers and exporters.
#include "editor/document/CTireloDoc.h"
#include "editor/document/DocumentPrompts.h"
#include "editor/document/FileFilters.h"
#include "editor/document/ItemControls.h"
#include "editor/document/ShowMessage.h"
#include "editor/document/VoMasterSavora.h"
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/ferrox/MessageBox.h"
#include "ferrox/file/Path.h"
#include "plugins/host/HostInterface.h"
#include "vocore/item/VoDescent.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/skeleton/VoICoordinate.h"

namespace {

// Refuses, with the log line, an import under target whose items, the
// editor's own `levels` below it or `children` put there, would nest past
// the engine's limit.
bool TooDeep(VoIBranch* target, int levels, const VoIBranch::ItemList& children = {}) {
  const int depth = Vo::Depth(target);
  bool fits = depth + levels <= VoIBranch::MaxDepth;
  for (auto it = children.begin(); fits && it != children.end(); ++it) fits = Vo::FitsAt(it->Get(), depth + 1);
  if (!fits) Frx::theFerrox.Log("　　\"%s\" の下は階層が深すぎるためインポートできません。\n", target->GetName());
  return !fits;
}

// Importers release the branch they were importing into when they fail. A
// file that makes no character of its own is therefore read into a scratch
// branch and moved into the target only when it succeeded, so a failure can
// never take "project" or the user's character with it. The importers count
// the target's depth; what one did not is not moved at all.
VoIItem* ImportIntoTarget(VoMasterSavora& master, HostInterface* host, const char* path, VoIBranch* target) {
  VoRefer<VoIBranch> scratch = new VoIBranch(nullptr);
  VoIItem* result = master.ImportFor(path, scratch, target, FlagsFromHost(host));
  bool ok = result && scratch.Get() && (result == scratch.Get() || !result->IsRelease());
  std::list<VoRefer<VoIItem>> moved;
  if (scratch) {
    VoIBranch::ItemList children;
    scratch->GetChildList(children, VoIItem::CLASS_ID);
    ok = ok && !TooDeep(target, 0, children);
    for (VoIItem* child : children)
      if (child && ok) child->Link(target), moved.emplace_back(child);
    master.ReleaseItem(scratch);
  }
  if (!ok) return nullptr;
  // What the importer would have asked for the character itself.
  if (VoICharacter* character = target->IsCharacter())
    for (VoIItem* item : moved)
      if (VoIMotion* motion = item ? item->IsMotion() : nullptr)
        ItemControls::ForCharacter(master, character, motion);
  return result == scratch.GetRaw() ? target : result;
}

}  // namespace

VoIItem* CTireloDoc::ImportFile(const char* path, VoIBranch* target) {
  Frx::Pstring chosen;
  if (!path) {
    if (!prompts) return nullptr;
    chosen = prompts->OpenFileName(ImportFilter(*master));
    if (chosen.IsEmpty()) return nullptr;
    path = chosen;
  }
  if (!target) return nullptr;
  VoIItem* result = ImportInto(path, target);
  if (result && !chosen.IsEmpty() && prompts) prompts->AddRecentFile(path);
  return result;
}

VoIItem* CTireloDoc::ImportInto(const char* path, VoIBranch* target) {
  ++keyEdits;
  const unsigned boxes = Frx::MessageBoxesShown();
  const bool ownCharacter = !Frx::Path::CmpExt(path, "kvm") && !Frx::Path::CmpExt(path, "py") &&
                            !Frx::Path::CmpExt(path, "kvs");
  const bool fileItem = !Frx::Path::CmpExt(path, "kvs");
  // The new character lies one below the target, its coordinate and file
  // item two; a motion's file item one. The importers count the rest.
  if (TooDeep(target, ownCharacter ? 2 : fileItem ? 1 : 0)) {
    ShowMessage(0, "%s のインポートに失敗しました。\n", path);
    return nullptr;
  }
  VoRefer<VoIBranch> into = target;
  VoRefer<VoIItem> attached;
  if (ownCharacter) {
    VoICharacter* character = NewCharacter(target);
    character->SetName(Frx::Path::GetName(path));
    if (VoICharacter* owner = target->IsCharacter()) attached = character->CreateAttachedCoordinate(owner);
    into = character;
  }
  VoRefer<VoIFile> file;
  if (fileItem) {
    file = master->NewItem<VoIFile>(into);
    file->SetFileName(path);
    if (Frx::Path::CmpExt(path, "mqo")) file->SetReadOnly(1);
  }
  VoIItem* result = ownCharacter ? master->Import(path, into, FlagsFromHost(pluginHost))
                                 : ImportIntoTarget(*master, pluginHost, path, into);
  if (result && !result->IsRelease() && into) {
    RefreshTreeItem(into);
    if (file) {
      auto* end = master->NewItem<VoIFile>(into);
      end->SetName((Frx::Pstring("endof ") + file->GetName()).Get());
    }
    return result;
  }
  // Only what is still alive is released, and only once. A character the
  // reader released takes its coordinate in the target along.
  if (file) master->ReleaseItem(file);
  if (!into && attached) master->ReleaseItem(attached);
  // A reader that refused the file has said why: one file, one box.
  if (Frx::MessageBoxesShown() == boxes)
    ShowMessage(0, "%s のインポートに失敗しました。\n", path);
  else
    Frx::theFerrox.Log("%s のインポートに失敗しました。\n", path);
  return nullptr;
}

int CTireloDoc::ExportFile(const char* path, VoIItem* branch) {
  VoICharacter* character = branch ? branch->IsCharacter() : nullptr;
  if (!character) return 0;
  Frx::Pstring chosen;
  if (!path) {
    if (!prompts) return 0;
    chosen = prompts->SaveFileName(ExportFilter(*master), "mqp");
    if (chosen.IsEmpty()) return 0;
    path = chosen;
  }
  const unsigned boxes = Frx::MessageBoxesShown();
  if (master->Export(path, character, FlagsFromHost(pluginHost)) == 1) return 1;
  if (Frx::MessageBoxesShown() == boxes)
    ShowMessage(0, "%s のエクスポートに失敗しました。\n", path);
  else
    Frx::theFerrox.Log("%s のエクスポートに失敗しました。\n", path);
  return 0;
}
