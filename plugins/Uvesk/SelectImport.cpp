// ObjectSelecterDesc: making selecters, by class name and from "select:" and
// "select(<choice>):" meshes.
#include <algorithm>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/string/Pstring.h"
#include "ferrox/text/Pscanf.h"
#include "plugins/Uvesk/ObjectSelecter.h"
#include "plugins/Uvesk/UveskDescs.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/item/VoDescent.h"
#include "vocore/vocore/VoMaster.h"

VoIItem* ObjectSelecterDesc::Create(VoIBranch* parent) { return new ObjectSelecter(parent); }

namespace {

struct SelectMesh {
  VoIPolygon* mesh = nullptr;
  Frx::Pstring name;
  Frx::Pstring choice;
  bool hasChoice = false;
};

// The first mesh of the branch's group named in either form and not passed over.
SelectMesh NextSelectMesh(VoIBranch* branch, const std::vector<VoIPolygon*>& passed) {
  VoIBranch::ItemList group;
  branch->GetGroupList(group, VoIPolygon::CLASS_ID);
  SelectMesh found;
  for (VoRefer<VoIItem>& ref : group) {
    VoIPolygon* mesh = ref.Get() ? ref.Get()->IsPolygon() : nullptr;
    if (!mesh || !mesh->GetParent() || std::find(passed.begin(), passed.end(), mesh) != passed.end()) continue;
    const char* cursor = mesh->GetName();
    if (Frx::Pscanf(cursor, "select:%S", &found.name)) {
      found.mesh = mesh;
      return found;
    }
    cursor = mesh->GetName();
    if (Frx::Pscanf(cursor, "select(%S):%S", &found.choice, &found.name)) {
      found.mesh = mesh;
      found.hasChoice = true;
      return found;
    }
  }
  return SelectMesh{};
}

}  // namespace

void ObjectSelecterDesc::ImportConstruction(VoIBranch* branch, VoIBranch* /*object*/) {
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("オブジェクトセレクタ生成\n");
  VoMaster* master = VoMaster::This();
  if (!branch || !master) return;
  // Each round renames or releases one mesh; the bound is a second guard.
  VoIBranch::ItemList start;
  branch->GetGroupList(start, VoIPolygon::CLASS_ID);
  std::vector<VoIPolygon*> passed;
  for (size_t round = 0; round <= start.size(); ++round) {
    SelectMesh found = NextSelectMesh(branch, passed);
    VoIPolygon* mesh = found.mesh;
    if (!mesh) return;
    // Without a choice the mesh goes one level down, below its selecter: at
    // the nesting limit it stays a plain mesh.
    if (!found.hasChoice && Vo::Depth(mesh) >= VoIBranch::MaxDepth) {
      Frx::theFerrox.Log("　　メッシュ \"%s\" の階層が深すぎるためオブジェクトセレクタを作れません。\n", mesh->GetName());
      passed.push_back(mesh);
      continue;
    }
    VoIItem* made = master->CreateItem(ClassName(), mesh->GetParent());
    auto* selecter = dynamic_cast<ObjectSelecter*>(made);
    if (!selecter) {
      if (made) master->ReleaseItem(made);
      return;
    }
    selecter->SetName(found.name.Get());
    std::vector<VoRefer<VoIItem>> choices;
    for (VoIItem* c = mesh->GetFirstChild(); c; c = mesh->GetNextChild(c)) choices.emplace_back(c);
    for (VoRefer<VoIItem>& choice : choices)
      if (VoIItem* c = choice.Get()) c->Link(selecter);
    if (found.hasChoice) {
      selecter->select = found.choice.Get();
      master->ReleaseItem(mesh);
    } else {
      selecter->select = "default";
      mesh->SetName("default");
      mesh->Link(selecter);
    }
  }
}
