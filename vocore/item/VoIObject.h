// VoIObject: base of placeable items; hangs from a coordinate (a locate).
#pragma once

#include "vocore/item/VoIBranch.h"

class VoIObject : public VoIBranch {
 public:
  enum : unsigned long { CLASS_ID = 33 };
  explicit VoIObject(VoIBranch* parent = nullptr);
  ~VoIObject() override;

  VoItemClassDesc& GetClassDesc() override { return classDesc; }
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 17; }
  VoIObject* IsObject() override { return this; }
  // The item part, then the source's coordinate reference.
  void Copy(VoIItem* source) override;
  // Drops the coordinate too: objects whose coordinates name each other (or
  // itself, as a text can) would otherwise keep each other alive for ever.
  void Release() override;
  int Load(VoLoad& load) override;
  int Save(VoSave& save) override;
  // Slot behind Save.
  virtual int Redraw() { return 1; }

  VoICoordinate* GetCoordinate();
  VoILocate* GetLocate();
  void SetCoordinate(VoILocate* locate);
  // Own coordinate, else the nearest character's above, else the world root.
  VoICoordinate* GetSafetyCoordinate();

  VoRefer<VoILocate> coordinate;

  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
