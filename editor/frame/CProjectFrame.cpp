#include "editor/frame/CProjectFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

#include "editor/document/CTireloDoc.h"
#include "editor/document/CommandIds.h"
#include "editor/frame/ToolIcons.h"
#include "editor/panel/ItemPanel.h"
#include "editor/tree/CProjectView.h"

CProjectFrame::CProjectFrame(CTireloDoc* document, QWidget* parent) : QWidget(parent), document_(document) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  bar_ = new QToolBar(this);
  bar_->setIconSize(QSize(16, 16));
  struct Button {
    int id;
    QString tip;
  } const buttons[] = {
      {Cmd::TreeAll, QStringLiteral(u"全キャラクタを表示する")},
      {Cmd::TreeScoped, QStringLiteral(u"スコープされたキャラクタを先頭にして表示する")},
      {Cmd::TreeNone, QString()},
      {0, QString()},
      {Cmd::FilterObjects, QStringLiteral(u"すべてのアイテムを表示する")},
      {Cmd::FilterSkeleton, QStringLiteral(u"座標系、ボーンアイテムのみ表示する")},
      {Cmd::FilterMotions, QStringLiteral(u"モーションアイテムのみ表示する")},
  };
  auto* roots = new QActionGroup(this);
  for (const Button& b : buttons) {
    if (b.id == 0) {
      bar_->addSeparator();
      continue;
    }
    QAction* a = bar_->addAction(ToolIcons::Icon(b.id), b.tip);
    a->setData(b.id);
    a->setCheckable(true);
    if (b.id == Cmd::TreeAll || b.id == Cmd::TreeScoped || b.id == Cmd::TreeNone) roots->addAction(a);
    connect(a, &QAction::triggered, this, [this, id = b.id] { emit Command(id); });
  }
  layout->addWidget(bar_);
  auto* split = new QSplitter(Qt::Vertical, this);
  tree_ = new CProjectView(document, split);
  panel_ = new ItemPanel(document, split);
  split->addWidget(tree_);
  split->addWidget(panel_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  layout->addWidget(split, 1);
  UpdateChecks();
}

void CProjectFrame::UpdateChecks() {
  for (QAction* a : bar_->actions()) {
    const int id = a->data().toInt();
    switch (id) {
      case Cmd::TreeAll: a->setChecked(document_->treeRootMode == 0); break;
      case Cmd::TreeScoped: a->setChecked(document_->treeRootMode == 2); break;
      case Cmd::TreeNone: a->setChecked(document_->treeRootMode == 3); break;
      case Cmd::FilterObjects: a->setChecked(document_->treeFilter & 1); break;
      case Cmd::FilterSkeleton: a->setChecked(document_->treeFilter & 2); break;
      case Cmd::FilterMotions: a->setChecked(document_->treeFilter & 4); break;
      default: break;
    }
  }
}
