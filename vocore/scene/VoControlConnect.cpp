// Binding a motion's controls to the members they drive, and how a
// connection moves values between the two. RegistAllControl binds only
// controls whose kind fits the member's type, so the casts below see the
// member type they expect.
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "vocore/item/Parameter.h"
#include "vocore/item/VoDescent.h"
#include "vocore/item/VoItemServices.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlTime.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"

namespace {

template <class T>
T& Member(VoIItem* item, VoIControl* control) {
  return *reinterpret_cast<T*>(reinterpret_cast<char*>(item) + control->GetOutOffset());
}

// Reference members are VoRefer<X> for various X, all laid out as a table
// pointer followed by the target pointer; items start with their VoIItem
// part. They are read and re-pointed through that layout rather than through
// a VoRefer of the wrong type.
static_assert(sizeof(VoRefer<VoIItem>) == 2 * sizeof(void*));

VoIItem* ReferTarget(VoIItem* item, VoIControl* control) {
  VoIItem* target = nullptr;
  std::memcpy(&target, &Member<char>(item, control) + sizeof(void*), sizeof target);
  return target && !target->IsRelease() ? target : nullptr;
}

// Counts move as VoRefer::Set moves them: the new target is counted first.
void ReferSet(VoIItem* item, VoIControl* control, VoIItem* target) {
  char* slot = &Member<char>(item, control) + sizeof(void*);
  VoIItem* old = nullptr;
  std::memcpy(&old, slot, sizeof old);
  if (old == target) return;
  if (target) target->AddRef();
  std::memcpy(slot, &target, sizeof target);
  if (old) old->SubRef();
}

// The class a reference member may point at; 0 when any item will do.
unsigned long ReferClass(VoIItem* item, unsigned long offset) {
  for (unsigned long i = 0;; ++i) {
    Parameter* p = item->GetParameter(i);
    if (!p) return 0;
    if (p->offset == offset) return static_cast<unsigned long>(p->value);
  }
}

// The member type a control kind writes; 0 for kinds that write no member.
unsigned short MemberType(unsigned long controlClass) {
  switch (controlClass) {
    case VoIControlVector::CLASS_ID: return Parameter::TYPE_VECTOR;
    case VoIControlQuaternion::CLASS_ID: return Parameter::TYPE_QUATERNION;
    case VoIControlString::CLASS_ID: return Parameter::TYPE_STRING;
    case VoIControlRefer::CLASS_ID: return Parameter::TYPE_REFER;
    case VoIControlTime::CLASS_ID: return Parameter::TYPE_FLOAT;
    default: return 0;
  }
}

// Members are reached by raw offset: a control read from a file may name a
// member of another type, which must never be written through the wrong type.
bool MemberFits(VoIItem* item, VoIControl* control) {
  const unsigned short type = MemberType(control->GetClassID());
  if (type == 0) return true;
  for (unsigned long i = 0;; ++i) {
    Parameter* p = item->GetParameter(i);
    if (!p) return false;
    if (p->offset == control->GetOutOffset()) return p->type == type;
  }
}

bool IsSubclass(VoIItem* item, unsigned long classId) {
  if (VoItemServices* master = VoItemServices::This()) return master->IsSubclass(item, classId) == 1;
  return item->GetClassID() == classId;
}

long KeyFrame(float frame) {
  // Same truncation as the key lookups.
  if (!(frame == frame)) return 0;
  if (frame > 2.0e9f) frame = 2.0e9f;
  if (frame < -2.0e9f) frame = -2.0e9f;
  return static_cast<long>(frame);
}

}  // namespace

// Every item of the group is tried against the controls of its own name
// only, found through a name table, instead of against every control: the
// same pairs in the same order (items in group order, each item's controls
// in child order), names compared byte for byte.
void VoICharacter::RegistAllControl(VoIMotion* m) {
  connections.clear();
  connected = m;
  if (!m) return;
  ItemList items, controls;
  GetGroupList(items, VoIItem::CLASS_ID);
  m->GetChildList(controls, VoIControl::CLASS_ID);
  // The controls of one name chained in child order: the table holds the
  // first, next[i] the one after control i (-1 ends). Names point into the
  // controls, which the list holds counted.
  std::vector<VoRefer<VoIItem>*> order;
  order.reserve(controls.size());
  for (VoRefer<VoIItem>& cref : controls) order.push_back(&cref);
  std::vector<long> next(order.size(), -1);
  std::unordered_map<std::string_view, long> first;
  first.reserve(order.size());
  for (long i = long(order.size()) - 1; i >= 0; --i) {
    VoIItem* citem = *order[size_t(i)];
    if (!citem) continue;
    auto [slot, fresh] = first.try_emplace(citem->name, i);
    if (!fresh) next[size_t(i)] = std::exchange(slot->second, i);
  }

  for (VoRefer<VoIItem>& iref : items) {
    VoIItem* item = iref;
    if (!item || item->IsControl()) continue;
    const auto found = first.find(item->name);
    if (found == first.end()) continue;
    for (long i = found->second; i >= 0; i = next[size_t(i)]) {
      VoIItem* citem = *order[size_t(i)];
      VoIControl* c = citem ? citem->IsControl() : nullptr;
      if (!c) continue;
      if (VoIMotion* nested = c->IsMotion()) {
        VoICharacter* sub = item->IsCharacter();
        if (sub && sub != this) {
          connections.emplace_back(item, c);
          // Binding goes on down through nested characters.
          if (Vo::Descent down(Vo::Walk::Bind); down) sub->SetMotion(nested);
        }
      } else if (c->GetOutOffset() != 0 && IsSubclass(item, c->GetOutClassID()) && MemberFits(item, c)) {
        connections.emplace_back(item, c);
      }
    }
  }
}

VoControlConnect::VoControlConnect(VoIItem* i, VoIControl* c) : item(i), control(c) {}

void VoControlConnect::Read(float frame) {
  VoIItem* target = item.Get();
  VoIControl* c = control.Get();
  if (!target || !c) return;
  switch (c->GetClassID()) {
    case VoIMotion::CLASS_ID:
      if (VoICharacter* sub = target->IsCharacter()) sub->SetTime(frame);
      break;
    case VoIControlVector::CLASS_ID: {
      VoIControlVector* v = c->IsControlVector();
      if (v && !v->keys.empty()) Member<Frx::Pvector>(target, c) = v->GetValue(frame);
      break;
    }
    case VoIControlQuaternion::CLASS_ID: {
      VoIControlQuaternion* q = c->IsControlQuaternion();
      if (q && !q->keys.empty()) Member<Frx::Pquaternion>(target, c) = q->GetValue(frame);
      break;
    }
    case VoIControlString::CLASS_ID: {
      VoIControlString* s = c->IsControlString();
      if (s && !s->keys.empty()) Member<std::string>(target, c) = s->GetValue(frame);
      break;
    }
    case VoIControlRefer::CLASS_ID: {
      VoIControlRefer* r = c->IsControlRefer();
      VoIBranch* branch = target->IsBranch();
      if (!r || r->keys.empty() || !branch) break;
      const std::string name = r->GetValue(frame);
      const unsigned long cls = ReferClass(target, c->GetOutOffset());
      VoItemServices* master = VoItemServices::This();
      for (VoIItem* child = branch->GetFirstChild(); child; child = branch->GetNextChild(child)) {
        if (child->name != name) continue;
        // A child of another class than the member holds is not stored in it.
        if (cls != 0 && master && !master->IsSubclass(child, cls)) break;
        if (ReferTarget(target, c) != child) ReferSet(target, c, child);
        break;
      }
      break;
    }
    case VoIControlTime::CLASS_ID: {
      VoIControlTime* t = c->IsControlTime();
      if (t && !t->keys.empty()) Member<float>(target, c) = t->GetValue(frame);
      break;
    }
    default: break;
  }
}

void VoControlConnect::Write(float frame) {
  VoIItem* target = item.Get();
  VoIControl* c = control.Get();
  if (!target || !c) return;
  const long at = KeyFrame(frame);
  switch (c->GetClassID()) {
    case VoIControlVector::CLASS_ID:
      if (VoIControlVector* v = c->IsControlVector()) v->SetKey(at, Member<Frx::Pvector>(target, c));
      break;
    case VoIControlQuaternion::CLASS_ID:
      if (VoIControlQuaternion* q = c->IsControlQuaternion())
        q->SetKey(at, Member<Frx::Pquaternion>(target, c));
      break;
    case VoIControlString::CLASS_ID:
      if (VoIControlString* s = c->IsControlString()) s->SetKey(at, Member<std::string>(target, c));
      break;
    case VoIControlRefer::CLASS_ID:
      // References and clocks are keyed only at frame 0.
      if (frame != 0.0f) break;
      if (VoIControlRefer* r = c->IsControlRefer())
        if (VoIItem* referred = ReferTarget(target, c)) r->SetKey(0, referred->name);
      break;
    case VoIControlTime::CLASS_ID:
      if (frame != 0.0f) break;
      if (VoIControlTime* t = c->IsControlTime()) t->SetKey(0, Member<float>(target, c));
      break;
    default: break;
  }
}
