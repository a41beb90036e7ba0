#include "plugins/Tandrel/MotionRetarget.h"

#include <cmath>
#include <unordered_map>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/link/Plist.h"
#include "plugins/Tandrel/ConvertSession.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

namespace {

Frx::Pquaternion RotationOf(const Frx::Pmatrix& m) {
  Frx::Pquaternion q;
  q.SetMatrix(m);
  return q;
}

// What a pair drives: a bone moves by its start locate.
VoILocate* PositionTarget(VoILocate* locate) {
  VoIBone* bone = locate->IsBone();
  return bone ? bone->GetStartLocate() : locate;
}

// Destination rest distance over source rest distance. A source at the
// origin (a capture's root at OFFSET 0 0 0) has no ratio: 1.
float PositionScale(const Frx::Pmatrix& destination, const Frx::Pmatrix& source) {
  const float from = source.GetTransVector().GetSize(), to = destination.GetTransVector().GetSize();
  if (!(from > 1e-6f) || !std::isfinite(from) || !std::isfinite(to)) return 1.0f;
  const float scale = to / from;
  return std::isfinite(scale) ? scale : 1.0f;
}

// Controls of D for the source's connections whose items are paired; true
// when the source drives any position at all.
bool MakeControls(ConvertSession& session, VoMaster& master, VoICharacter& source, VoIMotion& made) {
  // The destination entries of each source item, in list order, so that
  // many connections against a large skeleton stay linear.
  std::unordered_map<VoIItem*, std::vector<VoILocate*>> paired;
  for (ConvertEntry& entry : session.DestinationList())
    if (VoILocate* locate = entry.locate.Get(); locate && entry.pair.Get()) paired[entry.pair.Get()].push_back(locate);
  bool positions = false;
  for (VoControlConnect& connection : source.connections) {
    VoIItem* item = connection.item.Get();
    VoIControl* control = connection.control.Get();
    if (!item || !control) continue;
    const bool vector = control->IsControlVector() != nullptr;
    positions = positions || vector;
    if (!vector && !control->IsControlQuaternion()) continue;
    auto found = paired.find(item);
    if (found == paired.end()) continue;
    for (VoILocate* locate : found->second) {
      VoIControl* added = nullptr;
      if (vector) {
        VoILocate* target = PositionTarget(locate);
        if (!target) continue;
        VoIControlVector* v = master.NewItem<VoIControlVector>(&made);
        v->SetCurveType(VO_CURVE_LINEAR);
        v->SetName(target->GetName());
        added = v;
      } else {
        added = master.NewItem<VoIControlQuaternion>(&made);
        added->SetName(locate->GetName());
      }
      added->SetOutClassAndMember(control->GetOutClassID(), control->GetOutOffset());
    }
  }
  return positions;
}

// Keys `made` at every key frame of `motion` (bound to the source).
bool KeyMotion(ConvertSession& session, VoIMotion& motion, VoICharacter& destination, bool positions) {
  VoICharacter* source = session.Source();
  VoISkelton* skeleton = destination.GetSkelton();
  std::vector<ConvertEntry>& list = session.DestinationList();
  Ptable<long> table;
  const int frames = motion.MakeFrameTable(table);
  for (int k = 0; k < frames; ++k) {
    const long frame = table[k] >> 1;
    if (frame < 0 || frame > motion.endframe) continue;
    source->SetTime(float(frame));
    source->ReadAllControl(float(frame));
    source->ConvL2W(1);
    for (ConvertEntry& entry : list)
      if (VoILocate* locate = entry.locate.Get(); locate && locate->IsCoordinate()) locate->SetChanged(0);

    for (ConvertEntry& entry : list) {
      VoILocate* locate = entry.locate.Get();
      VoIItem* paired = entry.pair.Get();
      if (!locate || !paired) continue;
      const int index = session.SourceIndex(paired);
      VoILocate* from = index < 0 ? nullptr : session.SourceList()[size_t(index)].locate.Get();
      if (!from) {
        Frx::theFerrox.Error("%s に関連するアイテムがありません\n", locate->GetName());
        return false;
      }
      if (Frx::theFerrox.debug) Frx::theFerrox.Log("src = %s dst = %s\n", from->GetName(), locate->GetName());
      if (VoICoordinate* coordinate = locate->IsCoordinate()) {
        Frx::Pquaternion world;
        world.SetMatrix(entry.world * from->GetMatrixL2W());
        coordinate->SetRotate(world);
        coordinate->SetChanged(1);
      }
      VoILocate* target = positions ? PositionTarget(locate) : nullptr;
      if (target && target->IKchain != 1 && !target->IsLock()) {
        const float scale = PositionScale(entry.world, session.SourceList()[size_t(index)].world);
        target->SetPos(scale * from->GetPos());
        if (Frx::theFerrox.debug) Frx::theFerrox.Log("pLocate %s.pos %f\n", target->GetName(), double(scale));
      }
    }
    if (skeleton) {
      const Frx::Pmatrix placement = destination.GetMatrixC2W();
      for (VoIItem* item = skeleton->GetFirstChild(); item; item = skeleton->GetNextChild(item))
        if (VoILocate* top = item->IsLocate()) FixRestRotation(top, placement);
    }
    destination.SetTime(float(frame));
    destination.WriteAllControl(float(frame));
  }
  return true;
}

void FixRestRotationAt(VoILocate* locate, const Frx::Pmatrix& parentWorld, int depth) {
  if (depth > VoIBranch::MaxDepth) return;
  VoICoordinate* coordinate = locate->IsCoordinate();
  if (coordinate && coordinate->IsChanged())
    coordinate->SetRotate(RotationOf(parentWorld).GetInverse() * coordinate->GetRotate());
  locate->MakeWorldMatrix(parentWorld);
  const Frx::Pmatrix world = locate->GetMatrixL2W();
  for (VoIItem* item = locate->GetFirstChild(); item; item = locate->GetNextChild(item))
    if (VoILocate* child = item->IsLocate()) FixRestRotationAt(child, world, depth + 1);
}

}  // namespace

void FixRestRotation(VoILocate* locate, const Frx::Pmatrix& parentWorld) {
  if (locate) FixRestRotationAt(locate, parentWorld, 0);
}

int ConvertMotions(ConvertSession& session) {
  VoMaster* master = VoMaster::This();
  VoICharacter* source = session.Source();
  VoICharacter* destination = session.Destination();
  if (!master || !source || !destination) return 0;
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("モーションコンバータ::開始\n");
  std::vector<VoRefer<VoIMotion>> motions;
  {
    Frx::Plist<VoIItem> group;
    source->MakeList_Group(&group, 0);
    for (VoIItem* item : group)
      if (VoIMotion* motion = item->IsMotion()) motions.emplace_back(motion);
  }
  for (VoRefer<VoIMotion>& motion : motions) {
    if (!motion || !session.Source() || !session.Destination()) continue;
    if (Frx::theFerrox.debug) Frx::theFerrox.Log("  Motion %s\n", motion->GetName());
    VoIMotion* made = master->NewItem<VoIMotion>(destination);
    made->SetName(source->GetName());
    made->SetEndFrame(motion->endframe);
    // The controls follow this motion's connections, so it is bound first.
    source->SetMotion(motion);
    if (source->connected.Get() != motion.Get()) source->RegistAllControl(motion);
    const bool positions = MakeControls(session, *master, *source, *made);
    destination->SetMotion(made);
    if (!KeyMotion(session, *motion, *destination, positions)) return 0;
  }
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("モーションコンバータ::終了\n");
  return 1;
}
