// VoIBone: a coordinate frame spanned from a start locate to an end locate.
#pragma once

#include <vector>

#include "vocore/skeleton/VoICoordinate.h"

class VoIBone : public VoICoordinate {
 public:
  enum : unsigned long { CLASS_ID = 19 };
  enum KType { KTYPE_NONE = 0, KTYPE_CONNECTED = 1 };
  struct AffectLocate {
    VoRefer<VoILocate> locate;
    Frx::Pvector vector{0.0f, 0.0f, 0.0f};
  };

  explicit VoIBone(VoIBranch* parent = nullptr);

  VoItemClassDesc& GetClassDesc() override { return classDesc; }
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 15; }
  VoIBone* IsBone() override { return this; }
  // Breaks the bone/locate reference cycles before the tree goes.
  void Release() override;

  VoILocate* GetStartLocate() const { return start.Get(); }
  void SetStartLocate(VoILocate* l) { start = l; }
  VoILocate* GetEndLocate() const { return end.Get(); }
  void SetEndLocate(VoILocate* l) { end = l; }
  VoILocate* GetHeadLocate() const { return head.Get(); }
  void SetHeadLocate(VoILocate* l) { head = l; }
  void AddAffectLocate(VoILocate* l, const Frx::Pvector& v);
  KType GetBoneKType() const { return boneKType; }

  KType boneKType = KTYPE_NONE;
  VoRefer<VoILocate> start;
  VoRefer<VoILocate> end;
  VoRefer<VoILocate> head;
  VoRefer<VoIBone> carrier;
  std::vector<AffectLocate> affect;
  float length = 0.0f;
  float headLength = 0.0f;
  Frx::Pvector headVector{0.0f, 0.0f, 0.0f};

  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
