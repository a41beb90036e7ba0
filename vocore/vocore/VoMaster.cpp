// VoMaster lifecycle, host hooks, the instance pointer and the update counter.
#include "vocore/vocore/VoMaster.h"

#include <algorithm>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/File.h"
#include "platform/module/Module.h"
#include "vocore/item/VoIItem.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/vocore/VoEngineModule.h"
#include "vocore/vocore/VoPlugin.h"

namespace {

// Live masters, oldest first. This() answers the newest, so destroying the
// newest hands the role back to an older one instead of leaving a dangling
// pointer. Constructed on first use: masters may be static objects.
std::vector<VoMaster*>& LiveMasters() {
  static std::vector<VoMaster*> masters;
  return masters;
}

}  // namespace

VoMaster::VoMaster() : renderer(nullptr), updateCounter(0) { LiveMasters().push_back(this); }

VoMaster::~VoMaster() {
  Uninitialize();
  world = nullptr;
  null = nullptr;
  auto& masters = LiveMasters();
  masters.erase(std::remove(masters.begin(), masters.end(), this), masters.end());
}

VoMaster* VoMaster::This() {
  auto& masters = LiveMasters();
  return masters.empty() ? nullptr : masters.back();
}

void* VoMaster::AllocFileRead(const char* path, unsigned long* size) {
  return Frx::File::Read(path, size);
}

void* VoMaster::AllocFileReadText(const char* path, unsigned long* size) {
  return Frx::File::ReadText(path, size);
}

void VoMaster::FreeFileData(void* data) { Frx::File::Free(data); }

void VoMaster::CreateItemExtend(VoIItem*) {}

void VoMaster::ReleaseItemExtend(VoIItem*) {}

int VoMaster::Initialize(VoRenderer* render) {
  Frx::theFerrox.Log("VoMaster : Savora:Engine Core の初期化\n");
  if (Frx::theFerrox.debug) {
    Frx::theFerrox.Log("    version %d\n", VoPluginVersion);
    Frx::theFerrox.Log("vocore.dll\n");
  }
  renderer = render;
  // A second Initialize must not file the engine's descriptors twice.
  if (itemDescs.empty() && importDescs.empty()) RegistPlugin(VoEngineModule::Handle());

  // A repeated Initialize replaces the roots; the old ones go properly.
  if (VoICoordinate* root = world) ReleaseItem(root);
  if (VoICoordinate* root = null) ReleaseItem(root);
  world = NewItem<VoICoordinate>(nullptr);
  world->SetName("world");
  null = NewItem<VoICoordinate>(nullptr);
  null->SetName("null");
  updateCounter = 0;
  return 1;
}

void VoMaster::Uninitialize() {
  // Each step checks what is left, so a second run does nothing.
  if (VoICoordinate* root = world) ReleaseItem(root);
  world = nullptr;
  if (VoICoordinate* root = null) ReleaseItem(root);
  null = nullptr;
  if (itemDescs.empty() && commandDescs.empty() && importDescs.empty() && exportDescs.empty() &&
      modules.empty())
    return;
  Frx::theFerrox.Log(
      "VoMaster : Savora:Engine Core の終了 （この時点ですべての処理は終了していなければならない）\n");
  itemDescs.clear();
  descIndex.clear();
  ForgetClassAnswers();
  importDescs.clear();
  exportDescs.clear();
  commandDescs.clear();
  // The lists no longer point into the libraries, so they can go.
  for (HINSTANCE module : modules) FreeLibrary(module);
  modules.clear();
}

VoICoordinate* VoMaster::GetWorldCoordinate() { return world; }

VoICoordinate* VoMaster::GetNullCoordinate() { return null; }

void VoMaster::CountUpdate() {
  // After the first wrap the counter skips 0, which only Initialize sets.
  updateCounter = updateCounter == 0xFFFF ? 1 : static_cast<unsigned short>(updateCounter + 1);
}
