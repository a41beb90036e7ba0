// EditorUi: what the document asks of the editor's windows (tree, item
// panel, frames). The main frame implements it and hangs itself on its
// document; without windows (tests, headless use) there is none and those
// steps are skipped.
#pragma once

#include "platform/win32/WinTypes.h"

class VoIItem;

class EditorUi {
 public:
  // Project-tree refresh modes.
  enum TreeMode : int { TreeRemove = 1, TreeRefresh = 2, TreeRebuild = 3 };

  virtual HWND MainWindow() = 0;
  // Every view of the document refreshes (hint 3: the whole tree).
  virtual void UpdateAllViews(int hint) = 0;
  virtual void RefreshTree(VoIItem* item, int mode) = 0;
  // The item panel and the tree show `item` (null: nothing selected).
  virtual void ShowItem(VoIItem* item) = 0;
  // The selected character's entry is shown bold (null: none).
  virtual void MarkSelectedCharacter(VoIItem* character) = 0;
  // Starts editing the label of the item's tree entry.
  virtual void EditLabel(VoIItem* item) = 0;
  // Runs a command of the view frame (play, pause, ...) as its tool bar does.
  virtual int ViewFrameCommand(int id) = 0;
  // Sends a command to the main window (edit space, projection keys).
  virtual void MainFrameCommand(int id) = 0;
  // The item menu at screen (x, y); `source` becomes the command source.
  virtual void ShowItemMenu(int x, int y, VoIItem* item, VoIItem* source) = 0;

 protected:
  ~EditorUi() = default;
};
