#include "plugins/Osmira/DeformerConstruction.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/string/Pstring.h"
#include "ferrox/text/Pscanf.h"
#include "plugins/Osmira/Osmiraform.h"
#include "plugins/Osmira/SphericalDeform.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/item/VoDescent.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/vocore/VoMaster.h"

namespace Osmira {

namespace {

// Each matching polygon loses its prefix, so the scan ends; this bounds it
// even for names that keep matching.
constexpr int MaxTargets = 100000;

VoIPolygon* FirstMatching(VoIBranch* branch, const char* pattern, Frx::Pstring& part,
                          const std::vector<VoIPolygon*>& passed) {
  VoIBranch::ItemList polygons;
  branch->GetGroupList(polygons, VoIPolygon::CLASS_ID);
  for (const VoRefer<VoIItem>& ref : polygons) {
    VoIPolygon* polygon = ref ? ref->IsPolygon() : nullptr;
    if (!polygon || std::find(passed.begin(), passed.end(), polygon) != passed.end()) continue;
    const char* cursor = polygon->GetName();
    if (Frx::Pscanf(cursor, pattern, &part)) return polygon;
  }
  return nullptr;
}

void SetSkelton(VoIItem* deformer, VoISkelton* skeleton) {
  if (auto* bone = dynamic_cast<Osmiraform*>(deformer)) bone->skeleton = skeleton;
  if (auto* sphere = dynamic_cast<SphericalDeform*>(deformer)) sphere->skeleton = skeleton;
}

// The name of the material of the anchor's first face that has corners and
// a live material; null when there is none.
const char* MaterialName(VoIPolygon* anchor) {
  const VoFace* faces = anchor->GetFace();
  if (!faces) return nullptr;
  for (int f = 0; f < faces->count; ++f) {
    const VoFaceElement& e = faces->array[f];
    if (e.GetCount() == 0) continue;
    if (VoIMaterial* m = e.material.Get()) return m->GetName();
  }
  return nullptr;
}

void MakeAnchors(VoMaster& master, VoIPolygon* polygon, VoIBranch* deformer) {
  std::vector<VoRefer<VoIItem>> children;
  for (VoIItem* c = polygon->GetFirstChild(); c; c = polygon->GetNextChild(c)) children.emplace_back(c);
  for (const VoRefer<VoIItem>& ref : children) {
    VoIPolygon* anchor = ref ? ref->IsPolygon() : nullptr;
    Frx::Pstring rest;
    const char* cursor = anchor ? anchor->GetName() : nullptr;
    if (!anchor || !Frx::Pscanf(cursor, "anchor%S", &rest)) continue;
    // One piece moves under the deformer as it is; the pieces of a split
    // anchor stay there and the anchor itself goes.
    if (anchor->CreatePolygon_MeshDevide(deformer) != 1) master.ReleaseItem(anchor);
  }
}

// An anchor binds to the coordinate its material names, whole or split: the
// importer has already bound every object to its nearest bone, which must
// not hide the bone the anchor was made for. Anchors whose material names
// none keep the coordinate they have, or take the nearest bone.
void BindAnchors(VoIBranch* branch, VoIBranch* deformer, VoISkelton* skeleton) {
  VoIBranch::ItemList coordinates;
  branch->GetGroupList(coordinates, VoICoordinate::CLASS_ID);
  for (VoIItem* c = deformer->GetFirstChild(); c; c = deformer->GetNextChild(c)) {
    VoIPolygon* anchor = c->IsPolygon();
    if (!anchor) continue;
    const char* material = MaterialName(anchor);
    if (!material) continue;
    const VoVertex* positions = anchor->GetVertex();
    char side[1024];
    const char* wanted = SideName(material, positions ? positions->GetCenter().x : 0.0f, side, sizeof side);
    for (const VoRefer<VoIItem>& ref : coordinates) {
      VoIItem* item = ref.Get();
      VoICoordinate* coordinate = item ? item->IsCoordinate() : nullptr;
      if (coordinate && std::strcmp(coordinate->GetName(), wanted) == 0) {
        anchor->SetCoordinate(coordinate);
        break;
      }
    }
  }
  for (VoIItem* c = deformer->GetFirstChild(); c; c = deformer->GetNextChild(c))
    if (VoIPolygon* anchor = c->IsPolygon(); anchor && !anchor->GetCoordinate())
      anchor->SetCoordinate(anchor->GetNearCoordinate(skeleton));
}

}  // namespace

const char* SideName(const char* material, float centreX, char* out, int size) {
  Frx::Pstring first, rest;
  const char* cursor = material;
  if (!material || !Frx::Pscanf(cursor, "%S[]%S", &first, &rest) || centreX == 0.0f) return material;
  std::snprintf(out, size_t(size), "%s%s", first.Get(), centreX < 0.0f ? "[R]" : "[L]");
  return out;
}

void ConstructDeformers(VoIBranch* branch, const DeformerKind& kind) {
  VoMaster* master = VoMaster::This();
  if (!branch || !master) return;
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("%s", kind.debugLog);
  VoISkelton* skeleton = branch->GetSkelton();
  Frx::Pstring part;
  std::vector<VoIPolygon*> passed;
  for (int made = 0; made < MaxTargets; ++made) {
    VoIPolygon* polygon = FirstMatching(branch, kind.pattern, part, passed);
    if (!polygon) return;
    // The deformer hangs below the polygon: at the nesting limit there is no
    // room for it, and the polygon stays as it is.
    if (Vo::Depth(polygon) >= VoIBranch::MaxDepth) {
      Frx::theFerrox.Log("　　ポリゴン \"%s\" の階層が深すぎるため %s を作れません。\n", polygon->GetName(), kind.className);
      passed.push_back(polygon);
      continue;
    }
    VoIItem* deformer = master->CreateItem(kind.className, polygon);
    if (!deformer) return;
    deformer->SetName(part.Get());
    SetSkelton(deformer, skeleton);
    // The deformer writes world positions: the polygon stays where it is.
    polygon->SetCoordinate(master->GetNullCoordinate());
    polygon->SetName(part.Get());
    VoIBranch* branchOfDeformer = deformer->IsBranch();
    MakeAnchors(*master, polygon, branchOfDeformer);
    for (VoIItem* c = branchOfDeformer->GetFirstChild(); c; c = branchOfDeformer->GetNextChild(c)) c->SwHide(1);
    BindAnchors(branch, branchOfDeformer, skeleton);
  }
}

}  // namespace Osmira
