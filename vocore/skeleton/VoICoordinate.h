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
  int Arrange() override;
  int Load(VoLoad& load) override;
  int Save(VoSave& save) override;

  // P2L from rot and pos, then L2W = P2L × parent.
  void MakeWorldMatrix(const Frx::Pmatrix& parentWorld) override;
  // On entry rot holds a world rotation.
  void ConvW2L(const Frx::Pmatrix& parentWorld, int force) override;
  // Turns rot from a world into a local rotation whatever the argument:
  // direct callers (rotation handles) rely on that.
  void ConvRotateW2L(int force) override;
  // Slot behind StandardPosition: rot from the rest frames.
  virtual void StandardRotate();
  // rot and P2L from the current world matrix.
  void ConvLocalRotate();

  const Frx::Pquaternion& GetRotate() const { return rot; }
  void SetRotate(const Frx::Pquaternion& q) { rot = q; }
  const Frx::Pmatrix& GetMatrixP2L() const { return P2L; }
  const Frx::Pvector& GetScale() const { return scale; }
  void SetScale(const Frx::Pvector& s) { scale = s; }
  Frx::Pmatrix GetMatrixS2W() const { return S * L2W; }
  const Frx::Pmatrix& GetMatrixS() const { return S; }
  // The rest frame from a quaternion, stored as it is (not normalised).
  void SetStandardRotate(const Frx::Pquaternion& q);
  Frx::Pquaternion GetStandardRotate() const;

 protected:
  // The "srot" and "rot" lines of the item text; LoadRotation reads one of
  // them at the cursor and gives 1, else 0.
  void SaveRotations(VoSave& save);
  int LoadRotation(VoLoad& load);

 public:
  Frx::Pvector scale{1.0f, 1.0f, 1.0f};
  Frx::Pquaternion rot{0.0f, 0.0f, 0.0f, 1.0f};
  Frx::Pmatrix P2L = Frx::Pmatrix::id;
  Frx::Pmatrix S = Frx::Pmatrix::id;

  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
