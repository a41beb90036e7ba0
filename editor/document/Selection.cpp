// The selection, the scope and picking.
#include "editor/document/CTireloDoc.h"
#include "editor/document/EditorUi.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/extend/GuiItemExtend.h"
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

VoIItem* CTireloDoc::GetSelectedItem() { return selected.Get(); }

VoICharacter* CTireloDoc::GetCurrentCharacter() { return current.Get(); }

VoICharacter* CTireloDoc::GetSelectedCharacter() {
  if (!current || !general || !selected) return nullptr;
  VoICharacter* local = selected->GetLocalCharacter();
  if (IsWithin(current, local) || IsWithin(general, local)) return local;
  return nullptr;
}

void CTireloDoc::SetCurrentCharacter(VoICharacter* character) {
  if (!character) return;
  current = character;
  RefreshTreeItem(project);
}

void CTireloDoc::ClearCurrentCharacter() {
  current.Clear();
  if (project) RefreshTreeItem(project);
}

void CTireloDoc::SelectItem(VoIItem* item, int mode) {
  if (!item) return;
  selected = item;
  if (!item->GetExtend()) {
    const char* className = master ? master->GetClassNameA(item->GetClassID()) : nullptr;
    Frx::theFerrox.Log(kNoExtension, className ? className : "", item->GetName());
    return;
  }
  if (ItemGui* gui = GetItemGui(item)) gui->OnSelect(mode);
}

void CTireloDoc::ClearSelection() {
  if (!selected) return;
  // The companion may drop references that keep the item; hold it meanwhile.
  VoRefer<VoIItem> item = selected.Get();
  if (ItemGui* gui = GetItemGui(item)) gui->OnDeselect();
  selected.Clear();
}

void CTireloDoc::ClickSelect(VoIItem* item, int mode) {
  if (item && item == selected.Get()) {
    if (ItemGui* gui = GetItemGui(item)) gui->OnSelect(mode);
  } else {
    ClearSelection();
    if (item) {
      SelectItem(item, mode);
      if (ui) ui->ShowItem(item);
      ReplayViewInput();
    }
  }
  if (VoICharacter* character = GetSelectedCharacter())
    if (ui) ui->MarkSelectedCharacter(character);
}

int CTireloDoc::IsSelected(VoIItem* item) { return item && item == selected.Get() ? 1 : 0; }

void CTireloDoc::QueueItem(VoIItem* item) {
  if (!item) return;
  QueueDeferred(item);
  RefreshTreeItem(item);
}

void CTireloDoc::PickItems(ItemList& items, float x, float y, float z) {
  if (!master) return;
  if (TimeBar* bar = master->GetTimeBar()) {
    if (bar->HitTest(x, y, static_cast<int>(z)) != ItemGui::NoHit) {
      if (VoICharacter* character = GetSelectedCharacter()) items.emplace_back(character);
      return;
    }
  }
  master->PickNearest(items, GetSelectedCharacter(), x, y, static_cast<int>(z));
}
