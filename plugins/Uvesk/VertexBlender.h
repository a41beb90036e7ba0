// VertexBlender: a polygon mesh whose positions are a weighted blend of its
// child meshes (morph targets, the one named "base" among them). Its child
// value item "wait control" holds one weight per child mesh; the weights are
// used divided by their sum.
//
// The blender shares the base's face table and keeps its own positions. Each
// morph entry refers to its target item (counted) and reads the target's
// positions by index at every update, so targets whose arrays grow or are
// replaced are read safely.
#pragma once

#include <vector>

#include "ferrox/math/Pvector.h"
#include "plugins/Uvesk/BlendJob.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/scene/VoIValue.h"

class VertexBlender : public VoIPolygon {
 public:
  enum : unsigned long { CLASS_ID = 139 };

  struct Morph {
    VoRefer<VoIPolygon> target;
    int count = 0;  // the base's vertex count when bound
    float weight = 0.0f;
  };

  explicit VertexBlender(VoIBranch* parent = nullptr) : VoIPolygon(parent) {}

  unsigned long GetClassID() override { return CLASS_ID; }
  // The name followed by "<VertexBlender>".
  Frx::Pstring GetNameEx() override;
  // Binds anew when an update flag is pending, then blends; then the
  // polygon's update (modifiers, normals, render object) sees the blend.
  // 0 when no child is named "base": nothing is blended until a bind works.
  int Update(unsigned long counter) override;

  VoIValue* GetWeightItem() const { return weights_.Get(); }
  const std::vector<Morph>& GetMorphs() const { return morphs_; }
  bool IsBound() const { return bound_; }

 private:
  bool Bind();
  void ReadWeights();
  void Blend();

  std::vector<Morph> morphs_;
  VoRefer<VoIValue> weights_;
  // The base's positions when bound: what a vertex falls back on.
  std::vector<Frx::Pvector> rest_;
  std::vector<BlendJob::Target> targets_;
  bool bound_ = false;
};
