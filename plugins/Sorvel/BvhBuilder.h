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

// Levels below parent of the deepest item BuildBvhItems makes of a document
// with nodes (the skeleton and the motion are level 1, a root joint and the
// controls level 2); `node` gets the index of the deepest joint or End Site.
int DeepestLevel(const Document& doc, size_t& node);

}  // namespace Bvh
