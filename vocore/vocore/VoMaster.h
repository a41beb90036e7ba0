// VoMaster: the one engine master of a process. The host derives from it,
// calls Initialize with its renderer (null for a headless host) and is called
// back through the virtual operations. The master owns the descriptor
// registries, creates and releases items, keeps the 16-bit update counter and
// animates characters frame by frame.
//
// It serves the item classes through VoItemServices, an empty base without
// virtual functions: separately built hosts and plug-ins rely on the layout
// and the virtual slots below, and neither moves; the base is private, so the
// public interface is unchanged too.
#pragma once

#include <array>
#include <list>
#include <unordered_map>

#include "ferrox/string/Pstring.h"
#include "platform/win32/WinTypes.h"
#include "vocore/item/VoItemServices.h"
#include "vocore/item/VoRefer.h"

namespace Frx {
class Pmatrix;
}

class VoClassDesc;
class VoClassDescCommand;
class VoClassDescExport;
class VoClassDescImport;
class VoClassDescItem;
class VoFace;
class VoIBranch;
class VoICharacter;
class VoIControl;
class VoICoordinate;
class VoIFile;
class VoIItem;
class VoIMotion;
class VoRenderer;
class VoSave;
class VoVertex;

// Words that may carry a pointer (the flags of Import/Export/Execute) are
// unsigned long; that only holds where long is pointer-sized.
static_assert(sizeof(unsigned long) == sizeof(void*), "unsigned long must hold a pointer");

class VoMaster : private VoItemServices {
 public:
  using ItemList = std::list<VoRefer<VoIItem>>;

  VoMaster();
  virtual ~VoMaster();
  VoMaster(const VoMaster&) = delete;
  VoMaster& operator=(const VoMaster&) = delete;

  // Host hooks, in slot order. Importers read whole files through the first
  // three, so a host can serve files from elsewhere; buffers are freed with
  // FreeFileData.
  virtual void* AllocFileRead(const char* path, unsigned long* size);
  virtual void* AllocFileReadText(const char* path, unsigned long* size);
  virtual void FreeFileData(void* data);
  virtual void CreateItemExtend(VoIItem* item);
  virtual void ReleaseItemExtend(VoIItem* item);

  // The most recently constructed master that still lives; null when none.
  static VoMaster* This();
  // Folder of the engine library, Shift-JIS, ending with a separator.
  static Frx::Pstring strPath;

  // Lifecycle. Uninitialize may run more than once (the destructor runs it
  // again); items of plug-in classes must be released before it.
  int Initialize(VoRenderer* renderer);
  void Uninitialize();
  VoICoordinate* GetWorldCoordinate();
  VoICoordinate* GetNullCoordinate();
  VoRenderer* GetRender() { return renderer; }

  // Items.
  VoIItem* CreateItem(unsigned long classId, VoIBranch* parent, VoIItem* source = nullptr);
  VoIItem* CreateItem(const char* className, VoIBranch* parent, VoIItem* source = nullptr);
  void CreateState(VoIItem* item);
  void ReleaseItem(VoIItem* item);
  VoVertex* CreateVertex();
  VoFace* CreateFace();
  // Constructs a T under `parent`, gives it its host and render state and
  // copies `source` into it when given. The tree holds the new item.
  template <class T>
  T* NewItem(VoIBranch* parent, VoIItem* source = nullptr) {
    T* item = new T(parent);
    CreateState(item);
    if (source) item->Copy(source);
    return item;
  }

  // Update counter and frames. The counter is 0 only right after Initialize.
  void CountUpdate();
  unsigned short GetUpdateCounter() const { return updateCounter; }
  void Animation(VoICharacter* character, const Frx::Pmatrix& placement, float time);
  void Discation(VoICharacter* character);

  // Members and controls.
  VoIControl* CreateControl(VoIItem* item, const char* member, VoIMotion* motion);
  unsigned long GetMemberOffset(VoIItem* item, const char* name);
  const char* GetMemberName(VoIItem* item, unsigned long offset);

  // Class tree.
  int IsSubclass(VoIItem* item, unsigned long classId);
  int IsSubclassID(unsigned long itemClassId, unsigned long classId);

  // Lists of counted references.
  void ListWeedOut(ItemList& out, ItemList& in, unsigned long classId);
  VoIItem* ListSearchItem(ItemList& list, const char* name);

  // Plug-in registry. `name` is appended to strPath.
  int LoadPlugin(const char* name);
  int RegistPlugin(HINSTANCE module);
  // Files one descriptor by kind (item, export, import, command); 0 when it is
  // none of them. Hosts and tests may register descriptors of their own.
  int RegistClassDesc(VoClassDesc* desc);

  // By id: the first descriptor registered with it. Two plug-ins may share
  // an id, so what names or classes an item asks by the item.
  VoClassDescItem* GetClassDescItem(unsigned long classId);
  VoClassDescItem* GetClassDescItem(const char* name);
  // The descriptor of the item's class: among descriptors sharing its id,
  // the first whose parent class the item is (by its cast slots).
  VoClassDescItem* GetClassDescItem(VoIItem* item);
  unsigned long GetClassID(const char* name);
  unsigned long GetClassID(VoClassDescItem* desc);
  const char* GetClassNameA(unsigned long classId);
  // The class name of the item's own descriptor (saving names items by it).
  const char* GetClassNameA(VoIItem* item);

  int HasCommand(const char* name, unsigned long classId);
  int ExecCommand(const char* name, VoIItem* destination, VoIItem* source, unsigned long flags);

  VoIItem* Import(const char* path, VoIBranch* parent, unsigned long flags);
  // Import into a parentless scratch branch whose items the caller moves
  // under `target` once it succeeded: the importers count target's depth.
  VoIItem* ImportFor(const char* path, VoIBranch* scratch, VoIBranch* target, unsigned long flags);
  // The depth (Vo::Depth) of the branch an import writes into, or of its
  // target for the scratch branch of ImportFor. Importers refuse a file whose
  // items would lie more than VoIBranch::MaxDepth minus this below it.
  int ImportDepth(VoIBranch* parent);
  int Export(const char* path, VoIBranch* branch, unsigned long flags);
  int Export(const char* path, ItemList& items, unsigned long flags);
  int Export(VoIFile* file, unsigned long flags);
  VoICharacter* ImportSceneFolder(const char* folder, VoICharacter* parent);
  int ExportSceneFolder(const char* folder, VoICharacter* character);

  // Writes one item as a block named after its class (defined with the text
  // persistence classes).
  static void ExecSave(VoIItem* item, VoSave& save);

  const std::list<VoClassDescItem*>& GetItemDescList() const { return itemDescs; }
  const std::list<VoClassDescCommand*>& GetCommandDescList() const { return commandDescs; }
  const std::list<VoClassDescImport*>& GetImportDescList() const { return importDescs; }
  const std::list<VoClassDescExport*>& GetExportDescList() const { return exportDescs; }
  const std::list<HINSTANCE>& GetModuleList() const { return modules; }

  // Scene folders nested deeper than this are not imported.
  static constexpr int MaxSceneFolderDepth = 32;

 protected:
  VoRenderer* renderer;
  std::list<VoClassDescItem*> itemDescs;
  std::list<VoClassDescCommand*> commandDescs;
  std::list<VoClassDescImport*> importDescs;
  std::list<VoClassDescExport*> exportDescs;
  std::list<HINSTANCE> modules;
  unsigned short updateCounter;
  VoRefer<VoICoordinate> world;
  VoRefer<VoICoordinate> null;

 private:
  friend class VoItemServices;
  struct SceneWalk;
  // Item descriptors by class id: the first registered and how many share
  // the id. Every group walk asks the class tree for each item it meets, so
  // the lookups take this index instead of a pass over the list.
  struct DescIndex {
    VoClassDescItem* first = nullptr;
    int count = 0;
  };
  std::unordered_map<unsigned long, DescIndex> descIndex;
  // Adds a descriptor just appended to itemDescs to the index.
  void IndexItemDesc(VoClassDescItem* desc);
  // Drops the answers below, which a new descriptor can change.
  void ForgetClassAnswers();
  // IsSubclass answers by descriptor and asked class: a group walk asks the
  // same few pairs for every item it meets.
  struct SubclassAnswer {
    const VoClassDescItem* desc = nullptr;
    unsigned long classId = 0;
    int result = 0;
  };
  std::array<SubclassAnswer, 64> subclassAnswers{};
  // The index entry of a class id (null: none), through a few recent ids
  // first: the walks meet the same classes over and over.
  const DescIndex* FindDescriptors(unsigned long classId);
  struct RecentId {
    unsigned long classId = 0;
    const DescIndex* entry = nullptr;
    bool known = false;
  };
  std::array<RecentId, 32> recentIds{};
  // Whether the item can be of desc's class: its parent classes hold for it.
  int DescriptorFits(VoClassDescItem* desc, VoIItem* item);
  VoICharacter* ImportSceneFolderAt(const char* folder, VoICharacter* parent, SceneWalk& walk);
  int ExportSceneFolderAt(const char* folder, VoICharacter* character, int depth);
};
