// VoIBone: a coordinate frame spanned from a start locate to an end locate.
#pragma once

#include <string>
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
  // Builds the rest frame from the start, end and head; 0 when the start or
  // end is missing.
  int Arrange() override;
  int Update(unsigned long counter) override;
  int Load(VoLoad& load) override;
  int Save(VoSave& save) override;
  void ConvL2W(const Frx::Pmatrix& parentWorld, int force) override;
  void ConvW2L(const Frx::Pmatrix& parentWorld, int force) override;
  void ConvTransW2L(int force) override;
  // Aims the bone from its start at its end; a degenerate aim keeps rot.
  void ConvRotateW2L(int force) override;
  void StandardPosition() override;

  // Positions of the locates; Missing() in every component when the locate
  // read is missing or released.
  static Frx::Pvector Missing() { return Frx::Pvector(3.4028235e38f); }
  static bool IsMissing(const Frx::Pvector& v) { return v.x >= 3.4028235e38f; }
  Frx::Pvector GetPosStart() const;
  Frx::Pvector GetPosEnd() const;
  Frx::Pvector GetSPosStart() const;
  Frx::Pvector GetSPosEnd() const;
  Frx::Pvector GetWPosStart() const;
  Frx::Pvector GetWPosEnd() const;
  Frx::Pvector GetPosHead() const;
  Frx::Pvector GetWPosHead() const;
  int SetPosStart(const Frx::Pvector& p);
  int SetPosEnd(const Frx::Pvector& p);
  int SetWPosStart(const Frx::Pvector& p);
  int SetWPosEnd(const Frx::Pvector& p);
  const Frx::Pvector& GetHeadVector() const { return headVector; }
  void SetHeadVector(const Frx::Pvector& v) { headVector = v; }
  float GetLength() const { return length; }
  // Looks up the start and end names read before their locates existed
  // (a saved end locate follows its bone); called once a block is read.
  void ResolveLocates();
  float GetHeadLength() const { return headLength; }

  VoILocate* GetStartLocate() const { return start.Get(); }
  void SetStartLocate(VoILocate* l) { start = l; }
  VoILocate* GetEndLocate() const { return end.Get(); }
  void SetEndLocate(VoILocate* l) { end = l; }
  VoILocate* GetHeadLocate() const { return head.Get(); }
  void SetHeadLocate(VoILocate* l) { head = l; }
  VoIBone* GetCarrier() const { return carrier.Get(); }
  void AddAffectLocate(VoILocate* l, const Frx::Pvector& v);
  KType GetKType() const { return boneKType; }
  void SetKType(KType k) { boneKType = k; }
  KType GetBoneKType() const { return boneKType; }
  void SetBoneKType(KType k) { boneKType = k; }

  KType boneKType = KTYPE_NONE;
  VoRefer<VoILocate> start;
  VoRefer<VoILocate> end;
  VoRefer<VoILocate> head;
  VoRefer<VoIBone> carrier;
  std::vector<AffectLocate> affect;
  float length = 0.0f;
  float headLength = 0.0f;
  Frx::Pvector headVector{0.0f, 0.0f, 0.0f};
  // Names read but not found yet; empty when resolved.
  std::string pendingStart;
  std::string pendingEnd;

  // False when a look-at along dir with this up has no defined frame (zero
  // direction, up zero or parallel): its result would hold no rotation.
  static bool CanAim(const Frx::Pvector& dir, const Frx::Pvector& up);

  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
