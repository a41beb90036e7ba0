#include "vocore/scene/VoICharacter.h"

#include <vector>

#include "vocore/item/Parameter.h"
#include "vocore/item/VoDescent.h"
#include "vocore/item/VoItemServices.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlTime.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoILight.h"
#include "vocore/scene/VoIModifier.h"
#include "vocore/scene/VoIScript.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

VoICharacter::VoICharacter(VoIBranch* p) : VoIObject(p) { state |= STATE_MARK20; }

VoICharacter::~VoICharacter() = default;

VoIMotion* VoICharacter::GetMotion() const { return motion.Get(); }

void VoICharacter::SetMotion(VoIMotion* m) {
  if (m && m == motion.Get()) return;
  motion = m;
  RegistAllControl(m);
}

void VoICharacter::ReadAllControl(float frame) {
  for (VoControlConnect& c : connections) c.Read(frame);
}

void VoICharacter::WriteAllControl(float frame) {
  for (VoControlConnect& c : connections) c.Write(frame);
}

int VoICharacter::Update(unsigned long counter) {
  // A motion whose children changed (a control added or removed) is bound
  // anew. Nothing else updates a motion, so its pending flags are brought
  // over first; the update between the two bindings clears them again.
  if (VoIMotion* m = motion.Get()) {
    if (m->GetUpdateFlag() & VoIBranch::UPDATE_CHILD) m->ExecUpdate();
    const bool childChanged = (m->GetUpdatedFlag() & VoIBranch::UPDATE_CHILD) && m->IsReupdate();
    if (childChanged || connected.Get() != m) {
      VoRefer<VoIMotion> keep(m);
      SetMotion(nullptr);
      m->ExecUpdate();
      SetMotion(m);
    }
  }
  if (VoIMotion* m = motion.Get()) {
    m->SetFrameFromTime(time);
    ReadAllControl(m->GetFrame());
  }
  // Nested characters update from here: one level of the update walk.
  Vo::Descent down(Vo::Walk::Update);
  if (!down) return 1;
  // Children may be released by a script: walk counted snapshots.
  std::vector<VoRefer<VoIItem>> children;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) children.emplace_back(c);
  for (VoRefer<VoIItem>& ref : children) {
    VoIItem* c = ref.Get();
    if (!c || !c->IsScript() || c->GetParent() != this) continue;
    c->ExecUpdate();
    if (c->HasMethod("Update")) c->CallMethod("Update", this, static_cast<double>(time));
  }
  if (VoISkelton* s = GetSkelton()) s->ExecUpdate();
  ConvL2W(0);
  for (VoRefer<VoIItem>& ref : children) {
    VoIItem* c = ref.Get();
    if (!c || c->IsMotion() || c->IsScript() || c->GetParent() != this) continue;
    c->ExecUpdate();
  }
  (void)counter;
  return 1;
}

int VoICharacter::Redraw() {
  if (IsHide()) return 1;
  Vo::Descent down(Vo::Walk::Draw);
  if (!down) return 1;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) {
    if (VoIObject* o = c->IsObject()) {
      o->Redraw();
    } else if (VoIModifier* m = c->IsModifier()) {
      // A modifier of the character (skin glue) holds pieces of its look.
      for (VoIItem* piece = m->GetFirstChild(); piece; piece = m->GetNextChild(piece))
        if (VoIObject* o = piece->IsObject()) o->Redraw();
    }
  }
  return 1;
}

VoISkelton* VoICharacter::GetSkelton() {
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (VoISkelton* s = c->IsSkelton()) return s;
  return nullptr;
}

Frx::Pmatrix VoICharacter::GetMatrixC2W() {
  VoILocate* locate = GetLocate();
  return locate ? locate->GetMatrixL2W() : Frx::Pmatrix::id;
}

void VoICharacter::ConvL2W(int force) {
  if (VoISkelton* s = GetSkelton()) s->ConvL2W(GetMatrixC2W(), force);
}

void VoICharacter::ConvW2L(int force) {
  if (VoISkelton* s = GetSkelton()) s->ConvW2L(GetMatrixC2W(), force);
}

void VoICharacter::GetLightList(std::list<VoILight*>& list) {
  ItemList all;
  GetAllList(all, VoILight::CLASS_ID);
  for (VoRefer<VoIItem>& ref : all)
    if (VoIItem* item = ref)
      if (VoILight* light = item->IsLight()) list.push_back(light);
}

VoILight* VoICharacter::GetAmbientLight() {
  std::list<VoILight*> lights;
  GetLightList(lights);
  for (VoILight* l : lights)
    if (l->type == 0) return l;
  return nullptr;
}

VoILight* VoICharacter::GetMainLight() {
  std::list<VoILight*> lights;
  GetLightList(lights);
  for (VoILight* l : lights)
    if (l->type == 1) return l;
  return nullptr;
}

VoICoordinate* VoICharacter::CreateCoordinate() {
  VoItemServices* master = VoItemServices::This();
  if (!master) return nullptr;
  VoISkelton* skelton = GetSkelton();
  if (!skelton) {
    VoIItem* made = master->CreateItem(VoISkelton::CLASS_ID, this);
    skelton = made ? made->IsSkelton() : nullptr;
    if (!skelton) return nullptr;
    skelton->SetName("skelton");
  }
  VoIItem* made = master->CreateItem(VoICoordinate::CLASS_ID, skelton);
  return made ? made->IsCoordinate() : nullptr;
}

VoICoordinate* VoICharacter::CreateAttachedCoordinate(VoICharacter* other) {
  if (!other) return nullptr;
  VoICoordinate* c = other->CreateCoordinate();
  if (!c) return nullptr;
  c->SetName(GetName());
  SetCoordinate(c);
  return c;
}

void VoICharacter::StabilizePose(int iterations, const std::list<VoILocate*>* dragged) {
  if (VoISkelton* s = GetSkelton()) s->StabilizeSprings(iterations, GetMatrixC2W(), dragged);
}
