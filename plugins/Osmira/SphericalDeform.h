// SphericalDeform: the anchor deformer. A child of the polygon it deforms,
// with its anchors (closed meshes, each tied to a bone) as children. A vertex
// inside one anchor moves rigidly with that anchor's bone; one inside two
// overlapping anchors turns about the joint of their bones.
#pragma once

#include <vector>

#include "plugins/Osmira/RestBinding.h"
#include "plugins/Osmira/SphereBindJob.h"
#include "vocore/scene/VoIModifier.h"

class VoIBone;
class VoISkelton;

class SphericalDeform : public VoIModifier {
 public:
  enum : unsigned long { CLASS_ID = 134 };

  explicit SphericalDeform(VoIBranch* parent = nullptr) : VoIModifier(parent) {}

  unsigned long GetClassID() override { return CLASS_ID; }
  // Binds when due (as Osmiraform does), then deforms. 1; 0 when the
  // binding cannot start or the analysis fails, and after that until a
  // binding succeeds.
  int Update(unsigned long counter) override;
  void Release() override;

  bool IsBound() const { return bound_; }

  VoRefer<VoISkelton> skeleton;
  std::vector<Osmira::SphereRecord> records;
  // The rest vertices and the target polygon.
  Osmira::RestBinding binding;
  // The bones the records' entries index.
  std::vector<VoRefer<VoIBone>> bones;

 private:
  bool Bind(VoIPolygon* target);
  int Deform();

  bool bound_ = false;
  std::vector<Frx::Pmatrix> matrices_;  // of the frame under way, per bone
  std::vector<unsigned char> live_;
};
