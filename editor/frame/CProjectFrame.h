// CProjectFrame: the left pane: the tool bar that chooses what the tree
// shows, the project tree and the item panel below it.
#pragma once

#include <QWidget>

class CProjectView;
class CTireloDoc;
class ItemPanel;
class QActionGroup;
class QToolBar;

class CProjectFrame : public QWidget {
  Q_OBJECT

 public:
  CProjectFrame(CTireloDoc* document, QWidget* parent = nullptr);

  CProjectView* Tree() const { return tree_; }
  ItemPanel* Panel() const { return panel_; }
  // Check marks of the root-mode group and the filter buttons from the document.
  void UpdateChecks();

 signals:
  void Command(int id);

 private:
  CTireloDoc* document_;
  QToolBar* bar_;
  CProjectView* tree_;
  ItemPanel* panel_;
};
