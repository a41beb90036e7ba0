// DrapelerDesc: making skin modifiers, by class name and from "skin:" meshes.
#include <string>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/string/Pstring.h"
#include "ferrox/string/Sjis.h"
#include "ferrox/text/Pscanf.h"
#include "plugins/Drapel/Drapeler.h"
#include "plugins/Drapel/DrapelerDesc.h"
#include "vocore/vocore/VoMaster.h"

VoIItem* DrapelerDesc::Create(VoIBranch* parent) { return new Drapeler(parent); }

namespace {

// "%S|" and the name as literal pattern text: its "%" and "\" are doubled,
// so a name can never turn into a conversion of the scanner.
std::string PiecePattern(const char* name) {
  std::string pattern = "%S|";
  for (const char* p = name; *p;) {
    const int n = Frx::Sjis::CharLength(p);
    if (n == 1 && (*p == '%' || *p == '\\')) pattern += *p;
    pattern.append(p, static_cast<size_t>(n));
    p += n;
  }
  return pattern;
}

std::vector<VoRefer<VoIItem>> ChildrenOf(VoIBranch* branch) {
  std::vector<VoRefer<VoIItem>> children;
  for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c)) children.emplace_back(c);
  return children;
}

}  // namespace

void DrapelerDesc::ImportConstruction(VoIBranch* branch, VoIBranch* object) {
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("ドレイパ生成\n");
  VoMaster* master = VoMaster::This();
  VoIBranch* imported = object ? object : branch;
  if (!branch || !imported || !master) return;
  for (VoRefer<VoIItem>& ref : ChildrenOf(imported)) {
    VoIPolygon* skin = ref.Get() ? ref.Get()->IsPolygon() : nullptr;
    if (!skin || skin->GetParent() != imported) continue;
    Frx::Pstring name;
    const char* cursor = skin->GetName();
    if (!Frx::Pscanf(cursor, "skin:%S", &name)) continue;
    VoIItem* made = master->CreateItem(ClassName(), branch);
    VoIBranch* drapeler = made && made->IsModifier() ? made->IsBranch() : nullptr;
    if (!drapeler) {
      if (made) master->ReleaseItem(made);
      return;
    }
    drapeler->SetName(name.Get());
    // Pieces the importer nested under the skin by their "|<N>" names go
    // first, so the skin moves without them, to the head of the drapeler.
    std::vector<VoRefer<VoIItem>> nested;
    for (VoRefer<VoIItem>& piece : ChildrenOf(skin))
      if (VoIItem* p = piece.Get(); p && p->IsPolygon()) p->Link(drapeler), nested.push_back(piece);
    skin->LinkHead(drapeler);
    if (skin->GetParent() != drapeler) {
      // Refused at the nesting limit: everything goes back as it was.
      for (VoRefer<VoIItem>& piece : nested)
        if (VoIItem* p = piece.Get()) p->Link(skin);
      master->ReleaseItem(drapeler);
      continue;
    }
    skin->SetName("anchor");
    skin->SetCoordinate(master->GetWorldCoordinate());
    // Pieces left beside it under their full names.
    const std::string pattern = PiecePattern(name.Get());
    for (VoRefer<VoIItem>& sibling : ChildrenOf(imported)) {
      VoIItem* piece = sibling.Get();
      if (!piece || piece->GetParent() != imported) continue;
      Frx::Pstring pieceName;
      const char* text = piece->GetName();
      if (!Frx::Pscanf(text, pattern.c_str(), &pieceName)) continue;
      piece->Link(drapeler);
      if (piece->GetParent() == drapeler) piece->SetName(pieceName.Get());
    }
  }
}
