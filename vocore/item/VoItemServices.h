// VoItemServices: what items ask of the engine master (creation and release,
// the class registry, the update counter, the world root, the renderer, file
// import and export, the save frame). Item classes reach the master through
// it, so no folder below the master includes VoMaster.h.
//
// VoMaster is the one implementation (vocore/vocore/VoItemServices.cpp): every
// call forwards to the master. The class is empty and has no virtual
// functions, so deriving from it leaves VoMaster's layout and virtual table
// exactly as they were.
#pragma once

#include "vocore/item/VoItemFwd.h"

class VoRenderer;

class VoItemServices {
 public:
  // The master of the process (VoMaster::This); null when there is none.
  static VoItemServices* This();

  // Writes `item` as a block headed by its class name (VoMaster::ExecSave).
  // Needs no master: without one the block is headed "Item".
  static void ExecSave(VoIItem* item, VoSave& save);

  // Items. See VoMaster for each; NewItem constructs a T under `parent`,
  // gives it its host and render state and copies `source` into it.
  VoIItem* CreateItem(unsigned long classId, VoIBranch* parent, VoIItem* source = nullptr);
  VoIItem* CreateItem(const char* className, VoIBranch* parent, VoIItem* source = nullptr);
  void CreateState(VoIItem* item);
  template <class T>
  T* NewItem(VoIBranch* parent, VoIItem* source = nullptr) {
    T* item = new T(parent);
    CreateState(item);
    if (source) item->Copy(source);
    return item;
  }
  void ReleaseItem(VoIItem* item);
  void ReleaseItemExtend(VoIItem* item);

  // Class registry.
  bool HasClassDesc(unsigned long classId);
  int IsSubclass(VoIItem* item, unsigned long classId);
  const char* GetClassNameA(unsigned long classId);
  // The name of the item's own class descriptor (ids may be shared).
  const char* GetClassNameA(VoIItem* item);
  // The class registered under `className` (any letter case) and the offset
  // of its member `memberName` (exact), read from a throw-away item of the
  // class. False when no such class is registered; offset 0 when the class
  // has no such member.
  bool LookUpMember(const char* className, const char* memberName, unsigned long& classId,
                    unsigned long& offset);
  // The name of the member at `offset` of class `classId`; null when none.
  const char* GetClassMemberName(unsigned long classId, unsigned long offset);

  // Frames, roots and drawing.
  unsigned short GetUpdateCounter();
  VoICoordinate* GetWorldCoordinate();
  VoRenderer* GetRender();

  // Files.
  VoIItem* Import(const char* path, VoIBranch* parent, unsigned long flags);
  int Export(VoIFile* file, unsigned long flags);

 protected:
  VoItemServices() = default;
  ~VoItemServices() = default;
  VoItemServices(const VoItemServices&) = delete;
  VoItemServices& operator=(const VoItemServices&) = delete;

 private:
  VoMaster& Master();
};
