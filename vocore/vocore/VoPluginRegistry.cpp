// Loading descriptor libraries and filing their descriptors.
#include "ferrox/ferrox/Ferrox.h"
#include "platform/module/Module.h"
#include "vocore/item/VoIItem.h"
#include "vocore/item/VoNameCompare.h"
#include "vocore/vocore/VoClassDescCommand.h"
#include "vocore/vocore/VoClassDescExport.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/vocore/VoClassDescItem.h"
#include "vocore/vocore/VoEngineModule.h"
#include "vocore/vocore/VoMaster.h"
#include "vocore/vocore/VoPlugin.h"

namespace {

// A library that never ends its table is cut off here rather than looping.
constexpr int MaxDescriptorsPerLibrary = 4096;

void* EntryOf(HINSTANCE module, const char* name) {
  void* entry = GetProcAddress(module, name);
  return VoEngineModule::SymbolBelongsTo(module, entry) ? entry : nullptr;
}

}  // namespace

int VoMaster::LoadPlugin(const char* name) {
  if (!name) return 0;
  Frx::Pstring path = strPath + name;
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("%s\n", path.Get());
  HINSTANCE module = LoadLibraryA(path);
  if (!module) {
    Frx::theFerrox.Log("    読み込みエラー\n");
    return 0;
  }
  if (!RegistPlugin(module)) {
    FreeLibrary(module);
    return 0;
  }
  modules.push_back(module);
  return 1;
}

int VoMaster::RegistPlugin(HINSTANCE module) {
  auto version = reinterpret_cast<VoPluginVersionProc>(EntryOf(module, "PluginVersion"));
  auto classDesc = reinterpret_cast<VoPluginClassDescProc>(EntryOf(module, "PluginClassDesc"));
  if (!version || !classDesc) {
    Frx::theFerrox.Log("    プラグイン関数の定義が不完全です。\n");
    return 0;
  }
  int v = version();
  if (v != VoPluginVersion) {
    Frx::theFerrox.Log("    プラグインのバージョンが一致しません。Version %d\n", v);
    return 0;
  }
  int offered = 0;
  for (int i = 0; i < MaxDescriptorsPerLibrary; ++i) {
    VoClassDesc* desc = classDesc(i);
    if (!desc) break;
    ++offered;
    if (!RegistClassDesc(desc)) {
      Frx::theFerrox.Log("%s(%d) :step\n", __FILE__, 500);
      Frx::theFerrox.Log("    不正なクラス %s\n", desc->ClassName() ? desc->ClassName() : "");
    }
  }
  if (!offered) {
    Frx::theFerrox.Log("    ディスクリプタが定義されていません。\n");
    return 0;
  }
  return 1;
}

int VoMaster::RegistClassDesc(VoClassDesc* desc) {
  if (!desc) return 0;
  const bool debug = Frx::theFerrox.debug;
  const char* name = desc->ClassName() ? desc->ClassName() : "";
  if (desc->IsItemPlugin()) {
    itemDescs.push_back(static_cast<VoClassDescItem*>(desc));
    IndexItemDesc(static_cast<VoClassDescItem*>(desc));
    if (debug) Frx::theFerrox.Log("    追加アイテム %s\n", name);
  } else if (desc->IsExportPlugin()) {
    exportDescs.push_back(static_cast<VoClassDescExport*>(desc));
    if (debug) Frx::theFerrox.Log("    追加エクスポート %s\n", name);
  } else if (desc->IsImportPlugin()) {
    importDescs.push_back(static_cast<VoClassDescImport*>(desc));
    if (debug) Frx::theFerrox.Log("    追加インポート %s\n", name);
  } else if (desc->IsCommandPlugin()) {
    commandDescs.push_back(static_cast<VoClassDescCommand*>(desc));
    if (debug) Frx::theFerrox.Log("    追加コマンド %s\n", name);
  } else {
    return 0;
  }
  return 1;
}

void VoMaster::IndexItemDesc(VoClassDescItem* desc) {
  DescIndex& entry = descIndex[desc->ClassID()];
  if (!entry.first) entry.first = desc;
  ++entry.count;
  ForgetClassAnswers();
}

void VoMaster::ForgetClassAnswers() {
  subclassAnswers.fill({});
  recentIds.fill({});
}

const VoMaster::DescIndex* VoMaster::FindDescriptors(unsigned long classId) {
  RecentId& recent = recentIds[classId % recentIds.size()];
  if (!recent.known || recent.classId != classId) {
    const auto found = descIndex.find(classId);
    recent = {classId, found == descIndex.end() ? nullptr : &found->second, true};
  }
  return recent.entry;
}

VoClassDescItem* VoMaster::GetClassDescItem(unsigned long classId) {
  const DescIndex* entry = FindDescriptors(classId);
  return entry ? entry->first : nullptr;
}

VoClassDescItem* VoMaster::GetClassDescItem(const char* name) {
  for (VoClassDescItem* desc : itemDescs)
    if (VoName::Same(desc->ClassName(), name)) return desc;
  return nullptr;
}

VoClassDescItem* VoMaster::GetClassDescItem(VoIItem* item) {
  if (!item) return nullptr;
  const unsigned long id = item->GetClassID();
  const DescIndex* entry = FindDescriptors(id);
  if (!entry) return nullptr;
  if (entry->count < 2) return entry->first;
  // Plug-ins that share an id (a blender that is a polygon, a skin modifier
  // that is a modifier) are told apart by what the item is.
  for (VoClassDescItem* desc : itemDescs)
    if (desc->ClassID() == id && DescriptorFits(desc, item)) return desc;
  return entry->first;
}

const char* VoMaster::GetClassNameA(VoIItem* item) {
  VoClassDescItem* desc = GetClassDescItem(item);
  return desc ? desc->ClassName() : nullptr;
}

unsigned long VoMaster::GetClassID(const char* name) {
  VoClassDescItem* desc = GetClassDescItem(name);
  return desc ? desc->ClassID() : 0;
}

unsigned long VoMaster::GetClassID(VoClassDescItem* desc) { return desc ? desc->ClassID() : 0; }

const char* VoMaster::GetClassNameA(unsigned long classId) {
  VoClassDescItem* desc = GetClassDescItem(classId);
  return desc ? desc->ClassName() : nullptr;
}
