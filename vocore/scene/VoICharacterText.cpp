// The character's block in item text. Items that came from an imported file
// are not written: an Import line stands for them and reads them again.
#include <cctype>
#include <string>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/Path.h"
#include "vocore/item/VoItemServices.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIFile.h"
#include "vocore/scene/VoILight.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

bool IsSep(char c) { return c == '\\' || c == '/'; }

// The file's path below the folder of the text being written, or its full
// path when it lies elsewhere (the reader joins either to that folder).
std::string PathForText(const std::string& folder, const std::string& path) {
  size_t n = folder.size();
  while (n > 0 && IsSep(folder[n - 1])) --n;
  if (n == 0 || path.size() <= n + 1 || !IsSep(path[n])) return path;
  for (size_t i = 0; i < n; ++i) {
    const char a = folder[i], b = path[i];
    if (IsSep(a) && IsSep(b)) continue;
    if (std::tolower(static_cast<unsigned char>(a)) != std::tolower(static_cast<unsigned char>(b))) return path;
  }
  return path.substr(n + 1);
}

std::string Joined(const std::string& folder, const char* value) {
  if (folder.empty()) return value;
  return Frx::Path::Combine(folder.c_str(), value).Get();
}

// Blocks the reader accepts; the first four are made here, Character through the master.
const char* const BlockNames[] = {"Skelton", "Camera", "Light", "Motion", "Character"};
const unsigned long BlockClasses[] = {VoISkelton::CLASS_ID, VoICamera::CLASS_ID, VoILight::CLASS_ID,
                                      VoIMotion::CLASS_ID, VoICharacter::CLASS_ID};

}  // namespace

int VoICharacter::Save(VoSave& save) {
  VoIObject::Save(save);
  if (fileName.HasFile()) {
    save.Write("fileName = \"%s\"\n", fileName.path.c_str());
    save.Write("readOnly = %d\n", readOnly);
  }
  for (VoIItem* c = GetFirstChild(); c && !c->IsFile(); c = GetNextChild(c))
    if (c->IsSkelton()) VoItemServices::ExecSave(c, save);
  bool skip = false;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) {
    VoIFile* file = c->IsFile();
    if (skip && !file) continue;
    skip = false;
    if (file) {
      if (file->path.empty()) continue;
      save.Write("Import \"%s\" ro(%d)\n", PathForText(save.basePath, file->path).c_str(), file->readOnly);
      skip = true;
      if (!file->IsReadOnly())
        if (VoItemServices* master = VoItemServices::This()) master->Export(file, 0);
    } else if (c->IsCamera() || c->IsLight() || c->IsMotion() || c->IsCharacter()) {
      VoItemServices::ExecSave(c, save);
    }
  }
  return 1;
}

int VoICharacter::Load(VoLoad& load) {
  VoItemServices* master = VoItemServices::This();
  char text[1024];
  for (;;) {
    if (VoIObject::Load(load)) continue;
    if (load.Read(" fileName = \"%s\"", text, static_cast<int>(sizeof text))) {
      fileName.SetPathName(Joined(load.basePath, text).c_str());
      continue;
    }
    int number = 0;
    if (load.Read(" readOnly = %d", &number)) {
      readOnly = number;
      continue;
    }
    if (load.Read(" Import \"%s\" ro(%d)", text, static_cast<int>(sizeof text), &number)) {
      const std::string path = Joined(load.basePath, text);
      VoIFile* file = new VoIFile(this);
      if (master) master->CreateState(file);
      file->SetFileName(path.c_str());
      file->SetReadOnly(number);
      if (!master || !master->Import(path.c_str(), this, 0))
        Frx::theFerrox.Log("\"%s\" のインポートに失敗しました。\n", path.c_str());
      // Marks where the imported children end, for the writer.
      VoIFile* end = new VoIFile(this);
      if (master) master->CreateState(end);
      end->SetName(("endof " + file->name).c_str());
      continue;
    }
    bool opened = false;
    for (size_t k = 0; k < sizeof BlockClasses / sizeof BlockClasses[0]; ++k) {
      if (!load.OpenChunk(BlockNames[k])) continue;
      opened = true;
      VoIItem* child = master ? master->CreateItem(BlockClasses[k], this) : nullptr;
      if (child) child->Load(load);
      load.CloseChunk();
      break;
    }
    if (!opened) return 0;
  }
}
