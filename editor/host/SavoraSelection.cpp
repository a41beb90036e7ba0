// The slots of the fixed and current characters, the selection and the
// deferred list.
#include "editor/document/CTireloDoc.h"
#include "editor/document/EditorUi.h"
#include "editor/extend/CreateExtensionFor.h"
#include "editor/extend/ItemGui.h"
#include "editor/extend/VoMasterSavora.h"
#include "editor/host/SavoraHost.h"
#include "ferrox/ferrox/Ferrox.h"
#include "vocore/scene/VoICharacter.h"

namespace {

constexpr char kNoExtension[] =
    "VoMasterSavora:アイテム拡張クラスが生成されていないアイテムが存在します %s:%s\n";

// Whether `item` is `character` or lies below it.
bool IsWithin(VoICharacter* character, VoIItem* item) {
  return character && item && (item == character || character->Search(item));
}

}  // namespace

VoICharacter* SavoraHost::GetProjectCharacter() {
  CTireloDoc* doc = GetDocument();
  return doc ? doc->project.Get() : nullptr;
}

VoICharacter* SavoraHost::GetGeneralCharacter() {
  CTireloDoc* doc = GetDocument();
  return doc ? doc->general.Get() : nullptr;
}

VoICharacter* SavoraHost::GetCurrentCharacter() {
  CTireloDoc* doc = GetDocument();
  return doc ? doc->current.Get() : nullptr;
}

VoIItem* SavoraHost::GetSelectedItem() {
  CTireloDoc* doc = GetDocument();
  return doc ? doc->selected.Get() : nullptr;
}

VoICharacter* SavoraHost::GetSelectedCharacter() {
  CTireloDoc* doc = GetDocument();
  if (!doc || !doc->current || !doc->general || !doc->selected) return nullptr;
  VoICharacter* local = doc->selected->GetLocalCharacter();
  if (IsWithin(doc->current, local) || IsWithin(doc->general, local)) return local;
  return nullptr;
}

void SavoraHost::SetCurrentCharacter(VoICharacter* character) {
  CTireloDoc* doc = GetDocument();
  if (!doc || !character) return;
  doc->current = character;
  RefreshTreeItem(doc->project);
}

void SavoraHost::ClearCurrentCharacter() {
  CTireloDoc* doc = GetDocument();
  if (!doc) return;
  doc->current.Clear();
  if (doc->project) RefreshTreeItem(doc->project);
}

void SavoraHost::SelectItem(VoIItem* item, int mode) {
  CTireloDoc* doc = GetDocument();
  if (!doc || !item) return;
  doc->selected = item;
  if (!item->GetExtend()) {
    const char* className = master_ ? master_->GetClassNameA(item->GetClassID()) : nullptr;
    Frx::theFerrox.Log(kNoExtension, className ? className : "", item->GetName());
    return;
  }
  if (ItemGui* gui = GetItemGui(item)) gui->OnSelect(mode);
}

void SavoraHost::ClearSelection() {
  CTireloDoc* doc = GetDocument();
  if (!doc || !doc->selected) return;
  // The companion may drop references that keep the item; hold it meanwhile.
  VoRefer<VoIItem> item = doc->selected.Get();
  if (ItemGui* gui = GetItemGui(item)) gui->OnDeselect();
  doc->selected.Clear();
}

void SavoraHost::ClickSelect(VoIItem* item, int mode) {
  CTireloDoc* doc = GetDocument();
  if (!doc) return;
  if (item && item == doc->selected.Get()) {
    if (ItemGui* gui = GetItemGui(item)) gui->OnSelect(mode);
  } else {
    ClearSelection();
    if (item) {
      SelectItem(item, mode);
      if (ui_) ui_->ShowItem(item);
      ReplayViewInput();
    }
  }
  if (VoICharacter* character = GetSelectedCharacter())
    if (ui_) ui_->MarkSelectedCharacter(character);
}

int SavoraHost::IsSelected(VoIItem* item) {
  CTireloDoc* doc = GetDocument();
  return doc && item && item == doc->selected.Get() ? 1 : 0;
}

int SavoraHost::IsSelectedItem(VoIItem* item) { return IsSelected(item); }

void SavoraHost::QueueItem(VoIItem* item) {
  CTireloDoc* doc = GetDocument();
  if (!doc || !item) return;
  doc->QueueDeferred(item);
  RefreshTreeItem(item);
}
