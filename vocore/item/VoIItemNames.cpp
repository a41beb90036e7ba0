// Names, paths and the walks up the tree of an item.
#include <cstdio>
#include <string>

#include "ferrox/string/PstrCmp.h"
#include "ferrox/text/Pscanf.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/item/VoIObject.h"
#include "vocore/item/VoItemServices.h"
#include "vocore/item/VoParentCharacter.h"
// A locate is an object and an object hangs from a locate: the walks below
// answer the world root as a locate and read a locate's matrix.
#include "vocore/skeleton/VoICoordinate.h"

namespace {
bool SameName(const char* a, const char* b) { return Frx::PstrCmp2(a, b, 0) == 1; }

// Walks up at most this many parents, so a ring of parents cannot hang a walk.
constexpr int MaxParents = 4096;

bool NameTaken(const VoIBranch::ItemList& list, const VoIItem* self, const char* wanted) {
  for (const auto& ref : list) {
    VoIItem* item = ref.Get();
    if (item && item != self && SameName(item->GetName(), wanted)) return true;
  }
  return false;
}
}  // namespace

int VoIItem::SetSafetyName(const char* wanted) {
  if (!wanted) wanted = "";
  VoIBranch* character = Vo::ParentCharacterBranch(this);
  if (!character) {
    SetName(wanted);
    return 0;
  }
  VoIBranch::ItemList list;
  character->GetGroupList(list, GetClassID());
  // The item itself does not count: keeping one's own name is no clash.
  if (!NameTaken(list, this, wanted)) {
    SetName(wanted);
    return 0;
  }
  std::string base = wanted;
  {
    char stem[1024];
    int number = 0;
    const char* cursor = wanted;
    if (Frx::Pscanf(cursor, "%s[%d]", stem, static_cast<int>(sizeof stem), &number)) base = stem;
  }
  // At most list.size() names are taken, so one of the first size + 1 is free.
  const size_t tries = list.size() + 1;
  for (size_t n = 0; n <= tries; ++n) {
    char candidate[1100];
    std::snprintf(candidate, sizeof candidate, "%s[%02d]", base.c_str(), static_cast<int>(n));
    if (!NameTaken(list, this, candidate)) {
      SetName(candidate);
      return 1;
    }
  }
  SetName(wanted);
  return 1;
}

namespace {
// Whether `item` is the character `top`. VoICharacter is only declared here,
// so the two meet as characters: IsCharacter answers the item itself or null.
bool IsTop(VoIItem* item, VoICharacter* top) { return top && item->IsCharacter() == top; }
}  // namespace

Frx::Pstring VoIItem::GetPath(VoICharacter* top) {
  if (IsTop(this, top)) return Frx::Pstring();
  std::string path;
  int guard = 0;
  for (VoIBranch* p = GetParent(); p && !IsTop(p, top) && guard < MaxParents;
       p = p->GetParent(), ++guard) {
    if (p->IsCharacter()) path = std::string(p->GetName()) + "/" + path;
  }
  return Frx::Pstring(path.c_str());
}

Frx::Pstring VoIItem::GetFullPath(VoICharacter* top) {
  if (IsTop(this, top)) return Frx::Pstring();
  return GetPath(top) + name.c_str();
}

Frx::Pstring VoIItem::GetFullName(VoICharacter* top) {
  const char* className = GetClassNameA();
  Frx::Pstring result(className ? className : "");
  result += ":";
  result += GetPath(top);
  result += name.c_str();
  return result;
}

VoIBranch* Vo::ParentCharacterBranch(VoIItem* item) {
  int guard = 0;
  for (VoIBranch* p = item->GetParent(); p && guard < MaxParents; p = p->GetParent(), ++guard)
    if (p->IsCharacter()) return p;
  return nullptr;
}

VoICharacter* VoIItem::GetParentCharacter() {
  VoIBranch* character = Vo::ParentCharacterBranch(this);
  return character ? character->IsCharacter() : nullptr;
}

VoICharacter* VoIItem::GetLocalCharacter() {
  if (VoICharacter* c = IsCharacter()) return c;
  return GetParentCharacter();
}

VoISkelton* VoIItem::GetSkelton() {
  // The local character, seen as the branch it is.
  VoIBranch* character = IsCharacter() ? IsBranch() : Vo::ParentCharacterBranch(this);
  if (!character) return nullptr;
  for (VoIItem* c = character->GetFirstChild(); c; c = character->GetNextChild(c)) {
    if (VoIBranch* file = c->IsFile() ? c->IsBranch() : nullptr)
      for (VoIItem* f = file->GetFirstChild(); f; f = file->GetNextChild(f))
        if (VoISkelton* s = f->IsSkelton()) return s;
    if (VoISkelton* s = c->IsSkelton()) return s;
  }
  return nullptr;
}

namespace {
// The nearest character above `item` as the object it is; null when none.
VoIObject* CharacterObject(VoIItem* item) {
  VoIBranch* character = Vo::ParentCharacterBranch(item);
  return character ? character->IsObject() : nullptr;
}

VoICoordinate* WorldRoot() {
  VoItemServices* master = VoItemServices::This();
  return master ? master->GetWorldCoordinate() : nullptr;
}
}  // namespace

VoICoordinate* VoIItem::GetLocalCoordinate() {
  if (VoIObject* object = IsObject()) return object->GetSafetyCoordinate();
  return WorldRoot();
}

VoILocate* VoIItem::GetParentLocate() {
  if (VoILocate* locate = IsLocate())
    if (VoILocate* from = locate->GetLocate()) return from;
  if (VoIObject* character = CharacterObject(this))
    if (VoILocate* from = character->GetLocate()) return from;
  return WorldRoot();
}

VoICoordinate* VoIItem::GetParentCoordinate() {
  if (VoILocate* locate = IsLocate())
    if (VoICoordinate* from = locate->GetCoordinate()) return from;
  if (VoIObject* character = CharacterObject(this))
    if (VoICoordinate* from = character->GetCoordinate()) return from;
  return WorldRoot();
}

Frx::Pmatrix VoIItem::GetParentMatrix() {
  if (VoILocate* locate = GetParentLocate()) return locate->GetMatrixL2W();
  Frx::Pmatrix identity;
  identity.SetIdentity();
  return identity;
}
