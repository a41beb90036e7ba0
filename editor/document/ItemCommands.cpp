// The item menu's commands, on the selected item.
#include "editor/document/CTireloDoc.h"
#include "editor/document/EditorUi.h"
#include "editor/document/ShowMessage.h"
#include "editor/document/VoMasterSavora.h"
#include "ferrox/ferrox/Ferrox.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"

void CTireloDoc::OnImportItem() {
  if (VoIBranch* branch = selected ? selected->IsBranch() : nullptr) ImportFile(nullptr, branch);
}

void CTireloDoc::OnExportItem() {
  if (selected && selected->IsBranch()) ExportFile(nullptr, selected);
}

void CTireloDoc::OnReload() {
  Frx::theFerrox.Log("リロード\n");
  Frx::theFerrox.Error("このバージョンの Savora ではリロードはできません。\n");
}

void CTireloDoc::OnScope() {
  VoICharacter* character = selected ? selected->IsCharacter() : nullptr;
  if (!character) return;
  SetCurrentCharacter(character);
  ClickSelect(character, 0);
}

void CTireloDoc::OnHide() {
  if (VoIItem* item = selected) {
    item->SwHide(item->IsHide() ? 0 : 1);
    RefreshTreeItem(item);
  }
}

void CTireloDoc::OnLock() {
  if (VoIItem* item = selected) {
    item->SwLock(item->IsLock() ? 0 : 1);
    RefreshTreeItem(item);
  }
}

void CTireloDoc::OnRename() {
  if (selected && ui) ui->EditLabel(selected);
}

void CTireloDoc::OnNewMotion() {
  VoICharacter* character = selected ? selected->IsCharacter() : nullptr;
  if (!character) character = GetSelectedCharacter();
  if (!character) return;
  VoIMotion* motion = NewMotion(character);
  if (!motion) return;
  motion->SetSafetyName("motion");
  QueueItem(motion);
  character->SetMotion(motion);
}

void CTireloDoc::OnDelete() {
  Frx::theFerrox.Log("アイテムの削除\n");
  VoRefer<VoIItem> item = selected.Get();
  if (!item) return;
  // The fixed characters and the pose clipboard belong to the editor.
  if (item == project.Get() || item == general.Get() || item == copyMotion.Get()) {
    ShowMessage(0, "このアイテムを削除することはできません。\n");
    return;
  }
  const Frx::Pstring name = item->GetFullName(nullptr);
  if (!item->IsControl() && !item->IsMotion() && !item->IsCharacter()) {
    ShowMessage(0, "現バージョンではこのアイテム %s \nを削除することはできません。\n", name.Get());
    return;
  }
  if (ShowMessage(36, "アイテム %s を削除しますか？\n", name.Get()) != 6) return;
  ClearSelection();
  // Deleting the scoped character, or a character above it, scopes the
  // character above what goes (the project when there is none).
  if (item->IsAncestorOf(current.Get())) {
    VoICharacter* above = item->GetParentCharacter();
    SetCurrentCharacter(above ? above : project.Get());
  }
  master->ReleaseItem(item);
}
