// VoILocate: a point with a local position and a world matrix; hangs from the
// locate that is its coordinate.
#pragma once

#include <list>

#include "vocore/item/VoIObject.h"

class VoILocate : public VoIObject {
 public:
  enum : unsigned long { CLASS_ID = 17 };
  enum KType { KTYPE_NONE = 0, KTYPE_MOVABLE = 1 };

  explicit VoILocate(VoIBranch* parent = nullptr);

  VoItemClassDesc& GetClassDesc() override { return classDesc; }
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 16; }
  VoILocate* IsLocate() override { return this; }
  // Hangs the locate from its parent locate, takes the rest position and
  // arranges the children; 0 when a child failed.
  int Arrange() override;
  int Update(unsigned long counter) override;
  int Load(VoLoad& load) override;
  int Save(VoSave& save) override;

  // Slots behind VoIObject::Redraw.
  virtual void ConvL2W(const Frx::Pmatrix& parentWorld, int force);
  virtual void ConvW2L(const Frx::Pmatrix& parentWorld, int force);
  virtual void ConvTransW2L(int force);
  virtual void ConvRotateW2L(int force);
  virtual void MakeWorldMatrix(const Frx::Pmatrix& parentWorld);
  virtual void StandardPosition();

  KType GetKType() const { return ktype; }
  void SetKType(KType k) { ktype = k; }
  const Frx::Pvector& GetPos() const { return pos; }
  void SetPos(const Frx::Pvector& p) { pos = p; }
  Frx::Pvector GetWPos() const { return L2W.GetTransVector(); }
  // Writes only the translation row of the world matrix.
  void SetWPos(const Frx::Pvector& p) { L2W.SetTransVector(p); }
  // The local position seen from the rest frame of the local coordinate.
  Frx::Pvector GetSPos();
  const Frx::Pmatrix& GetMatrixL2W() const { return L2W; }
  int IsChanged() const { return changed; }
  void SetChanged(int on) { changed = on ? 1 : 0; }
  // 1 when no child of the parent item is a coordinate.
  int IsEndSite();
  // The first skeleton above the locate; null when none.
  VoISkelton* GetSkelton();
  // Appends this locate, then every child locate depth first.
  void MakeSkeltonList(std::list<VoILocate*>* list);

  // Moves the locate to `target` and pulls its chain of bones behind it;
  // `weight` is passed along unused. Always 1.
  int Kinematics(const Frx::Pvector& target, float weight);
  // Shortest chain length to a chain end (IKchain 0), that end in *out;
  // 3.4028235e38 and null when none is reachable.
  float GetKinematicLength(VoILocate** out, float accumulated, VoILocate* comingFrom);

  KType ktype = KTYPE_NONE;
  Frx::Pmatrix L2W = Frx::Pmatrix::id;
  Frx::Pvector pos{0.0f, 0.0f, 0.0f};
  Frx::Pvector spos{0.0f, 0.0f, 0.0f};
  int IKchain = 1;
  unsigned char changed = 1;
  Frx::Pvector work{0.0f, 0.0f, 0.0f};

  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
