#include "editor/app/Startup.h"

#include <cstring>
#include <ctime>

#include "editor/document/CTireloDoc.h"
#include "editor/document/ShowMessage.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/settings/Version.h"
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/File.h"
#include "ferrox/file/Path.h"
#include "platform/module/Module.h"
#include "vocore/vocore/VoClassDescCommand.h"

namespace Startup {

void OpenLog() {
  Frx::theFerrox.Initialize(nullptr, false, nullptr);
  Frx::theFerrox.DeleteLog();
  Frx::theFerrox.CreateLog();
  Frx::theFerrox.Log("Savora Ver ");
  Frx::theFerrox.Log("%s", kProgramVersion);
  if (Frx::theFerrox.debug) Frx::theFerrox.Log(" %s", "beta 1");
  Frx::theFerrox.Log(" release");
  char when[256] = "";
  const std::time_t now = std::time(nullptr);
  std::strftime(when, sizeof when, "%x %X", std::localtime(&now));
  Frx::theFerrox.Log("\nstartup %s\n", when);
}

void ReportDuplicateApp() { Frx::theFerrox.Error("CTireloApp のインスタンスが２重に生成されました。\n"); }

int RegisterPlayerControl(const char* path) {
  // COM needs no set-up here: registration is a file of the user's.
  HMODULE module = LoadLibraryA(path);
  if (!module) return -2;
  int result = -3;
  using Register = long (*)();
  // The entry's own failure is a failure too, not a registration.
  if (auto entry = reinterpret_cast<Register>(GetProcAddress(module, "DllRegisterServer")))
    result = entry() == 0 ? 0 : -4;
  FreeLibrary(module);
  return result;
}

void RegisterPlayer() {
  const Frx::Pstring path = VoMaster::strPath + "lumacet.dll";
  if (RegisterPlayerControl(path) == 0) Frx::theFerrox.Log("lumacet.dll を登録しました\n");
  else Frx::theFerrox.Error("lumacet.dll の登録に失敗しました。\n");
}

void LoadPlugins(VoMaster& master) {
  Frx::theFerrox.Log("プラグインのロード\n");
  for (const char* name : {"plugins\\basic.dll", "plugins\\pelarn.dll", "plugins\\quovin.dll",
                           "plugins\\osmira.dll", "plugins\\uvesk.dll", "plugins\\tandrel.dll",
                           "plugins\\sorvel.dll", "plugins\\rastel.dll", "plugins\\python.dll"})
    master.LoadPlugin(name);
}

namespace {

bool IsFolder(const char* path) {
  const size_t n = std::strlen(path);
  return n > 0 && (Frx::Path::IsSeparator(path[n - 1]) || Frx::File::Exist(path, 1));
}

// A scene folder's path ends with a separator.
Frx::Pstring AsImportPath(const char* path) {
  Frx::Pstring p(path);
  if (IsFolder(path) && !Frx::Path::IsSeparator(path[std::strlen(path) - 1])) p += "\\";
  return p;
}

// A motion opened with a character plays at once: the scoped character
// without a motion takes its first.
void GiveMotion(CTireloDoc& doc) {
  VoICharacter* character = doc.GetCurrentCharacter();
  if (!character || character->GetMotion()) return;
  VoIBranch::ItemList motions;
  character->GetChildList(motions, VoIMotion::CLASS_ID);
  for (VoIItem* m : motions)
    if (m && m->IsMotion()) return character->SetMotion(m->IsMotion());
}

}  // namespace

int OpenCommandLine(CTireloDoc& doc, const std::vector<Frx::Pstring>& paths) {
  for (size_t i = 0; i < paths.size(); ++i) {
    const char* path = paths[i];
    if (!Frx::File::Exist(path, 0) && !IsFolder(path)) {
      ShowMessage(0, "%s が見つかりません。\n", path);
      return 0;
    }
    VoICharacter* target = i == 0 ? doc.project.Get() : doc.GetCurrentCharacter();
    if (!target) continue;
    if (IsFolder(path)) {
      VoICharacter* scene = doc.master->ImportSceneFolder(AsImportPath(path), target);
      if (scene && i == 0) doc.SetCurrentCharacter(scene), doc.ClickSelect(scene, 0);
    } else if (i == 0) {
      doc.OpenDocumentFile(path);
    } else {
      doc.ImportFile(path, target);
    }
    GiveMotion(doc);
  }
  doc.UpdateAllViews();
  return 1;
}

}  // namespace Startup
