// The pose edits the skeleton companions make with the mouse: moving and IK
// dragging locates, turning coordinates, FK aiming and twisting bones, and
// moving world locates and sibling bones with spring relaxation around them.
// Each edit changes the engine's items, runs the inverse pass that turns the
// new world values into local ones, and queues what it changed for keying.
#pragma once

#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"

class PoseQueue;
class VoIBone;
class VoICoordinate;
class VoILocate;
class VoIWLocate;

namespace PoseEdits {

// Iterations of spring relaxation per mouse record.
constexpr int RelaxIterations = 10000;

// A locate dragged by its handles: by IK when it is part of a chain, else it
// is moved.
void MoveLocate(VoILocate* locate, const Frx::Pvector& target, PoseQueue& queue);
// A coordinate's centre or axis handle moves it; a ring (handle 6-8) turns it.
void MoveCoordinate(VoICoordinate* coordinate, int handle, const Frx::Pvector& target,
                    const Frx::Pquaternion& rotation, PoseQueue& queue);
// A world locate moves and the springs of its character settle around it.
void MoveWLocate(VoIWLocate* locate, const Frx::Pvector& target, PoseQueue& queue);
// A bone's rings set its world rotation (the bone keeps it; no re-aiming).
void RotateBone(VoIBone* bone, const Frx::Pquaternion& rotation, PoseQueue& queue);
// FK: the bone's end locate goes to the world point the grab was dragged to.
void AimBone(VoIBone* bone, const Frx::Pvector& world, PoseQueue& queue);
// The wheel twists a bone about its own Z: 5 degrees' worth of tangent per
// unit (one notch of 120 is about 10.9 degrees).
void TwistBone(VoIBone* bone, float wheel, PoseQueue& queue);
// Moves a sibling bone so that its grab point (`grab`, in the bone's own
// coordinates) lands on the world point `point`, carrying the locates it
// affects (fixed world locates stay), then relaxes the character's springs.
void MoveSiblingBone(VoIBone* bone, const Frx::Pvector& point, const Frx::Pvector& grab, PoseQueue& queue);

}  // namespace PoseEdits
