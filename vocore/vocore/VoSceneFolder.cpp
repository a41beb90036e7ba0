// Scene folders: a folder of model and motion files read as one character,
// its sub-folders as nested characters.
#include <climits>
#include <cstdlib>
#include <list>
#include <string>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/File.h"
#include "ferrox/file/Path.h"
#include "ferrox/string/NativeName.h"
#include "vocore/item/VoIItem.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

// The folders being read, outermost first, as resolved file-system paths: a
// folder that links back to one of them would otherwise recurse forever.
struct VoMaster::SceneWalk {
  std::vector<std::string> open;
};

namespace {

std::string Resolved(const char* folder) {
  std::string native = Frx::NativeName::ToNative(folder);
  char buffer[PATH_MAX];
  return realpath(native.c_str(), buffer) ? std::string(buffer) : native;
}

}  // namespace

VoICharacter* VoMaster::ImportSceneFolder(const char* folder, VoICharacter* parent) {
  SceneWalk walk;
  return ImportSceneFolderAt(folder, parent, walk);
}

VoICharacter* VoMaster::ImportSceneFolderAt(const char* folder, VoICharacter* parent,
                                            SceneWalk& walk) {
  if (!folder || !parent) return nullptr;
  std::string here = Resolved(folder);
  for (const std::string& open : walk.open)
    if (open == here) {
      Frx::theFerrox.Log("　　フォルダ \"%s\" は読み込み中のフォルダを指しています。\n", folder);
      return nullptr;
    }
  if (static_cast<int>(walk.open.size()) >= MaxSceneFolderDepth) {
    Frx::theFerrox.Log("　　フォルダ \"%s\" の階層が深すぎます。\n", folder);
    return nullptr;
  }
  walk.open.push_back(here);

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

  walk.open.pop_back();
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
