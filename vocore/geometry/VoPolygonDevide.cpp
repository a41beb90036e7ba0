// Splitting a polygon mesh into its connected parts.
#include <cstdio>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/geometry/VoMeshLabel.h"
#include "vocore/item/VoDescent.h"
#include "vocore/item/VoItemServices.h"

unsigned long VoIPolygon::CreatePolygon_MeshDevide(VoIBranch* parent) {
  VoVertex* positions = GetVertex();
  const int numVertex = positions ? positions->GetNum() : 0;
  std::vector<uint32_t> labels;
  const unsigned long parts = VoLabelMeshParts(numVertex, GetFace(), labels);
  if (parts == 0) return 0;
  if (parts == 1) {
    // Refused when parent lies below this polygon (which counts as its one
    // part staying), or too deep to take it (which counts as none).
    Link(parent);
    return GetParent() == parent || IsAncestorOf(parent) ? 1 : 0;
  }
  // The parts are made under parent, one level below it.
  if (Vo::Depth(parent) >= VoIBranch::MaxDepth) {
    Frx::theFerrox.Log("　　ポリゴン \"%s\" は \"%s\" の下では階層が %d 段を超えるため分割できません。\n", name.c_str(),
                       parent ? parent->GetName() : "", VoIBranch::MaxDepth);
    return 0;
  }

  VoItemServices* master = VoItemServices::This();
  VoFace* source = GetFace();
  for (unsigned long k = 1; k <= parts; ++k) {
    VoIPolygon* piece = new VoIPolygon(parent);
    if (master) master->CreateState(piece);
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, "%02d", static_cast<int>(k - 1));
    piece->SetName((name + suffix).c_str());
    piece->AttachVertex(new VoVertex(positions));
    piece->AttachFace(new VoFace(source));
    VoFace* table = piece->GetFace();
    for (int f = 0; f < table->count; ++f) {
      const VoFaceElement& e = table->array[f];
      // A face whose corners cannot be resolved belongs to no part.
      const bool mine = e.GetValidCount(numVertex) > 0 && labels[e.index[0]] == k;
      if (!mine) piece->DeleteFace(static_cast<unsigned long>(f));
    }
    piece->OptimizeCompact();
  }
  return parts;
}
