// VoISkelton: holds the locates, coordinates and bones of one character and
// runs the passes over the whole tree.
#pragma once

#include <list>
#include <vector>

#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pvector.h"
#include "vocore/item/VoIBranch.h"

class VoISkelton : public VoIBranch {
 public:
  enum : unsigned long { CLASS_ID = 6 };
  explicit VoISkelton(VoIBranch* parent = nullptr);
  ~VoISkelton() override;

  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 13; }
  VoISkelton* IsSkelton() override { return this; }
  // Releases every spring of the array and empties it.
  void Release() override;
  int Update(unsigned long counter) override;
  int Load(VoLoad& load) override;
  int Save(VoSave& save) override;

  // Forward pass from the character's placement.
  void ConvL2W(const Frx::Pmatrix& parentWorld, int force);
  // Inverse pass of the character's skeleton: rotations, then translations.
  void ConvW2L(const Frx::Pmatrix& parentWorld, int force);
  void ConvRotateW2L(int force);
  void ConvTransW2L(int force);
  void MakeList_Skelton(std::list<VoILocate*>* list);
  void StandardPosition();
  void StandardRotate();
  // Arranges every child once the skeleton is built.
  void InitialUpdate();
  void Rotation(const Frx::Pmatrix&, VoILocate*, VoILocate*) {}
  void Transration(const Frx::Pvector&, VoILocate*, VoILocate*) {}

  // Settles the spring-tied chains after world locates moved. `dragged`
  // holds the locates the user holds (may be null).
  void StabilizeSprings(int iterations, const Frx::Pmatrix& c2w,
                        const std::list<VoILocate*>* dragged);

  VoILocate* GetLocate(const char* name);
  VoIBone* GetBone(const char* name);
  void AddSpring(VoISpring* spring);
  // Resolves the start and end names of bones read before their locates.
  void ResolveBones();

  std::vector<VoRefer<VoISpring>> springs;
};
