// The tool bars of the project and view frames: 16-pixel buttons drawn by
// ToolIcons, each an action that carries its command id as its data.
#pragma once

#include <QString>
#include <functional>
#include <initializer_list>

class QAction;
class QToolBar;
class QWidget;

namespace ToolBars {

struct Button {
  int id;  // 0: a separator
  QString tip;
  bool checkable = false;
};

// A bar under `parent`; each button's action is named `prefix` + its id, and
// a triggered one calls `run` with its id.
QToolBar* Make(QWidget* parent, const QString& prefix, std::initializer_list<Button> buttons,
               std::function<void(int)> run);
// The action of command `id` on the bar; null when it has none.
QAction* Find(const QToolBar* bar, int id);
void SetChecked(const QToolBar* bar, int id, bool on);

}  // namespace ToolBars
