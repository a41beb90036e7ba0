#include "vocore/motion/VoIMotion.h"

#include <cmath>
#include <vector>

#include "vocore/motion/VoControlFactory.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoKeyFrame.h"

namespace {
// Copies of motions nested deeper than this are cut off.
constexpr int MaxCopyDepth = 64;
thread_local int copyDepth = 0;
}  // namespace

void VoIMotion::SetFrameFromTime(float t) {
  frame = t * rate;
  // A clock that ran off (NaN or infinite) would carry NaN into every
  // control's value: it starts the motion over instead.
  if (!std::isfinite(frame)) frame = 0.0f;
  if (endframe == 0) {
    frame = 0.0f;
    return;
  }
  const float end = static_cast<float>(endframe);
  bool wrap = false;
  if (loop == 1)
    wrap = frame < 0.0f || frame >= end;
  else if (loop == 0)
    wrap = frame < 0.0f || frame > end;
  if (!wrap) return;
  // The remainder keeps the sign of the frame: a negative frame stays in (-E, 0].
  const long n = VoTruncFrame(frame);
  frame = (frame - static_cast<float>(n)) + static_cast<float>(n % endframe);
}

void VoIMotion::KeyControls(std::vector<VoIKeyControlBase*>& out) {
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (VoIKeyControlBase* k = c->IsKeyControl()) out.push_back(k);
}

int VoIMotion::GetControlSize() {
  int n = 0;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (c->IsControl()) ++n;
  return n;
}

int VoIMotion::TransKeyframe(long to, long from) {
  int result = 0;
  std::vector<VoIKeyControlBase*> controls;
  KeyControls(controls);
  for (VoIKeyControlBase* k : controls) result |= k->TransKey(to, from);
  return result;
}

void VoIMotion::CopyKeyframe(long to, long from) {
  std::vector<VoIKeyControlBase*> controls;
  KeyControls(controls);
  for (VoIKeyControlBase* k : controls) k->CopyKey(to, from);
}

int VoIMotion::DeleteKeyframe(long at) {
  int result = 0;
  std::vector<VoIKeyControlBase*> controls;
  KeyControls(controls);
  for (VoIKeyControlBase* k : controls) result |= k->DeleteKey(at);
  return result;
}

VoIMotion::KeyExist VoIMotion::ExistKeyframe(long at) {
  if (!GetFirstChild()) return KEY_NONE;
  int first = -1;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c)) {
    VoIKeyControlBase* k = c->IsKeyControl();
    if (!k) continue;
    const int has = k->GetKeyRecord(at) ? 1 : 0;
    if (first < 0)
      first = has;
    else if (has != first)
      return KEY_SOME;
  }
  return first < 0 ? KEY_SOME : static_cast<KeyExist>(first);
}

template <class Emit>
int VoIMotion::MergeKeyFrames(Emit emit) {
  std::vector<VoIKeyControlBase*> controls;
  KeyControls(controls);
  std::vector<unsigned> cursor(controls.size(), 0);
  std::vector<long> current(controls.size());
  for (size_t c = 0; c < controls.size(); ++c) current[c] = controls[c]->GetKeyFrame(0);
  int passes = 0;
  for (;;) {
    long a = INT_MAX;
    for (long f : current)
      if (f < a) a = f;
    if (a == INT_MAX) break;
    size_t k = 0;
    for (size_t c = 0; c < controls.size(); ++c) {
      if (current[c] != a) continue;
      current[c] = controls[c]->GetKeyFrame(++cursor[c]);
      ++k;
    }
    emit(passes, a, k == controls.size());
    ++passes;
  }
  return passes;
}

int VoIMotion::GetKeyframeSize() {
  return MergeKeyFrames([](int, long, bool) {});
}

int VoIMotion::MakeFrameTable(Ptable<long>& table) {
  // One merge into a scratch vector: counting first would merge twice.
  std::vector<long> frames;
  MergeKeyFrames([&](int, long a, bool all) { frames.push_back(all ? a * 2 : a * 2 + 1); });
  if (frames.empty()) {
    table.clear();
    return 0;
  }
  table.resize(static_cast<int>(frames.size()));
  for (size_t i = 0; i < frames.size(); ++i) table[static_cast<int>(i)] = frames[i];
  return static_cast<int>(frames.size());
}

void VoIMotion::ChangeCurveType(VoCurveType kind) {
  ItemList list;
  GetChildList(list, VoIControl::CLASS_ID);
  for (VoRefer<VoIItem>& ref : list) {
    VoIItem* item = ref;
    if (!item) continue;
    if (VoIControlVector* v = item->IsControlVector())
      v->SetCurveType(kind == VO_CURVE_BLEND ? VO_CURVE_SPLINE : kind);
    else if (VoIControlQuaternion* q = item->IsControlQuaternion())
      q->SetCurveType(kind);
  }
}

int VoIMotion::IsTopLevel() {
  VoIBranch* p = GetParent();
  return p && p->IsCharacter() ? 1 : 0;
}

void VoIMotion::Copy(VoIItem* source) {
  VoIControl::Copy(source);
  VoIMotion* other = source ? source->IsMotion() : nullptr;
  if (!other || other == this) return;
  frame = other->frame;
  rate = other->rate;
  endframe = other->endframe;
  loop = other->loop;
  changed = other->changed;
  if (copyDepth >= MaxCopyDepth) return;
  // A snapshot, so copying into a motion below the source cannot run on.
  std::vector<VoRefer<VoIItem>> children;
  for (VoIItem* c = other->GetFirstChild(); c; c = other->GetNextChild(c)) children.emplace_back(c);
  ++copyDepth;
  for (VoRefer<VoIItem>& ref : children)
    if (VoIItem* child = ref.Get()) VoCreateControl(child->GetClassID(), this, child);
  --copyDepth;
}
