// ItemPanel: the selected item's line and its one page below the tree: the
// property page, the motion page or the note page. The page holds the item
// (counted) until another item is shown or the panel is cleared.
#pragma once

#include <QWidget>

class QListWidget;
class QTabWidget;
class VoIItem;

class ItemPanel : public QWidget {
  Q_OBJECT

 public:
  explicit ItemPanel(QWidget* parent = nullptr);

  // Null shows "アイテムは選択されていません" and drops the page.
  void ShowItemInPanel(VoIItem* item);
  QTabWidget* Tabs() const { return tabs_; }
  QListWidget* ItemLine() const { return line_; }

 private:
  QListWidget* line_;
  QTabWidget* tabs_;
};
