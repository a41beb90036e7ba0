#include "plugins/Quovin/KvmBuilder.h"

#include <utility>

#include "vocore/motion/VoControlFactory.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlRefer.h"
#include "vocore/motion/VoIControlString.h"
#include "vocore/motion/VoIControlTime.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/vocore/VoMaster.h"

namespace Kvm {

namespace {

// Keys come settled (sorted, one per frame), so each one is appended.
template <class Control, class Make>
void AddNumberKeys(Control* control, const std::vector<NumberKey>& keys, Make make) {
  control->keys.reserve(keys.size());
  for (const NumberKey& k : keys) control->SetKey(k.frame, make(k.v));
}

template <class Control>
void AddTextKeys(Control* control, const std::vector<TextKey>& keys) {
  control->keys.reserve(keys.size());
  for (const TextKey& k : keys) control->SetKey(k.frame, k.text);
}

// Binding line by line leaves what the last line naming a registered class
// set (a class that is not registered changes nothing), so that one is
// found from the back.
void Bind(VoIControl* control, const std::vector<Binding>& bindings) {
  for (auto it = bindings.rbegin(); it != bindings.rend(); ++it) {
    control->SetOutClassAndMember(it->className.c_str(), it->member.c_str());
    if (control->GetOutClassID() != 0) return;
  }
}

bool BuildControl(const Control& source, VoIMotion* motion) {
  VoIItem* item = VoCreateControl(static_cast<unsigned long>(source.kind), motion, nullptr);
  if (!item) return false;
  item->SetName(source.name.c_str());
  VoIControl* control = item->IsControl();
  if (control) Bind(control, source.bindings);
  if (VoIControlVector* v = item->IsControlVector()) {
    v->endframe = source.endframe;
    v->SetCurveType(static_cast<VoCurveType>(source.curve));
    AddNumberKeys(v, source.numbers, [](const float* f) { return Frx::Pvector(f[0], f[1], f[2]); });
  } else if (VoIControlQuaternion* q = item->IsControlQuaternion()) {
    q->endframe = source.endframe;
    q->SetCurveType(static_cast<VoCurveType>(source.curve));
    AddNumberKeys(q, source.numbers, [](const float* f) { return Frx::Pquaternion(f[0], f[1], f[2], f[3]); });
  } else if (VoIControlString* s = item->IsControlString()) {
    s->endframe = source.endframe;
    AddTextKeys(s, source.texts);
  } else if (VoIControlRefer* r = item->IsControlRefer()) {
    r->endframe = source.endframe;
    AddTextKeys(r, source.texts);
  } else if (VoIControlTime* t = item->IsControlTime()) {
    AddNumberKeys(t, source.numbers, [](const float* f) { return f[0]; });
  } else {
    return false;
  }
  return true;
}

}  // namespace

VoIMotion* BuildMotion(VoMaster& master, const Motion& source, VoIBranch* parent) {
  VoIItem* item = VoCreateControl(VoIMotion::CLASS_ID, parent, nullptr);
  VoIMotion* motion = item ? item->IsMotion() : nullptr;
  if (!motion) {
    if (item) master.ReleaseItem(item);
    return nullptr;
  }
  motion->SetName(source.name.c_str());
  motion->endframe = source.endframe;
  motion->loop = source.loop;
  for (const Child& child : source.children) {
    const bool made = child.motion ? BuildMotion(master, *child.motion, motion) != nullptr
                                   : BuildControl(child.control, motion);
    if (!made) {
      master.ReleaseItem(motion);
      return nullptr;
    }
  }
  return motion;
}

int DeepestLevel(const Document& doc, std::string& name) {
  int deepest = 0;
  std::vector<std::pair<const Motion*, int>> pending;
  for (const Motion& m : doc.motions) pending.emplace_back(&m, 1);
  while (!pending.empty()) {
    auto [motion, level] = pending.back();
    pending.pop_back();
    int below = level;
    for (const Child& child : motion->children) {
      if (child.motion) pending.emplace_back(child.motion.get(), level + 1);
      else below = level + 1;
    }
    if (below > deepest) deepest = below, name = motion->name;
  }
  return deepest;
}

}  // namespace Kvm
