// Import, export and commands, dispatched by file extension and by name.
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/Path.h"
#include "ferrox/string/Sjis.h"
#include "vocore/item/VoDescent.h"
#include "vocore/item/VoIItem.h"
#include "vocore/item/VoNameCompare.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoClassDescCommand.h"
#include "vocore/vocore/VoClassDescExport.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/vocore/VoMaster.h"

namespace {

template <class Desc>
Desc* FindByExtension(const std::list<Desc*>& descs, const char* path) {
  for (Desc* desc : descs) {
    const char* ext = desc->FileExt();
    if (ext && Frx::Path::CmpExt(path, ext)) return desc;
  }
  return nullptr;
}

// Whether the last character is a backslash. Walked by character: 0x5C is
// also the second byte of some Shift-JIS characters ("表", "ソ"), which do not
// make a file name a folder.
bool EndsWithSeparator(const char* path) {
  bool last = false;
  for (auto* p = reinterpret_cast<const unsigned char*>(path); *p;) {
    const int n = Frx::Sjis::CharLength(p);
    last = n == 1 && *p == '\\';
    p += n;
  }
  return last;
}

// The scratch branch of the import under way through ImportFor, and the
// branch its items are meant for.
struct Staged {
  VoIBranch* scratch = nullptr;
  VoIBranch* target = nullptr;
} staged;

}  // namespace

int VoMaster::HasCommand(const char* name, unsigned long classId) {
  for (VoClassDescCommand* desc : commandDescs)
    if (VoName::Exact(desc->ClassName(), name) &&
        (classId == 0 || desc->AttachClassID() == classId))
      return 1;
  return 0;
}

int VoMaster::ExecCommand(const char* name, VoIItem* destination, VoIItem* source,
                          unsigned long flags) {
  Frx::Pstring line;
  line.Format("コマンド: %s", name ? name : "");
  if (Frx::theFerrox.debug) {
    if (destination) line += Frx::Pstring().Format(" dst=\"%s\"", destination->GetName());
    if (source) line += Frx::Pstring().Format(" src=\"%s\"", source->GetName());
  }
  line += "\n";
  Frx::theFerrox.LogOut(line);
  for (VoClassDescCommand* desc : commandDescs)
    if (VoName::Same(desc->ClassName(), name)) return desc->Execute(destination, source, flags);
  Frx::theFerrox.Log("　　コマンド \"%s\" はサポートされていません。\n", name ? name : "");
  return 0;
}

VoIItem* VoMaster::Import(const char* path, VoIBranch* parent, unsigned long flags) {
  if (!path) return nullptr;
  Frx::theFerrox.Log("インポート: %s\n", path);
  if (EndsWithSeparator(path)) {
    VoICharacter* character = parent ? parent->IsCharacter() : nullptr;
    return character ? ImportSceneFolder(path, character) : nullptr;
  }
  VoClassDescImport* desc = FindByExtension(importDescs, path);
  if (!desc) {
    Frx::theFerrox.Log("　　ファイル \"%s\" に対応しているインポータが見つかりません。\n", path);
    return nullptr;
  }
  VoIItem* item = desc->Import(path, parent, flags);
  if (!item) {
    Frx::theFerrox.Log("　　\"%s\" の入力に失敗しました。\n", path);
    return nullptr;
  }
  item->ExecUpdate();
  return item;
}

VoIItem* VoMaster::ImportFor(const char* path, VoIBranch* scratch, VoIBranch* target, unsigned long flags) {
  const Staged outer = staged;
  staged = {scratch, target};
  VoIItem* item = Import(path, scratch, flags);
  staged = outer;
  return item;
}

int VoMaster::ImportDepth(VoIBranch* parent) {
  return Vo::Depth(parent && parent == staged.scratch ? staged.target : parent);
}

int VoMaster::Export(const char* path, VoIBranch* branch, unsigned long flags) {
  if (!path) return 0;
  Frx::theFerrox.Log("エクスポート: %s\n", path);
  VoClassDescExport* desc = FindByExtension(exportDescs, path);
  if (!desc) {
    Frx::theFerrox.Log("　　ファイル \"%s\" に対応しているエクスポータが見つかりません。\n", path);
    return 0;
  }
  if (desc->Export(path, branch, flags)) return 1;
  Frx::theFerrox.Log("　　\"%s\" の出力に失敗しました。\n", path);
  return 0;
}

int VoMaster::Export(const char* path, ItemList& items, unsigned long flags) {
  if (!path) return 0;
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("エクスポート: %s\n", path);
  VoClassDescExport* desc = FindByExtension(exportDescs, path);
  if (!desc) {
    Frx::theFerrox.Log("　　ファイル \"%s\" に対応しているエクスポータが見つかりません。\n", path);
    return 0;
  }
  if (desc->Export(path, items, flags)) return 1;
  Frx::theFerrox.Log("　　\"%s\" の出力に失敗しました。\n", path);
  return 0;
}

int VoMaster::Export(VoIFile* file, unsigned long flags) {
  if (!file) return 0;
  if (file->IsReadOnly() == 1) return 1;
  ItemList group;
  file->GetGroupList(group, 1);
  Frx::Pstring path = file->GetPathName();
  return Export(path.Get(), group, flags);
}
