// The motion converter's work: every motion of the source character is
// replayed key frame by key frame, the paired destination locates are posed
// to match it in world space, and their pose is keyed into a new motion of
// the destination character.
#pragma once

#include "ferrox/math/Pmatrix.h"

class ConvertSession;
class VoILocate;

// One new motion under the destination for every motion of the source's
// group, named after the source character, keyed at the source's key frames:
// paired coordinates get the source item's world rotation applied to their
// own rest (the session's matrices); paired locates that end an IK chain and
// are not locked get the source item's position scaled by the ratio of their
// rest distances from the origin (1 when the source's is 0). 1 when done; 0
// when a pair's source item is no locate of the source skeleton (reported
// through theFerrox; motions made before stay).
int ConvertMotions(ConvertSession& session);

// From the locate down through locate children, parents first, every world
// matrix rebuilt from its parent's (`parentWorld` for the first); on the way
// a coordinate whose changed flag is set turns its rot from a world rotation
// into one relative to its parent's new world matrix. Parents are the tree's,
// so a skeleton needs no arranging; joints paired with nothing keep their
// local rotation and pass their parent's new pose on to their children.
void FixRestRotation(VoILocate* locate, const Frx::Pmatrix& parentWorld);
