// VertexBlenderDesc: making blenders, by class name and from "morph:" meshes.
#include <algorithm>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/string/Pstring.h"
#include "ferrox/text/Pscanf.h"
#include "plugins/Uvesk/UveskDescs.h"
#include "plugins/Uvesk/VertexBlender.h"
#include "vocore/item/VoDescent.h"
#include "vocore/geometry/VoFace.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

VoIItem* VertexBlenderDesc::Create(VoIBranch* parent) { return new VertexBlender(parent); }

namespace {

// The first mesh of the branch's group named "morph:<name>" and not passed
// over; null when none.
VoIPolygon* NextMorphMesh(VoIBranch* branch, Frx::Pstring& name, const std::vector<VoIPolygon*>& passed) {
  VoIBranch::ItemList group;
  branch->GetGroupList(group, VoIPolygon::CLASS_ID);
  for (VoRefer<VoIItem>& ref : group) {
    VoIPolygon* mesh = ref.Get() ? ref.Get()->IsPolygon() : nullptr;
    const char* cursor = mesh ? mesh->GetName() : nullptr;
    if (!cursor || !mesh->GetParent() || std::find(passed.begin(), passed.end(), mesh) != passed.end()) continue;
    if (Frx::Pscanf(cursor, "morph:%S", &name)) return mesh;
  }
  return nullptr;
}

}  // namespace

void VertexBlenderDesc::ImportConstruction(VoIBranch* branch, VoIBranch* /*object*/) {
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("バーテックスブレンダ生成\n");
  VoMaster* master = VoMaster::This();
  if (!branch || !master) return;
  // Each round renames one "morph:" mesh, so the rounds end; the bound only
  // guards against a blender that names itself "morph:" over and over.
  VoIBranch::ItemList start;
  branch->GetGroupList(start, VoIPolygon::CLASS_ID);
  std::vector<VoIPolygon*> passed;
  for (size_t round = 0; round <= 2 * start.size(); ++round) {
    Frx::Pstring name;
    VoIPolygon* mesh = NextMorphMesh(branch, name, passed);
    if (!mesh) return;
    // The mesh goes one level down, below its blender: at the nesting limit
    // it stays a plain mesh.
    if (Vo::Depth(mesh) >= VoIBranch::MaxDepth) {
      Frx::theFerrox.Log("　　メッシュ \"%s\" の階層が深すぎるためバーテックスブレンダを作れません。\n", mesh->GetName());
      passed.push_back(mesh);
      continue;
    }
    VoIItem* made = master->CreateItem(ClassName(), mesh->GetParent());
    VoIPolygon* blender = made ? made->IsPolygon() : nullptr;
    if (!blender) {
      // Nothing can be made: leave the mesh as it is rather than loop.
      if (made) master->ReleaseItem(made);
      return;
    }
    blender->SetName(name.Get());
    blender->SetCoordinate(mesh->GetNearCoordinate(branch->GetSkelton()));
    blender->AttachVertex(new VoVertex(mesh->GetVertex()));
    blender->AttachFace(new VoFace(mesh->GetFace()));

    std::vector<VoRefer<VoIItem>> targets;
    for (VoIItem* c = mesh->GetFirstChild(); c; c = mesh->GetNextChild(c)) targets.emplace_back(c);
    // The targets keep their depth; the mesh, left with no children, goes
    // first, below the blender.
    for (VoRefer<VoIItem>& target : targets)
      if (VoIItem* t = target.Get()) t->Link(blender);
    mesh->SetName("base");
    mesh->LinkHead(blender);
  }
}
