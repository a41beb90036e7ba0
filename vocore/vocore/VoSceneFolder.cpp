// Scene folders: a folder of model and motion files read as one character,
// its sub-folders as nested characters.
#include <sys/stat.h>

#include <list>
#include <map>
#include <utility>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/CaseResolve.h"
#include "ferrox/file/File.h"
#include "ferrox/file/Path.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

// Every folder of one import by device and inode, true while it is being
// read: a link back to an open folder would recurse forever, and links to a
// folder already read (a diamond of links) would read it once per path.
struct VoMaster::SceneWalk {
  std::map<std::pair<dev_t, ino_t>, bool> folders;
  int depth = 0;
};

VoICharacter* VoMaster::ImportSceneFolder(const char* folder, VoICharacter* parent) {
  SceneWalk walk;
  return ImportSceneFolderAt(folder, parent, walk);
}

VoICharacter* VoMaster::ImportSceneFolderAt(const char* folder, VoICharacter* parent,
                                            SceneWalk& walk) {
  if (!folder || !parent) return nullptr;
  // The folder's character goes under parent and its coordinate into the
  // skeleton beside it, one level lower still.
  if (walk.depth >= MaxSceneFolderDepth || ImportDepth(parent) + 2 > VoIBranch::MaxDepth) {
    Frx::theFerrox.Log("　　フォルダ \"%s\" の階層が深すぎます。\n", folder);
    return nullptr;
  }
  // A folder that cannot be looked at lists nothing, so it is not tracked.
  struct stat st;
  const bool known = stat(Frx::CaseResolve::ResolveSystem(folder).c_str(), &st) == 0;
  const std::pair<dev_t, ino_t> id(known ? st.st_dev : 0, known ? st.st_ino : 0);
  if (known) {
    auto found = walk.folders.find(id);
    if (found != walk.folders.end()) {
      if (found->second)
        Frx::theFerrox.Log("　　フォルダ \"%s\" は読み込み中のフォルダを指しています。\n", folder);
      else
        Frx::theFerrox.Log("　　フォルダ \"%s\" は読み込み済みのフォルダを指しています。\n", folder);
      return nullptr;
    }
    walk.folders.emplace(id, true);
  }
  ++walk.depth;

  std::list<Frx::File::SearchData> entries;
  Frx::File::Search(entries, folder, "*.*");

  VoICharacter* character = NewItem<VoICharacter>(parent);
  char name[1024] = "";
  Frx::Pstring folderText(folder);
  if (folderText.Size() < sizeof(name)) Frx::Path::GetLastPath(name, folder);
  character->SetName(name);

  VoISkelton* skelton = parent->GetSkelton();
  if (!skelton) {
    skelton = NewItem<VoISkelton>(parent);
    skelton->SetName("skelton");
  }
  VoICoordinate* coordinate = NewItem<VoICoordinate>(skelton);
  coordinate->SetName(name);
  character->SetCoordinate(coordinate);

  auto importFiles = [&](const char* ext, int readOnly) {
    for (const Frx::File::SearchData& entry : entries) {
      if (entry.isDirectory || !Frx::Path::CmpExt(entry.name, ext)) continue;
      Frx::Pstring path = Frx::Pstring(folder) + entry.name;
      VoIFile* file = NewItem<VoIFile>(character);
      file->SetPathName(path);
      file->SetReadOnly(readOnly);
      if (!Import(path, character, 0)) ReleaseItem(file);
    }
  };
  importFiles("mqo", 1);
  for (const Frx::File::SearchData& entry : entries) {
    if (!entry.isDirectory) continue;
    Frx::Pstring sub = Frx::Pstring(folder) + entry.name + "\\";
    ImportSceneFolderAt(sub, character, walk);
  }
  importFiles("kvm", 0);

  --walk.depth;
  if (known) walk.folders[id] = false;
  return character;
}

int VoMaster::ExportSceneFolder(const char* folder, VoICharacter* character) {
  return ExportSceneFolderAt(folder, character, 0);
}

int VoMaster::ExportSceneFolderAt(const char* folder, VoICharacter* character, int depth) {
  if (!character || depth >= MaxSceneFolderDepth) return 0;
  ItemList children;
  character->GetChildList(children, 1);
  for (VoRefer<VoIItem>& ref : children) {
    VoIItem* child = ref;
    if (!child) continue;
    if (VoICharacter* sub = child->IsCharacter()) {
      Frx::Pstring subFolder = Frx::Pstring(folder ? folder : "") + sub->GetName();
      ExportSceneFolderAt(subFolder, sub, depth + 1);
    } else if (VoIFile* file = child->IsFile()) {
      Export(file, 0);
    }
  }
  return 0;
}
