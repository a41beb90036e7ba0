#include "vocore/item/VoIItem.h"

#include <cstdarg>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/text/Pscanf.h"
#include "vocore/item/IScript.h"
#include "vocore/item/VoDescent.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/item/VoItemServices.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"

// What the reader accepts is what the walks visit.
static_assert(VoLoad::MaxDepth == VoIBranch::MaxDepth);

namespace {
unsigned short CurrentCounter() {
  VoItemServices* master = VoItemServices::This();
  return master ? master->GetUpdateCounter() : 0;
}
}  // namespace

VoIItem::VoIItem(VoIBranch* p) {
  // The tree's count; Release drops it.
  AddRef();
  if (p) LinkTail(&p->children);
  SetParent(p);
  name = "unknown";
  // One behind the counter: not yet updated at the current count.
  updateStamp = static_cast<unsigned short>(CurrentCounter() - 1);
  updateFlag = 0xFFFF;
}

VoIItem::~VoIItem() {
  DeleteScript();
  // Leave the ring before dropping the parent: the parent may go with that
  // count and must not find this half-destroyed item among its children.
  Frx::Plink::Page();
  parent.Clear();
}

VoItemClassDesc& VoIItem::GetClassDesc() { return classDesc; }
unsigned long VoIItem::GetClassID() { return CLASS_ID; }
unsigned long VoIItem::GetNumIcon() { return 0; }
Frx::Pstring VoIItem::GetNameEx() { return Frx::Pstring(name.c_str()); }
VoIBranch* VoIItem::IsBranch() { return nullptr; }
VoITexture* VoIItem::IsTexture() { return nullptr; }
VoIMaterial* VoIItem::IsMaterial() { return nullptr; }
VoINote* VoIItem::IsNote() { return nullptr; }
VoIScript* VoIItem::IsScript() { return nullptr; }
VoIDisplay* VoIItem::IsDisplay() { return nullptr; }
VoISkelton* VoIItem::IsSkelton() { return nullptr; }
VoIFile* VoIItem::IsFile() { return nullptr; }
VoICharacter* VoIItem::IsCharacter() { return nullptr; }
VoIInstance* VoIItem::IsInstance() { return nullptr; }
VoILocate* VoIItem::IsLocate() { return nullptr; }
VoICoordinate* VoIItem::IsCoordinate() { return nullptr; }
VoIBone* VoIItem::IsBone() { return nullptr; }
VoIWLocate* VoIItem::IsWLocate() { return nullptr; }
VoISiblingBone* VoIItem::IsSiblingBone() { return nullptr; }
VoIObject* VoIItem::IsObject() { return nullptr; }
VoIModifier* VoIItem::IsModifier() { return nullptr; }
VoIGeometry* VoIItem::IsGeometry() { return nullptr; }
VoIPolygon* VoIItem::IsPolygon() { return nullptr; }
VoICamera* VoIItem::IsCamera() { return nullptr; }
VoILight* VoIItem::IsLight() { return nullptr; }
VoIMotion* VoIItem::IsMotion() { return nullptr; }
VoIMotionSet* VoIItem::IsMotionSet() { return nullptr; }
VoIControl* VoIItem::IsControl() { return nullptr; }
VoIKeyControlBase* VoIItem::IsKeyControl() { return nullptr; }
VoIControlVector* VoIItem::IsControlVector() { return nullptr; }
VoIControlQuaternion* VoIItem::IsControlQuaternion() { return nullptr; }
VoIControlString* VoIItem::IsControlString() { return nullptr; }
VoIControlRefer* VoIItem::IsControlRefer() { return nullptr; }
VoIControlInt* VoIItem::IsControlInt() { return nullptr; }
VoIControlFloat* VoIItem::IsControlFloat() { return nullptr; }
VoIControlBool* VoIItem::IsControlBool() { return nullptr; }
VoIControlTime* VoIItem::IsControlTime() { return nullptr; }

void VoIItem::Copy(VoIItem* source) {
  if (!source || source == this) return;
  name = source->name;
  state = source->state;
}

int VoIItem::Arrange() { return 1; }
int VoIItem::Update(unsigned long) { return 1; }

int VoIItem::Load(VoLoad& load) {
  char text[1024];
  if (!load.Read(" name = \"%s\"", text, static_cast<int>(sizeof text))) return 0;
  SetName(text);
  return 1;
}

int VoIItem::Save(VoSave& save) {
  save.Write("name = \"%s\"\n", name.c_str());
  return 1;
}

namespace {
// Items whose count reached 0 while another item was being deleted. Deleting
// one item drops the counts it held (its parent, its references), which can
// free the next and so on along a chain of any length: those wait here and
// the outermost deletion frees them one after another.
std::vector<VoIItem*>* doomed = nullptr;
}  // namespace

void VoIItem::DeleteThis() {
  // A drop to 0 inside the release below: the outer call deletes.
  if (deleting_) return;
  deleting_ = true;
  if (!IsRelease()) {
    if (Frx::theFerrox.debug) Frx::theFerrox.Log("VoIItem::DeleteThis() Release されていません。\n");
    // Release drops the tree's count, which is already gone: lend it one.
    AddRef();
    Release();
  }
  if (doomed) {
    doomed->push_back(this);
    return;
  }
  std::vector<VoIItem*> waiting;
  doomed = &waiting;
  delete this;
  while (!waiting.empty()) {
    VoIItem* next = waiting.back();
    waiting.pop_back();
    delete next;
  }
  doomed = nullptr;
}

void VoIItem::Release() {
  // A second release would drop a count that the tree no longer holds and
  // free the item under a reference that still uses it.
  if (IsRelease()) return;
  if (VoItemServices* master = VoItemServices::This()) master->ReleaseItemExtend(this);
  DeleteScript();
  Page();
  Frx::PrefTarget::Release();
  // At 0 we are inside DeleteThis, which deletes the object itself.
  if (GetRefCount() > 0) SubRef();
}

namespace {
// Parents looked at before the walk that also goes down the subtree.
constexpr int kQuickAncestorSteps = 64;
}  // namespace

bool VoIItem::IsAncestorOf(const VoIItem* item) const {
  if (!item) return false;
  if (item == this) return true;
  VoIBranch* self = const_cast<VoIItem*>(this)->IsBranch();
  if (!self) return false;
  // Most items lie a few dozen levels deep: up their parents first, which
  // needs no list of branches to visit.
  const VoIItem* up = item;
  for (int step = 0; step < kQuickAncestorSteps; ++step) {
    up = up->parent.GetRaw();
    if (up == this) return true;
    if (!up) return false;
  }
  // Up from the item and down through this subtree in turn: whichever ends
  // first answers, so the cost is the smaller of the item's depth and the
  // subtree's size, and neither a deep chain nor a wide tree is walked whole.
  up = item;
  std::vector<VoIBranch*> down{self};
  size_t next = 0;
  for (;;) {
    up = up->parent.GetRaw();
    if (up == this) return true;
    if (!up) return false;
    if (next == down.size()) return false;
    VoIBranch* branch = down[next++];
    for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c)) {
      if (c == item) return true;
      if (VoIBranch* b = c->IsBranch()) down.push_back(b);
    }
  }
}

bool VoIItem::RefuseLink(VoIBranch* p) {
  if (!p) return false;
  if (IsAncestorOf(p)) {
    // Under itself or a descendant the subtree would hang in a ring of its own.
    Frx::theFerrox.Log("　　アイテム \"%s\" は \"%s\" の上位にあるためリンクできません。\n", name.c_str(),
                       p->GetName());
    return true;
  }
  // Deeper than the limit no walk would reach the subtree's lower items.
  if (Vo::FitsAt(this, Vo::Depth(p) + 1)) return false;
  Frx::theFerrox.Log("　　アイテム \"%s\" は \"%s\" の下では階層が %d 段を超えるためリンクできません。\n",
                     name.c_str(), p->GetName(), VoIBranch::MaxDepth);
  return true;
}

void VoIItem::Link(VoIBranch* p) {
  if (RefuseLink(p)) return;
  Frx::Plink::Page();
  if (p) LinkTail(&p->children);
  SetParent(p);
}

void VoIItem::LinkHead(VoIBranch* p) {
  if (RefuseLink(p)) return;
  Frx::Plink::Page();
  if (p) Frx::Plink::LinkHead(&p->children);
  SetParent(p);
}

void VoIItem::Page() {
  Frx::Plink::Page();
  SetParent(nullptr);
}

VoIBranch* VoIItem::GetParent() const { return parent.Get(); }

void VoIItem::SetParent(VoIBranch* p) {
  VoIBranch* current = parent.GetRaw();
  if (current && !current->IsRelease()) current->SetUpdateFlag(VoIBranch::UPDATE_CHILD);
  if (p) p->SetUpdateFlag(VoIBranch::UPDATE_CHILD);
  if (p != current) parent.Set(p);
}

void VoIItem::SetName(const char* text) { name = text ? text : ""; }

const char* VoIItem::GetClassNameA() {
  VoItemServices* master = VoItemServices::This();
  return master ? master->GetClassNameA(this) : nullptr;
}

unsigned short VoIItem::SetUpdateFlag(unsigned short bits) {
  updateFlag = static_cast<unsigned short>(updateFlag | bits);
  return updateFlag;
}

int VoIItem::IsReupdate() const { return updateStamp == CurrentCounter() ? 1 : 0; }

unsigned short VoIItem::FlushUpdateFlag() {
  const unsigned short moved = updateFlag;
  updatedFlag = moved;
  updateFlag = 0;
  return moved;
}

unsigned short VoIItem::ExecUpdate() {
  const unsigned short counter = CurrentCounter();
  updateStamp = counter;
  Update(counter);
  return FlushUpdateFlag();
}

void VoIItem::SwLock(int on) {
  state = static_cast<unsigned short>(on ? (state | STATE_LOCK) : (state & ~STATE_LOCK));
}

void VoIItem::SwProblem(int on) {
  state = static_cast<unsigned short>(on ? (state | STATE_PROBLEM) : (state & ~STATE_PROBLEM));
}

void VoIItem::SetScript(IScript* s) {
  // Setting the script already held must not hand it back to its engine.
  if (s == script) return;
  IScript* old = script;
  script = s;
  if (old) old->Release();
}

void VoIItem::DeleteScript() {
  IScript* old = script;
  script = nullptr;
  if (old) old->Release();
}

int VoIItem::HasMethod(const char* method) { return script ? script->HasMethod(method) : 0; }

int VoIItem::CallMethod(const char* method, ...) {
  if (IsHide() || IsProblem()) return 1;
  if (!script) return 0;
  va_list args;
  va_start(args, method);
  const int result = script->CallMethodV(method, args);
  va_end(args);
  if (result == 0) SwProblem(1);
  return result;
}

void VoIItem::PrintTree(long depth) {
  if (depth < 0) depth = 0;
  if (depth > VoIBranch::MaxDepth) return;
  std::string indent(static_cast<size_t>(depth) * 2, ' ');
  const char* className = GetClassNameA();
  Frx::theFerrox.Log("%s%s : %s\n", indent.c_str(), className ? className : "", name.c_str());
  if (VoIBranch* branch = IsBranch())
    for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c)) c->PrintTree(depth + 1);
}
