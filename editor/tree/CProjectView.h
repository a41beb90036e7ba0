// CProjectView: the tree of the scene's items. It follows the document: the
// document asks it to refresh entries (TreeRules decides what shows and where;
// labels are read from the items whenever they are drawn),
// it click-selects what the user picks, edits labels, opens item menus and
// marks the selected character bold. Each item's entry is kept in its
// GuiItemExtend; the tree owns the entries.
#pragma once

#include <QTreeWidget>

#include "vocore/item/VoIItem.h"
#include "vocore/item/VoRefer.h"

class CTireloDoc;
class VoIItem;

class CProjectView : public QTreeWidget {
  Q_OBJECT

 public:
  CProjectView(CTireloDoc* document, QWidget* parent = nullptr);
  ~CProjectView() override;

  // Modes: 1 removes the item's entries, 2 inserts or refreshes the item's
  // entry and its children's, 3 rebuilds the tree from its roots.
  void RefreshTree(VoIItem* item, int mode);
  // Once a frame: redraws when refreshes held the drawing back.
  void ReleaseRedraw();
  // Selects the item's entry (no click-select) when it has one.
  void ShowItem(VoIItem* item);
  void MarkSelectedCharacter(VoIItem* character);
  void EditLabel(VoIItem* item);
  // The item of an entry; null for none.
  static VoIItem* ItemOf(QTreeWidgetItem* entry);
  static QTreeWidgetItem* EntryOf(VoIItem* item);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void RemoveEntries(VoIItem* item);
  void ForgetEntries(QTreeWidgetItem* entry);
  void RefreshItem(VoIItem* item, int depth);
  void SetEntry(VoIItem* item, QTreeWidgetItem* entry);
  void OnSelectionChanged();
  void OnExpanded(QTreeWidgetItem* entry, bool expanded);

  CTireloDoc* document_;
  bool pendingRedraw_ = false;
  bool quiet_ = false;  // selection changes made by the program itself
  VoRefer<VoIItem> bold_;
};
