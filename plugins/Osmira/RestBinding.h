// RestBinding: what both deformers keep between bindings: the polygon they
// deform, the rest copy of its positions and what the last binding was tried
// with. A binding starts from the rest copy whenever it was made from the same
// positions, so binding again never takes deformed positions for rest ones.
#pragma once

#include "vocore/geometry/VoIPolygon.h"
#include "vocore/geometry/VoVertex.h"
#include "vocore/item/VoRefer.h"
#include "vocore/skeleton/VoISkelton.h"

namespace Osmira {

class RestBinding {
 public:
  // Whether to bind before deforming: update flags set, or a parent,
  // positions array or skeleton other than those the last binding was tried
  // with (a failed binding is not tried again every frame).
  bool Due(unsigned short updateFlags, VoIPolygon* parent, VoISkelton* skeleton) const;
  void Tried(VoIPolygon* parent, VoISkelton* skeleton);

  // Makes `polygon` the target: its positions go back to the rest copy when
  // that was made from them (the rebinding case), a previous target gets its
  // own back, every vertex gets fix type 0 and a new rest copy is made.
  // Returns whether the rest copy was reused.
  bool Begin(VoIPolygon* polygon);

  // The target's positions while they are still the array the rest copy was
  // made from, with as many positions; else null (nothing to deform).
  VoVertex* Positions() const;
  VoIPolygon* Target() const { return target.Get(); }
  VoVertex* Rest() const { return rest.Get(); }
  // Drops every reference (the item's release).
  void Clear();

  VoRefer<VoVertex> rest;
  VoRefer<VoIPolygon> target;

 private:
  VoRefer<VoVertex> source_;  // the target's array the rest copy was made from
  VoRefer<VoIPolygon> triedParent_;
  VoRefer<VoVertex> triedPositions_;
  VoRefer<VoISkelton> triedSkeleton_;
  bool tried_ = false;
};

}  // namespace Osmira
