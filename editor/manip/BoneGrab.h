// Picking and grabbing a bone in the window: the hit test (an ellipse with the
// projected start and tip as foci) and the grab point a press takes on it,
// which a drag then moves with the pointer and takes back to the world.
#pragma once

#include "editor/manip/ScreenMap.h"
#include "ferrox/math/Pvector.h"

class VoIBone;

namespace BoneGrab {

// Parameter of the point of segment a-b (window x, y only) nearest to p,
// within 0..1; 0 when the segment has no length, so a bone seen end-on grabs
// at its start instead of at NaN.
float NearestOnSegment(const Frx::Pvector& a, const Frx::Pvector& b, const Frx::Pvector& p);

// Depth of a hit on the bone at window (x, y), or NoHit. The start
// and the tip (the bone's length along its own Z) must both project.
float HitTest(VoIBone* bone, const ScreenMap& map, float radius, float x, float y);

// The press: the window point of the bone nearest to (x, y) projected from
// the world point between the bone's start and end. False when the bone
// cannot be projected.
bool Grab(VoIBone* bone, const ScreenMap& map, float x, float y, Frx::Pvector* window, Frx::Pvector* world);

}  // namespace BoneGrab
