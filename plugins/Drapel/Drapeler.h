// Drapeler: glues a skin mesh, its child named "anchor", to the other meshes
// under it (its members): every anchor vertex that lies exactly on a member
// vertex follows that vertex as the member's coordinate moves from its
// standard pose. The anchor hangs from the world root; its positions are
// rewritten every update.
//
// Links keep vertex indices and counted references to the member and its
// coordinate, never pointers into position arrays (which may grow). The
// anchor's positions when first bound are kept as its rest shape, and every
// bind matches and starts from that rest copy, so moves never compound.
#pragma once

#include <vector>

#include "ferrox/math/Pvector.h"
#include "plugins/Drapel/GlueJob.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/scene/VoIModifier.h"
#include "vocore/skeleton/VoICoordinate.h"

class Drapeler : public VoIModifier {
 public:
  enum : unsigned long { CLASS_ID = 139 };

  struct Link {
    VoRefer<VoIPolygon> member;
    VoRefer<VoICoordinate> coordinate;  // empty: follows the world root
    std::vector<GluePair> pairs;
  };

  explicit Drapeler(VoIBranch* parent = nullptr) : VoIModifier(parent) {}

  unsigned long GetClassID() override { return CLASS_ID; }
  // Binds anew when an update flag is pending (before the members update, so
  // they are matched as they rest), updates the children, glues the anchor,
  // then updates the anchor. 0 when there is no anchor: nothing is glued.
  int Update(unsigned long counter) override;
  // Places the anchor vertices of one link; 1.
  int TransformLinks(const Link& link);

  const std::vector<Link>& GetLinks() const { return links_; }
  VoIPolygon* GetAnchor() const { return anchor_.Get(); }
  const std::vector<Frx::Pvector>& GetRest() const { return rest_; }

 private:
  bool Bind();
  void KeepRest(VoIPolygon* anchor);

  std::vector<Link> links_;
  VoRefer<VoIPolygon> anchor_;
  VoRefer<VoVertex> restOf_;  // the array the rest copy was taken from
  std::vector<Frx::Pvector> rest_;
};
