#include "vocore/skeleton/VoIBone.h"

#include <cmath>
#include "vocore/item/VoDescent.h"
#include "vocore/skeleton/VoISiblingBone.h"

VoISiblingBone::~VoISiblingBone() = default;

VoIBone::VoIBone(VoIBranch* p) : VoICoordinate(p) { affect.resize(3); }

void VoIBone::AddAffectLocate(VoILocate* l, const Frx::Pvector& v) {
  affect.push_back(AffectLocate{VoRefer<VoILocate>(l), v});
}

void VoIBone::Release() {
  if (IsRelease()) return;
  start.Clear();
  end.Clear();
  head.Clear();
  // Two bones that carried each other in different relaxations would hold
  // each other's count for ever.
  carrier.Clear();
  boneKType = KTYPE_NONE;
  affect.clear();
  affect.resize(3);
  VoICoordinate::Release();
}

bool VoIBone::CanAim(const Frx::Pvector& dir, const Frx::Pvector& up) {
  const float d = dir.GetSize(), u = up.GetSize();
  if (!std::isfinite(d) || !std::isfinite(u) || d < 1e-6f || u < 1e-6f) return false;
  // Relative: the up reference may be ten million units long.
  return dir.GetCrossProduct(up).GetSize() > 1e-5f * d * u;
}

// --- positions ---

namespace {
Frx::Pvector PosOf(VoILocate* l) { return l ? l->GetPos() : VoIBone::Missing(); }
Frx::Pvector SPosOf(VoILocate* l) { return l ? l->GetSPos() : VoIBone::Missing(); }
Frx::Pvector WPosOf(VoILocate* l) { return l ? l->GetWPos() : VoIBone::Missing(); }
}  // namespace

Frx::Pvector VoIBone::GetPosStart() const { return PosOf(GetStartLocate()); }
Frx::Pvector VoIBone::GetPosEnd() const { return PosOf(GetEndLocate()); }
Frx::Pvector VoIBone::GetSPosStart() const { return SPosOf(GetStartLocate()); }
Frx::Pvector VoIBone::GetSPosEnd() const { return SPosOf(GetEndLocate()); }
Frx::Pvector VoIBone::GetWPosStart() const { return WPosOf(GetStartLocate()); }
Frx::Pvector VoIBone::GetWPosEnd() const { return WPosOf(GetEndLocate()); }

Frx::Pvector VoIBone::GetPosHead() const {
  if (VoILocate* h = GetHeadLocate()) return h->GetPos();
  return headVector;
}

Frx::Pvector VoIBone::GetWPosHead() const {
  if (VoILocate* h = GetHeadLocate()) return h->GetWPos();
  const Frx::Pvector s = GetWPosStart();
  return IsMissing(s) ? s : s + headVector;
}

int VoIBone::SetPosStart(const Frx::Pvector& p) {
  VoILocate* l = GetStartLocate();
  if (!l) return 0;
  l->SetPos(p);
  return 1;
}

int VoIBone::SetPosEnd(const Frx::Pvector& p) {
  VoILocate* l = GetEndLocate();
  if (!l) return 0;
  l->SetPos(p);
  return 1;
}

int VoIBone::SetWPosStart(const Frx::Pvector& p) {
  VoILocate* l = GetStartLocate();
  if (!l) return 0;
  l->SetWPos(p);
  return 1;
}

int VoIBone::SetWPosEnd(const Frx::Pvector& p) {
  VoILocate* l = GetEndLocate();
  if (!l) return 0;
  l->SetWPos(p);
  return 1;
}

// --- passes ---

int VoIBone::Update(unsigned long counter) {
  // Without a start the bone keeps its place rather than taking the
  // missing-locate marker as a position.
  if (VoILocate* s = GetStartLocate()) {
    pos = s->GetPos();
    L2W.SetTransVector(s->GetWPos());
  }
  VoIBranch::Update(counter);
  return 1;
}

void VoIBone::ConvL2W(const Frx::Pmatrix& parentWorld, int force) {
  if (VoILocate* s = GetStartLocate()) pos = s->GetPos();
  headVector = L2W * Frx::Pvector(0.0f, 10000000.0f, 0.0f);
  VoILocate::ConvL2W(parentWorld, force);
}

void VoIBone::ConvTransW2L(int force) {
  if (!changed && !force) return;
  VoILocate* s = GetStartLocate();
  if (!s) return;
  // The start may be a bone with a start of its own: a chain, or a ring.
  if (Vo::Descent down(Vo::Walk::Start); down) s->ConvTransW2L(force);
  pos = GetParentMatrix().GetInverse() * s->GetWPos();
  s->SetPos(pos);
}

void VoIBone::ConvRotateW2L(int force) {
  if (!changed && !force) return;
  const Frx::Pvector s = GetWPosStart(), e = GetWPosEnd(), h = GetWPosHead();
  if (IsMissing(s) || IsMissing(e) || IsMissing(h) || !CanAim(e - s, h - s)) {
    // No direction to aim at: the local rotation stays as it was.
    MakeWorldMatrix(GetParentMatrix());
    return;
  }
  Frx::Pquaternion q;
  q.SetLookAt(e - s, h - s);
  rot = q.GetInverse();
  VoICoordinate::ConvRotateW2L(force);
}

void VoIBone::ConvW2L(const Frx::Pmatrix& parentWorld, int force) {
  if (!changed && !force) return;
  ConvRotateW2L(0);
  ConvTransW2L(0);
  MakeWorldMatrix(parentWorld);
  Vo::Descent down(Vo::Walk::ToLocal);
  if (!down) return;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (VoILocate* child = c->IsLocate()) child->ConvW2L(L2W, force);
}

int VoIBone::Arrange() {
  VoIBranch* up = GetParent();
  if (up && !up->IsRelease())
    if (VoILocate* from = up->IsLocate()) SetCoordinate(from);
  const Frx::Pvector s = GetWPosStart(), e = GetWPosEnd();
  if (IsMissing(s) || IsMissing(e)) return 0;
  if (CanAim(e - s, headVector)) {
    S.SetLookAt(s, e, headVector);
    for (AffectLocate& entry : affect) entry.vector = S * entry.vector;
  }
  if (headLength == 0.0f) headLength = headVector.GetSize();
  length = (e - s).GetSize();
  ConvRotateW2L(0);
  ConvTransW2L(0);
  VoICoordinate::Arrange();
  return 1;
}

void VoIBone::StandardPosition() {
  Vo::Descent down(Vo::Walk::Start);
  if (!down) return;
  if (VoILocate* s = GetStartLocate()) s->StandardPosition();
}
