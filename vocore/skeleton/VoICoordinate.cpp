#include "vocore/skeleton/VoICoordinate.h"

#include "vocore/item/VoDescent.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"

namespace {
Frx::Pquaternion RotationOf(const Frx::Pmatrix& m) {
  Frx::Pquaternion q;
  q.SetMatrix(m);
  return q;
}
}  // namespace

VoICoordinate::VoICoordinate(VoIBranch* p) : VoILocate(p) { state |= STATE_MARK20; }

void VoICoordinate::SetStandardRotate(const Frx::Pquaternion& q) { S.SetRotate(q); }

Frx::Pquaternion VoICoordinate::GetStandardRotate() const { return RotationOf(S); }

void VoICoordinate::MakeWorldMatrix(const Frx::Pmatrix& parentWorld) {
  P2L.SetQuaternion(rot);
  P2L.SetTransVector(pos);
  L2W = P2L * parentWorld;
}

void VoICoordinate::ConvW2L(const Frx::Pmatrix& parentWorld, int force) {
  if (!changed && !force) return;
  pos = parentWorld.GetInverse() * GetWPos();
  rot = RotationOf(parentWorld).GetInverse() * rot;
  MakeWorldMatrix(parentWorld);
  Vo::Descent down(Vo::Walk::ToLocal);
  if (!down) return;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (VoILocate* child = c->IsLocate()) child->ConvW2L(L2W, force);
}

void VoICoordinate::ConvRotateW2L(int) {
  const Frx::Pmatrix parent = GetParentMatrix();
  rot = RotationOf(parent).GetInverse() * rot;
  MakeWorldMatrix(parent);
}

void VoICoordinate::ConvLocalRotate() {
  const Frx::Pmatrix parent = GetParentMatrix();
  P2L = L2W * parent.GetInverse();
  rot = RotationOf(P2L);
  MakeWorldMatrix(parent);
}

void VoICoordinate::StandardRotate() {
  VoICoordinate* from = GetCoordinate();
  const Frx::Pmatrix m = from ? from->S : Frx::Pmatrix::id;
  rot = RotationOf(S.GetInverse() * m);
}

int VoICoordinate::Arrange() {
  VoIBranch* up = GetParent();
  if (up && !up->IsRelease())
    if (VoILocate* from = up->IsLocate()) SetCoordinate(from);
  ConvRotateW2L(0);
  MakeWorldMatrix(GetParentMatrix());
  spos = pos;
  Vo::Descent down(Vo::Walk::Arrange);
  if (!down) return 1;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) c->Arrange();
  return 1;
}

void VoICoordinate::SaveRotations(VoSave& save) {
  const Frx::Pquaternion s = GetStandardRotate();
  save.Write("srot = ( %f, %f, %f, %f)\n", s.x, s.y, s.z, s.w);
  save.Write("rot = ( %f, %f, %f, %f)\n", rot.x, rot.y, rot.z, rot.w);
}

int VoICoordinate::LoadRotation(VoLoad& load) {
  Frx::Pquaternion q;
  if (load.Read(" srot = ( %f, %f, %f, %f)", &q.x, &q.y, &q.z, &q.w)) {
    SetStandardRotate(q);
    return 1;
  }
  if (load.Read(" rot = ( %f, %f, %f, %f)", &q.x, &q.y, &q.z, &q.w)) {
    rot = q;
    return 1;
  }
  return 0;
}

int VoICoordinate::Save(VoSave& save) {
  VoILocate::Save(save);
  SaveRotations(save);
  return 1;
}

int VoICoordinate::Load(VoLoad& load) {
  for (;;) {
    if (VoILocate::Load(load) || LoadRotation(load)) continue;
    return 0;
  }
}
