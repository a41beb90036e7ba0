// The BVH builder: a parsed document -> a skeleton of coordinates and one
// motion under a branch.
#pragma once

#include "plugins/Sorvel/BvhDocument.h"

class VoIBranch;
class VoIMotion;
class VoMaster;

namespace Bvh {

// Builds under parent the skeleton "hierarchy" (a coordinate per joint at its
// OFFSET, an "End Site" locate per End Site) and the motion "motion" with
// frame i keyed at engine frame 2i: per joint a linear Quaternion control
// driving Coordinate "rot", and a linear Vector control driving Locate "pos"
// where the joint has position channels. A character parent binds the
// motion. Returns the motion; the tree holds every item made.
VoIMotion* BuildBvhItems(VoMaster& master, const Document& doc, VoIBranch* parent);

}  // namespace Bvh
