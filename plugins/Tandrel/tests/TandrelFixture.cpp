#include "TandrelFixture.h"

#include <cmath>
#include <cstring>

#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/skeleton/VoISkelton.h"

namespace tandreltest {

void BuildSkeleton(VoMaster& master, VoICharacter* character, const std::vector<Joint>& joints) {
  VoISkelton* skeleton = master.NewItem<VoISkelton>(character);
  skeleton->SetName("skelton");
  for (const Joint& joint : joints) {
    VoIBranch* parent = skeleton;
    if (*joint.parent) parent = JointOf(character, joint.parent);
    VoICoordinate* c = master.NewItem<VoICoordinate>(parent);
    c->SetName(joint.name);
    c->SetPos(joint.offset);
    c->SetRotate(joint.rest);
    c->spos = joint.offset;
  }
  character->ConvL2W(1);
}

VoICoordinate* JointOf(VoICharacter* character, const char* name) {
  VoISkelton* skeleton = character->GetSkelton();
  VoILocate* locate = skeleton ? skeleton->GetLocate(name) : nullptr;
  return locate ? locate->IsCoordinate() : nullptr;
}

VoIMotion* AddMotion(VoMaster& master, VoICharacter* character, const char* name, long endframe,
                     const std::vector<Track>& tracks) {
  VoIMotion* motion = master.NewItem<VoIMotion>(character);
  motion->SetName(name);
  motion->SetEndFrame(endframe);
  for (const Track& track : tracks) {
    if (!track.rotations.empty()) {
      VoIControlQuaternion* q = master.NewItem<VoIControlQuaternion>(motion);
      q->SetName(track.joint);
      q->SetOutClassAndMember("Coordinate", "rot");
      for (const auto& [frame, value] : track.rotations) q->SetKey(frame, value);
    }
    if (!track.positions.empty()) {
      VoIControlVector* v = master.NewItem<VoIControlVector>(motion);
      v->SetName(track.joint);
      v->SetOutClassAndMember("Locate", "pos");
      for (const auto& [frame, value] : track.positions) v->SetKey(frame, value);
    }
  }
  return motion;
}

Frx::Pquaternion RotationOf(const Frx::Pmatrix& m) {
  Frx::Pquaternion q;
  q.SetMatrix(m);
  return q;
}

Frx::Pquaternion Turn(const Frx::Pvector& axis, float degrees) {
  Frx::Pquaternion q;
  q.SetVector(axis, degrees * 3.14159265f / 180.0f);
  return q.Unit();
}

bool PairingAsker::AskPairs(ConvertSession& session) {
  ++asked;
  if (!kvcPath.empty()) session.ReadConvertFile(kvcPath.c_str());
  for (const auto& [destination, source] : pairs) {
    VoILocate* to = nullptr;
    VoIItem* from = nullptr;
    for (ConvertEntry& e : session.DestinationList())
      if (e.locate.Get() && destination == e.locate->GetName()) to = e.locate.Get();
    for (const ConvertEntry& e : session.SourceList())
      if (e.locate.Get() && source == e.locate->GetName()) from = e.locate.Get();
    EXPECT_NE(to, nullptr) << destination;
    EXPECT_NE(from, nullptr) << source;
    session.Pair(to, from);
  }
  return ok;
}

std::vector<VoIMotion*> TandrelFixture::Motions(VoICharacter* character) {
  std::vector<VoIMotion*> motions;
  for (VoIItem* c = character->GetFirstChild(); c; c = character->GetNextChild(c))
    if (VoIMotion* m = c->IsMotion()) motions.push_back(m);
  return motions;
}

}  // namespace tandreltest
