#include "editor/manip/PoseEdits.h"

#include <cmath>
#include <list>

#include "editor/manip/PoseQueue.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/skeleton/VoIWLocate.h"

namespace PoseEdits {

namespace {

constexpr float kPi = 3.14159265358979f;

void Relax(VoIItem* item, const std::list<VoILocate*>& fixed) {
  VoICharacter* character = item->GetLocalCharacter();
  if (!character) return;
  character->ConvW2L(0);
  character->StabilizePose(RelaxIterations, &fixed);
}

// The coordinate's own rotation pass: rot holds a world rotation on entry.
// Bones override it to re-aim at their end locate, which would undo a ring.
void SetWorldRotation(VoICoordinate* c, const Frx::Pquaternion& rotation) {
  c->SetRotate(Frx::Normalize(rotation));
  c->VoICoordinate::ConvRotateW2L(0);
}

}  // namespace

void MoveLocate(VoILocate* locate, const Frx::Pvector& target, PoseQueue& queue) {
  if (!locate) return;
  VoISkelton* skelton = locate->GetSkelton();
  if (locate->IKchain == 1) {
    locate->Kinematics(target, 1.0f);
    if (skelton) skelton->ConvRotateW2L(0);
  } else {
    locate->SetWPos(target);
    locate->SetChanged(1);
    if (skelton) skelton->ConvTransW2L(0);
  }
  queue.Queue(locate);
}

void MoveCoordinate(VoICoordinate* c, int handle, const Frx::Pvector& target, const Frx::Pquaternion& rotation,
                    PoseQueue& queue) {
  if (!c) return;
  if (handle >= 1 && handle <= 5) {
    c->SetWPos(target);
    c->SetChanged(1);
    if (VoISkelton* skelton = c->GetSkelton()) skelton->ConvTransW2L(0);
    queue.Queue(c);
  }
  if (handle >= 6 && handle <= 8) {
    SetWorldRotation(c, rotation);
    queue.Queue(c);
  }
}

void MoveWLocate(VoIWLocate* locate, const Frx::Pvector& target, PoseQueue& queue) {
  if (!locate) return;
  locate->SetWPos(target);
  locate->SetChanged(1);
  Relax(locate, {locate});
  queue.Queue(locate);
}

void RotateBone(VoIBone* bone, const Frx::Pquaternion& rotation, PoseQueue& queue) {
  if (!bone) return;
  SetWorldRotation(bone, rotation);
  queue.Queue(bone);
}

void AimBone(VoIBone* bone, const Frx::Pvector& world, PoseQueue& queue) {
  if (!bone) return;
  if (VoILocate* end = bone->GetEndLocate()) {
    end->SetWPos(world);
    end->SetChanged(1);
  }
  bone->SetChanged(1);
  queue.Queue(bone);
}

void TwistBone(VoIBone* bone, float wheel, PoseQueue& queue) {
  if (!bone || wheel == 0.0f) return;
  const Frx::Pquaternion twist = Frx::Normalize(Frx::Pquaternion(0.0f, 0.0f, 1.0f, wheel * 5.0f * kPi / 180.0f));
  bone->SetRotate(bone->GetRotate() * twist);
  queue.Queue(bone);
}

void MoveSiblingBone(VoIBone* bone, const Frx::Pvector& point, const Frx::Pvector& grab, PoseQueue& queue) {
  if (!bone) return;
  bone->SetChanged(1);
  Frx::Pmatrix turn = bone->GetMatrixL2W();
  turn.SetTransVector(Frx::Pvector(0.0f, 0.0f, 0.0f));
  std::list<VoILocate*> fixed;
  for (size_t i = 0; i < bone->affect.size(); ++i) {
    VoILocate* l = bone->affect[i].locate.Get();
    if (!l) continue;
    fixed.push_back(l);
    if (i == 2) continue;
    VoIWLocate* w = l->IsWLocate();
    if (w && w->IsFix()) continue;
    l->SetWPos(point + turn * (bone->affect[i].vector - grab));
    l->SetChanged(1);
  }
  Relax(bone, fixed);
  queue.Queue(bone);
}

}  // namespace PoseEdits
