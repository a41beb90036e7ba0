// VoILocate: a point with a local position and a world matrix; hangs from the
// locate that is its coordinate.
#pragma once

#include "vocore/scene/VoIObject.h"

class VoILocate : public VoIObject {
 public:
  enum : unsigned long { CLASS_ID = 17 };
  enum KType { KTYPE_NONE = 0, KTYPE_MOVABLE = 1 };

  explicit VoILocate(VoIBranch* parent = nullptr);

  VoItemClassDesc& GetClassDesc() override { return classDesc; }
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 16; }
  VoILocate* IsLocate() override { return this; }

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
  const Frx::Pmatrix& GetMatrixL2W() const { return L2W; }

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
