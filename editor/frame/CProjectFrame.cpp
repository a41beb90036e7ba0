#include "editor/frame/CProjectFrame.h"

#include <QActionGroup>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

#include "editor/document/CTireloDoc.h"
#include "editor/document/CommandIds.h"
#include "editor/frame/ToolBars.h"
#include "editor/panel/ItemPanel.h"
#include "editor/tree/CProjectView.h"

CProjectFrame::CProjectFrame(CTireloDoc* document, QWidget* parent) : QWidget(parent), document_(document) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  bar_ = ToolBars::Make(this, QStringLiteral("tree"),
                       {
                           {Cmd::TreeAll, QStringLiteral(u"全キャラクタを表示する"), true},
                           {Cmd::TreeScoped, QStringLiteral(u"スコープされたキャラクタを先頭にして表示する"), true},
                           {Cmd::TreeNone, QString(), true},
                           {0, QString()},
                           {Cmd::FilterObjects, QStringLiteral(u"すべてのアイテムを表示する"), true},
                           {Cmd::FilterSkeleton, QStringLiteral(u"座標系、ボーンアイテムのみ表示する"), true},
                           {Cmd::FilterMotions, QStringLiteral(u"モーションアイテムのみ表示する"), true},
                       },
                       [this](int id) { emit Command(id); });
  auto* roots = new QActionGroup(this);
  for (int id : {Cmd::TreeAll, Cmd::TreeScoped, Cmd::TreeNone}) roots->addAction(ToolBars::Find(bar_, id));
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
  ToolBars::SetChecked(bar_, Cmd::TreeAll, document_->treeRootMode == 0);
  ToolBars::SetChecked(bar_, Cmd::TreeScoped, document_->treeRootMode == 2);
  ToolBars::SetChecked(bar_, Cmd::TreeNone, document_->treeRootMode == 3);
  ToolBars::SetChecked(bar_, Cmd::FilterObjects, document_->treeFilter & 1);
  ToolBars::SetChecked(bar_, Cmd::FilterSkeleton, document_->treeFilter & 2);
  ToolBars::SetChecked(bar_, Cmd::FilterMotions, document_->treeFilter & 4);
}
