// Command plug-ins: their menu entries and their run from the Tools menu or
// an item's menu; and dropped files.
#include "editor/document/CTireloDoc.h"
#include "editor/document/ShowMessage.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/frame/Commands.h"
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/File.h"
#include "ferrox/file/Path.h"
#include "plugins/host/HostInterface.h"
#include "vocore/vocore/VoClassDescCommand.h"

namespace Commands {

namespace {

VoRefer<VoIItem>& Destination() {
  static VoRefer<VoIItem>* item = new VoRefer<VoIItem>;
  return *item;
}

VoRefer<VoIItem>& Source() {
  static VoRefer<VoIItem>* item = new VoRefer<VoIItem>;
  return *item;
}

}  // namespace

std::vector<MenuEntry> ToolsMenuEntries(const VoMaster& master) {
  std::vector<MenuEntry> entries;
  int index = 0;
  for (VoClassDescCommand* desc : master.GetCommandDescList()) {
    // Skipped descriptors still use up their index: the id names the descriptor.
    if (desc->AttachClassID() == 0) entries.push_back({33000 + index, desc->MenuName()});
    ++index;
  }
  return entries;
}

std::vector<MenuEntry> ItemMenuEntries(VoMaster& master, VoIItem* item) {
  std::vector<MenuEntry> entries;
  int index = 0;
  for (VoClassDescCommand* desc : master.GetCommandDescList()) {
    if (item && master.IsSubclass(item, desc->AttachClassID()) == 1)
      entries.push_back({33000 + index, desc->MenuName()});
    ++index;
  }
  return entries;
}

void SetPluginTargets(VoIItem* destination, VoIItem* source) {
  Destination() = destination;
  Source() = source;
}

bool RunPlugin(CTireloDoc& doc, int index) {
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("コマンド実行 ID %d\n", index);
  const auto& list = doc.master->GetCommandDescList();
  VoClassDescCommand* desc = nullptr;
  int i = 0;
  for (VoClassDescCommand* d : list)
    if (i++ == index) desc = d;
  if (!desc) {
    SetPluginTargets(nullptr, nullptr);
    return false;
  }
  VoRefer<VoIItem> dst = Destination().IsEmpty() ? VoRefer<VoIItem>(doc.current.Get()) : Destination();
  VoRefer<VoIItem> src = Source().IsEmpty() ? VoRefer<VoIItem>(doc.selected.Get()) : Source();
  SetPluginTargets(nullptr, nullptr);
  Frx::theFerrox.Log("  %s(%s) ", desc->MenuName(), desc->ClassName());
  if (dst) Frx::theFerrox.Log(" dst=\"%s\"", dst->GetName());
  if (src) Frx::theFerrox.Log(" src=\"%s\"", src->GetName());
  Frx::theFerrox.Log("\n");
  if (desc->Execute(dst, src, FlagsFromHost(doc.pluginHost)) == 1) doc.QueueDeferred(dst);
  return true;
}

void DropFiles(CTireloDoc& doc, const std::vector<Frx::Pstring>& paths) {
  Frx::theFerrox.Log("ファイルをドロップ\n");
  VoICharacter* target = doc.project;
  if (ShowMessage(36, "現在のカレントキャラクタに追加しますか？\n") == 6 && doc.current) target = doc.current;
  const bool toProject = target == doc.project.Get();
  if (!target) return;
  VoIItem* last = nullptr;
  for (const Frx::Pstring& path : paths) {
    if (Frx::File::Exist(path, 1)) {
      Frx::Pstring folder = path;
      if (!Frx::Path::IsSeparator(folder[folder.Size() - 1])) folder += "\\";
      last = doc.master->ImportSceneFolder(folder, target);
    } else if (Frx::File::Exist(path, 0)) {
      last = doc.ImportFile(path, target);
    } else {
      last = nullptr;  // neither a file nor a folder: skipped
    }
  }
  if (paths.size() == 1 && last && toProject && !Frx::Path::CmpExt(paths.front(), "kvs"))
    if (VoICharacter* character = last->IsCharacter()) {
      doc.SetCurrentCharacter(character);
      doc.ClickSelect(character, 0);
    }
  doc.UpdateAllViews();
}

}  // namespace Commands
