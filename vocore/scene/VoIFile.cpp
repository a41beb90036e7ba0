#include "vocore/scene/VoIFile.h"

#include "ferrox/file/Path.h"
#include "vocore/item/VoDescent.h"
#include "vocore/item/VoIObject.h"
#include "vocore/item/VoItemServices.h"

VoIFile::VoIFile(VoIBranch* p) : VoIBranch(p) { state |= STATE_MARK20; }

void VoIFile::SetFileName(const char* p) {
  SetPathName(p);
  SetName(Frx::Path::GetName(path.c_str()).Get());
}

int VoIFile::Update(unsigned long counter) {
  VoIBranch::Update(counter);
  return 1;
}

int VoIFile::Redraw() {
  Vo::Descent down(Vo::Walk::Draw);
  if (!down) return 1;
  for (VoIItem* c = GetFirstChild(); c; c = GetNextChild(c))
    if (VoIObject* object = c->IsObject()) object->Redraw();
  return 1;
}

void VoIFile::GetFileGroupList(ItemList& list, unsigned long classId) {
  VoIBranch* up = GetParent();
  VoItemServices* master = VoItemServices::This();
  if (!up || !master) return;
  // The group starts behind this file and ends at the next file item.
  for (VoIItem* c = up->GetNextChild(this); c; c = up->GetNextChild(c)) {
    if (c->IsFile()) break;
    if (master->IsSubclass(c, classId)) list.emplace_back(c);
  }
}
