#include "editor/frame/CViewFrame.h"

#include <QToolBar>
#include <QVBoxLayout>

#include "editor/document/CTireloDoc.h"
#include "editor/document/CommandIds.h"
#include "editor/frame/Commands.h"
#include "editor/frame/ToolBars.h"
#include "editor/view/ViewWidget.h"

CViewFrame::CViewFrame(CTireloDoc* document, QWidget* parent) : QWidget(parent), document_(document) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  view_ = new ViewWidget(this);
  view_->setObjectName(QStringLiteral("view"));
  layout->addWidget(view_, 1);
  bar_ = ToolBars::Make(this, QStringLiteral("view"),
                       {
                           {Cmd::Stop, QStringLiteral(u"停止")},
                           {Cmd::Play, QStringLiteral(u"再生"), true},
                           {Cmd::Pause, QStringLiteral(u"一時停止"), true},
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
                       },
                       [this](int id) { OnCommand(id); });
  // 32869 and 32870 have no command anywhere.
  for (int id : {Cmd::Unused1, Cmd::Unused2}) ToolBars::Find(bar_, id)->setEnabled(false);
  layout->addWidget(bar_);
  UpdateChecks();
}

int CViewFrame::OnCommand(int id) {
  const bool done = Commands::Run(*document_, id, Commands::Frame::View);
  UpdateChecks();
  return done ? 1 : 0;
}

void CViewFrame::UpdateChecks() {
  ToolBars::SetChecked(bar_, Cmd::Play, !document_->paused);
  ToolBars::SetChecked(bar_, Cmd::Pause, document_->paused);
}
