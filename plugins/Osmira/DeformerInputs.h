// What the deformers read from the scene before a binding: the skeleton's
// bones as segments, the anchors under a deformer, the matrices of a frame.
#pragma once

#include <vector>

#include "ferrox/math/Pmatrix.h"
#include "plugins/Osmira/AnchorAnalysis.h"
#include "plugins/Osmira/WeightRecord.h"

class VoIBone;
class VoIBranch;
class VoISkelton;

namespace Osmira {

// Bones in list order with their segments and reaches. The skeleton keeps
// the bones alive for as long as the set is used.
struct BoneSet {
  std::vector<VoIBone*> bones;
  std::vector<Segment> segments;
  std::vector<float> reaches;
};

// The bones of exactly class 19 (VoIBranch::MakeList_Group), their segments
// in world space, or at the standard pose when `standard` is set.
BoneSet DistanceBones(VoISkelton* skeleton, bool standard);
// Every bone of the skeleton's group (sibling bones too), at the standard pose.
BoneSet AnchorBones(VoISkelton* skeleton);

// The polygon children of `deformer`, each with the index of its coordinate
// among `bones` (-1 when it is none of them).
std::vector<AnchorInput> GatherAnchors(VoIBranch* deformer, const std::vector<VoIBone*>& bones);

// The world matrix of the master's "null" root: where a vertex that follows
// no bone is carried (the identity without a master).
Frx::Pmatrix NullMatrix();
// The bone's standard matrix followed by its world matrix; the null root's
// when the bone is released or its matrix is not finite.
Frx::Pmatrix DeformMatrix(VoIBone* bone);

}  // namespace Osmira
