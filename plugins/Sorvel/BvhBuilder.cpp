#include "plugins/Sorvel/BvhBuilder.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "plugins/Sorvel/BvhRotation.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

namespace Bvh {

namespace {

template <class Control>
using ControlsByName = std::unordered_map<std::string, Control*>;

// Joints that share a name share one control (the later joint's keys win):
// binding by name would drive both from one control anyway.
template <class Control>
Control* ControlFor(VoMaster& master, VoIMotion* motion, ControlsByName<Control>& made, const std::string& name,
                    unsigned long outClass, unsigned long outMember) {
  Control*& control = made[name];
  if (!control) {
    control = master.NewItem<Control>(motion);
    control->SetName(name.c_str());
    control->SetOutClassAndMember(outClass, outMember);
    control->SetCurveType(VO_CURVE_LINEAR);
  }
  return control;
}

// Whether the joint's value indexes lie inside a frame.
bool ValuesFit(const Node& node, int channels) {
  for (int at : node.rotation)
    if (at < 0 || at >= channels) return false;
  return node.position < 0 || node.position + 2 < channels;
}

// The node a node hangs from in the built skeleton; -1 for the skeleton.
int Above(const Document& doc, size_t i) {
  const int p = doc.nodes[i].parent;
  return p >= 0 && size_t(p) < i && doc.nodes[size_t(p)].kind == Node::JOINT ? p : -1;
}

VoILocate* MakeNode(VoMaster& master, const Node& node, VoIBranch* parent) {
  VoILocate* locate = node.kind == Node::JOINT ? master.NewItem<VoICoordinate>(parent) : master.NewItem<VoILocate>(parent);
  locate->SetName(node.kind == Node::JOINT ? node.name.c_str() : "End Site");
  locate->SetPos(node.offset);
  locate->spos = node.offset;
  locate->SetWPos(node.offset);
  // A joint hangs from its parent joint, as arranging a skeleton would set
  // it: edits turning world values back into local ones go through it.
  if (VoILocate* from = parent->IsLocate()) locate->SetCoordinate(from);
  return locate;
}

}  // namespace

VoIMotion* BuildBvhItems(VoMaster& master, const Document& doc, VoIBranch* parent) {
  if (!parent) return nullptr;
  auto* skeleton = master.NewItem<VoISkelton>(parent);
  skeleton->SetName("hierarchy");
  std::vector<VoILocate*> items(doc.nodes.size(), nullptr);
  for (size_t i = 0; i < doc.nodes.size(); ++i) {
    const Node& node = doc.nodes[i];
    // Parents come first; anything else hangs from the skeleton.
    const int above = Above(doc, i);
    VoIBranch* under = above < 0 ? static_cast<VoIBranch*>(skeleton) : items[size_t(above)];
    items[i] = MakeNode(master, node, under);
  }

  auto* motion = master.NewItem<VoIMotion>(parent);
  motion->SetName("motion");
  // Only whole frames that the values hold are keyed.
  const int frames = doc.channels > 0 ? int(std::min(size_t(doc.frames), doc.values.size() / size_t(doc.channels))) : 0;
  motion->SetEndFrame(frames > 0 ? 2L * (frames - 1) : 0L);

  ControlsByName<VoIControlQuaternion> rotations;
  ControlsByName<VoIControlVector> positions;
  const bool debug = Frx::theFerrox.debug == 1;
  for (size_t i = 0; i < doc.nodes.size() && frames > 0; ++i) {
    const Node& node = doc.nodes[i];
    const RotationOrder* order = FindRotationOrder(node.order);
    if (node.kind != Node::JOINT || !order || !ValuesFit(node, doc.channels)) continue;
    const unsigned long rot = master.GetMemberOffset(items[i], "rot");
    auto* rotation = ControlFor(master, motion, rotations, node.name, VoICoordinate::CLASS_ID, rot);
    rotation->keys.reserve(rotation->keys.size() + size_t(frames));
    VoIControlVector* position = nullptr;
    if (node.position >= 0) {
      const unsigned long pos = master.GetMemberOffset(items[i], "pos");
      position = ControlFor(master, motion, positions, node.name, VoILocate::CLASS_ID, pos);
      position->keys.reserve(position->keys.size() + size_t(frames));
    }
    for (int f = 0; f < frames; ++f) {
      const float* values = doc.Frame(f);
      const float angles[3] = {values[node.rotation[0]], values[node.rotation[1]], values[node.rotation[2]]};
      const Frx::Pquaternion q = ComposeRotation(*order, angles);
      rotation->SetKey(2L * f, q);
      if (position) {
        const float* p = values + node.position;
        position->SetKey(2L * f, Frx::Pvector(p[0], p[1], p[2]));
      }
      if (debug) Frx::theFerrox.Log("frame %d %f\n", 2 * f, q.x);
    }
  }
  if (VoICharacter* character = parent->IsCharacter()) character->SetMotion(motion);
  return motion;
}

int DeepestLevel(const Document& doc, size_t& node) {
  std::vector<int> level(doc.nodes.size(), 0);
  int deepest = 2;  // the controls
  node = 0;
  for (size_t i = 0; i < doc.nodes.size(); ++i) {
    const int above = Above(doc, i);
    level[i] = above < 0 ? 2 : level[size_t(above)] + 1;
    if (level[i] > deepest) deepest = level[i], node = i;
  }
  return deepest;
}

}  // namespace Bvh
