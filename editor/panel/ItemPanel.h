// ItemPanel: the selected item's line and its one page below the tree: the
// property page, the motion page or the note page. It shows the selection as
// it is now: the panel and its page hold the item (counted) until another
// item is shown, the panel is cleared or the item is released.
#pragma once

#include <QWidget>

#include "vocore/item/VoRefer.h"

class CTireloDoc;
class QListWidget;
class QTabWidget;
class VoIItem;

class ItemPanel : public QWidget {
  Q_OBJECT

 public:
  // `document` is not owned and outlives the panel.
  explicit ItemPanel(CTireloDoc* document, QWidget* parent = nullptr);

  // Null shows "アイテムは選択されていません" and drops the page.
  void ShowItemInPanel(VoIItem* item);
  // Another selection (or none), or a shown item that was released since, is
  // shown anew (true); otherwise nothing changes (false).
  bool Follow(VoIItem* selected);
  // Follow, and the same item has its line and page read again (an edit
  // under way in the page is kept).
  void Refresh(VoIItem* selected);
  // Reads the line and the page again when `item` is the one shown.
  void Reload(VoIItem* item);
  // An item being released: shown, it leaves the panel empty.
  void Forget(VoIItem* item);
  VoIItem* Shown() const { return shown_.Get(); }
  QTabWidget* Tabs() const { return tabs_; }
  QListWidget* ItemLine() const { return line_; }

 private:
  CTireloDoc* document_;
  QListWidget* line_;
  QTabWidget* tabs_;
  VoRefer<VoIItem> shown_;
};
