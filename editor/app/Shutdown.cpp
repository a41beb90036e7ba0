#include "editor/app/Shutdown.h"

#include "editor/document/CTireloDoc.h"
#include "editor/document/EditorUi.h"
#include "editor/document/VoMasterSavora.h"
#include "ferrox/ferrox/Ferrox.h"
#include "vocore/scene/VoICharacter.h"

void CloseEditor(CTireloDoc& doc, VoMasterSavora& master) {
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("Savora 終了処理\n");
  doc.ClearSelection();
  doc.ClearCurrentCharacter();
  doc.copyMotion.Clear();
  // Panels and the tree hold items too; none may outlive the plug-in code.
  if (EditorUi* ui = doc.ui) ui->ShowItem(nullptr), ui->MarkSelectedCharacter(nullptr);
  doc.viewCamera.Clear();
  doc.deferred.clear();
  doc.itemList.clear();
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("Project のアイテムを解放\n");
  if (VoICharacter* p = doc.project) master.ReleaseItem(p);
  doc.project.Clear();
  if (Frx::theFerrox.debug) Frx::theFerrox.Log("General のアイテムを解放\n");
  if (VoICharacter* g = doc.general) master.ReleaseItem(g);
  doc.general.Clear();
  master.ReleaseTimeBar();
  master.Uninitialize();
}
