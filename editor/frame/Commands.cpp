#include "editor/frame/Commands.h"

#include "editor/document/CTireloDoc.h"
#include "editor/document/CommandIds.h"
#include "editor/document/Playback.h"
#include "editor/document/SettingCommands.h"
#include "editor/document/ShowMessage.h"
#include "editor/document/VoMasterSavora.h"
#include "ferrox/ferrox/Ferrox.h"
#include "vocore/skeleton/VoISkelton.h"

namespace Commands {

namespace {

bool RunViewCommand(CTireloDoc& doc, int id) {
  switch (id) {
    case Cmd::Stop: Playback::Stop(doc); return true;
    case Cmd::Play: Playback::Play(doc); return true;
    case Cmd::Pause: Playback::Pause(doc); return true;
    case Cmd::StepForward: Playback::Step(doc, 1); return true;
    case Cmd::StepBack: Playback::Step(doc, -1); return true;
    case Cmd::NextKey: Playback::NextKey(doc); return true;
    case Cmd::PreviousKey: Playback::PreviousKey(doc); return true;
    case Cmd::CopyPose: doc.CopyPose(); return true;
    case Cmd::PastePose: doc.PastePose(); return true;
    case Cmd::Symmetry: return true;
    case Cmd::Mirror: {
      VoICharacter* character = doc.GetSelectedCharacter();
      VoISkelton* skeleton = character ? character->GetSkelton() : nullptr;
      // Only a mirror that ran leaves a pose to key.
      if (skeleton && doc.master->ExecCommand("LRMirrorSkelton", skeleton, nullptr, 0))
        doc.QueueDeferred(skeleton);
      return true;
    }
    default: return false;
  }
}

bool RunItemCommand(CTireloDoc& doc, int id) {
  switch (id) {
    case Cmd::ItemImport: doc.OnImportItem(); return true;
    case Cmd::ItemExport: doc.OnExportItem(); return true;
    case Cmd::ItemReload: doc.OnReload(); return true;
    case Cmd::ItemScope: doc.OnScope(); return true;
    case Cmd::ItemHide: doc.OnHide(); return true;
    case Cmd::ItemLock: doc.OnLock(); return true;
    case Cmd::ItemDelete: doc.OnDelete(); return true;
    case Cmd::ItemRename: doc.OnRename(); return true;
    case Cmd::ItemNewMotion: doc.OnNewMotion(); return true;
    case Cmd::ItemCopyPose: doc.CopyPose(); return true;
    case Cmd::ItemPastePose: doc.PastePose(); return true;
    default: return false;
  }
}

bool RunFileCommand(CTireloDoc& doc, int id) {
  switch (id) {
    case Cmd::FileNew: NewProject(doc); return true;
    case Cmd::FileOpen:
      Frx::theFerrox.Log("ファイルを開く\n");
      doc.ImportFile(nullptr, doc.project);
      return true;
    case Cmd::FileSaveAs:
      Frx::theFerrox.Log("ファイルを保存\n");
      doc.ExportFile(nullptr, doc.current);
      return true;
    case Cmd::FileSaveOverwrite:
      Frx::theFerrox.Log("ファイルを上書き保存\n");
      Frx::theFerrox.Error("ファイルを上書き保存はできません。\n");
      return true;
    case Cmd::Split: return true;
    default: return false;
  }
}

}  // namespace

bool Run(CTireloDoc& doc, int id, Frame frame) {
  ++doc.keyEdits;  // a command or plug-in may move keys
  if (id >= Cmd::PluginFirst && id <= Cmd::PluginLast) return RunPlugin(doc, id - Cmd::PluginFirst);
  if (frame == Frame::View) return RunViewCommand(doc, id);
  if (id == Cmd::LogWindow) {
    Frx::LogWindow& log = Frx::theFerrox.logWindow;
    if (log.IsExist()) log.Hide();
    else log.Show();
    return true;
  }
  if (id == Cmd::Play || id == Cmd::Pause || id == Cmd::StepForward || id == Cmd::StepBack)
    return RunViewCommand(doc, id);
  return RunSettingCommand(doc, id) || RunFileCommand(doc, id) || RunItemCommand(doc, id);
}

void NewProject(CTireloDoc& doc) {
  if (ShowMessage(36, "新規にプロジェクトを生成します。\n現プロジェクトの内容は消えてしまいますがよろしいですか？\n") != 6)
    return;
  doc.ClearSelection();
  if (VoICharacter* old = doc.project) doc.master->ReleaseItem(old);
  doc.project.Clear();
  VoICharacter* project = doc.NewCharacter(nullptr);
  project->SetName("project");
  doc.project = project;
  // NewCharacter ran CreateState: the new "project" has its extension and tree entry.
  doc.SetCurrentCharacter(project);
  // Nothing of the old scene's time carries over: a motion loaded next starts at 0.
  Playback::Restart(doc);
  doc.UpdateAllViews();
}

}  // namespace Commands
