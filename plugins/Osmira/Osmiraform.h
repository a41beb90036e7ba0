// Osmiraform: the bone deformer. A child of the polygon it deforms; on its
// first update (and whenever its update flags are set, or its parent or
// skeleton changed) it binds every vertex of the polygon to the bones near it,
// by distance or, when it has anchor meshes as children, by the anchor
// analysis; every update then moves the vertices with their bones.
#pragma once

#include <vector>

#include "plugins/Osmira/RestBinding.h"
#include "plugins/Osmira/WeightRecord.h"
#include "vocore/scene/VoIModifier.h"

class VoISkelton;

class Osmiraform : public VoIModifier {
 public:
  enum : unsigned long { CLASS_ID = 133 };

  explicit Osmiraform(VoIBranch* parent = nullptr) : VoIModifier(parent) {}

  unsigned long GetClassID() override { return CLASS_ID; }
  // Binds when due, then deforms. 1; 0 when the binding cannot start (no
  // polygon parent with positions, no skeleton) or the anchor analysis
  // fails, and on every update after that until a binding succeeds.
  int Update(unsigned long counter) override;
  // The name line, then one "Weight" block per record.
  int Save(VoSave& save) override;
  // Drops the skeleton, target, rest copy and bones before the tree goes.
  void Release() override;

  bool IsBound() const { return bound_; }

  VoRefer<VoISkelton> skeleton;
  // The rest vertices and the target polygon.
  Osmira::RestBinding binding;
  std::vector<Osmira::WeightRecord> records;

 private:
  bool Bind(VoIPolygon* target);
  bool BindByDistance(bool standard);
  bool BindByAnchors(VoIPolygon* target);
  int Deform();

  bool bound_ = false;
  std::vector<Frx::Pmatrix> matrices_;  // of the frame under way, one per record
};
