#include "editor/frame/ToolBars.h"

#include <QAction>
#include <QToolBar>

#include "editor/frame/ToolIcons.h"

namespace ToolBars {

QToolBar* Make(QWidget* parent, const QString& prefix, std::initializer_list<Button> buttons,
               std::function<void(int)> run) {
  auto* bar = new QToolBar(parent);
  bar->setIconSize(QSize(16, 16));
  for (const Button& b : buttons) {
    if (b.id == 0) {
      bar->addSeparator();
      continue;
    }
    QAction* a = bar->addAction(ToolIcons::Icon(b.id), b.tip);
    a->setData(b.id);
    a->setObjectName(prefix + QString::number(b.id));
    a->setCheckable(b.checkable);
    QObject::connect(a, &QAction::triggered, bar, [run, id = b.id] { run(id); });
  }
  return bar;
}

QAction* Find(const QToolBar* bar, int id) {
  for (QAction* a : bar->actions())
    if (a->data().toInt() == id && !a->isSeparator()) return a;
  return nullptr;
}

void SetChecked(const QToolBar* bar, int id, bool on) {
  if (QAction* a = Find(bar, id)) a->setChecked(on);
}

}  // namespace ToolBars
