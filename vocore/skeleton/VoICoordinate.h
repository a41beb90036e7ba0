// VoICoordinate: a locate with a rotation: a full local frame.
#pragma once

#include "vocore/skeleton/VoILocate.h"

class VoICoordinate : public VoILocate {
 public:
  enum : unsigned long { CLASS_ID = 18 };
  explicit VoICoordinate(VoIBranch* parent = nullptr);

  VoItemClassDesc& GetClassDesc() override { return classDesc; }
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 14; }
  VoICoordinate* IsCoordinate() override { return this; }
  // Slot behind StandardPosition.
  virtual void StandardRotate();

  const Frx::Pquaternion& GetRotate() const { return rot; }
  void SetRotate(const Frx::Pquaternion& q) { rot = q; }
  const Frx::Pmatrix& GetMatrixP2L() const { return P2L; }

  Frx::Pvector scale{1.0f, 1.0f, 1.0f};
  Frx::Pquaternion rot{0.0f, 0.0f, 0.0f, 1.0f};
  Frx::Pmatrix P2L = Frx::Pmatrix::id;
  Frx::Pmatrix S = Frx::Pmatrix::id;

  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
