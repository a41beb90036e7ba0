#include "editor/frame/CViewFrame.h"

#include <QAction>
#include <QToolBar>
#include <QVBoxLayout>

#include "editor/document/CTireloDoc.h"
#include "editor/document/CommandIds.h"
#include "editor/frame/Commands.h"
#include "editor/frame/ToolIcons.h"
#include "editor/view/ViewWidget.h"

CViewFrame::CViewFrame(CTireloDoc* document, QWidget* parent) : QWidget(parent), document_(document) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  view_ = new ViewWidget(this);
  view_->setObjectName(QStringLiteral("view"));
  layout->addWidget(view_, 1);
  bar_ = new QToolBar(this);
  bar_->setIconSize(QSize(16, 16));
  struct Button {
    int id;
    QString tip;
  } const buttons[] = {
      {Cmd::Stop, QStringLiteral(u"停止")},
      {Cmd::Play, QStringLiteral(u"再生")},
      {Cmd::Pause, QStringLiteral(u"一時停止")},
      {Cmd::StepBack, QStringLiteral(u"1ﾌﾚｰﾑ戻る")},
      {Cmd::StepForward, QStringLiteral(u"1ﾌﾚｰﾑ進む")},
      {Cmd::PreviousKey, QStringLiteral(u"前のキーに戻る")},
      {Cmd::NextKey, QStringLiteral(u"次のキーへ進む")},
      {0, QString()},
      {Cmd::CopyPose, QStringLiteral(u"現在のポーズを一時保存する")},
      {Cmd::PastePose, QStringLiteral(u"一時保存したポーズを複写する")},
      {Cmd::Mirror, QStringLiteral(u"現在の姿勢を反転する")},
      {0, QString()},
      {Cmd::Unused1, QString()},
      {Cmd::Unused2, QString()},
  };
  for (const Button& b : buttons) {
    if (b.id == 0) {
      bar_->addSeparator();
      continue;
    }
    QAction* a = bar_->addAction(ToolIcons::Icon(b.id), b.tip);
    a->setData(b.id);
    a->setObjectName(QStringLiteral("view%1").arg(b.id));
    // 32869 and 32870 have no command anywhere.
    if (b.id == Cmd::Unused1 || b.id == Cmd::Unused2) a->setEnabled(false);
    if (b.id == Cmd::Play || b.id == Cmd::Pause) a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, id = b.id] { OnCommand(id); });
  }
  layout->addWidget(bar_);
  UpdateChecks();
}

int CViewFrame::OnCommand(int id) {
  const bool done = Commands::Run(*document_, id, Commands::Frame::View);
  UpdateChecks();
  return done ? 1 : 0;
}

void CViewFrame::UpdateChecks() {
  for (QAction* a : bar_->actions()) {
    const int id = a->data().toInt();
    if (id == Cmd::Play) a->setChecked(!document_->paused);
    if (id == Cmd::Pause) a->setChecked(document_->paused);
  }
}
