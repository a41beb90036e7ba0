// The main frame's menus, tool bar, Tools menu and item menu.
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "editor/document/CTireloDoc.h"
#include "editor/document/CommandIds.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/frame/CMainFrame.h"
#include "editor/frame/Commands.h"
#include "editor/frame/ToolIcons.h"
#include "hostqt/Sjis.h"
#include "vocore/item/VoIItem.h"

namespace {

// "status text\ntooltip" as the frames have always described their commands.
struct Described {
  int id;
  const char16_t* text;  // menu text
  const char16_t* tip;
};

const Described kCommands[] = {
    {Cmd::FileNew, u"新規作成(&N)", u"新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ"},
    {Cmd::FileOpen, u"開く(&O)...", u"既存のﾌｧｲﾙを開く\n開く"},
    {Cmd::FileSaveAs, u"名前を付けて保存(&A)...", u"作業中のﾌｧｲﾙを新しい名前で保存\n名前をつけて保存"},
    {Cmd::FileSaveOverwrite, u"上書き保存(&S)", u"作業中のﾌｧｲﾙを新しい名前で保存\n名前をつけて保存"},
    {Cmd::DisplayStandard, u"標準の表示", u"標準の表示\n標準"},
    {Cmd::DisplayEmphasis, u"インターフェイスの強調表示", u"ｲﾝﾀｰﾌｪｲｽの強調表示\nｲﾝﾀｰﾌｪｲｽ強調"},
    {Cmd::DisplayHidden, u"インターフェイスの非表示", u"ｲﾝﾀｰﾌｪｲｽの非表示\nｲﾝﾀｰﾌｪｲｽ非表示"},
    {Cmd::Perspective, u"透視投影", u"透視投影で編集\n透視投影"},
    {Cmd::Parallel, u"平行投影", u"平行投影で編集\n並行投影"},
    {Cmd::SpaceLocal, u"ローカル座標系", u"ﾛｰｶﾙ座標系で編集\nﾛｰｶﾙ座標系"},
    {Cmd::SpaceParent, u"パレント座標系", u"ﾊﾟﾚﾝﾄ座標系で編集\nﾊﾟﾚﾝﾄ座標系"},
    {Cmd::SpaceWorld, u"ワールド座標系", u"ﾜｰﾙﾄﾞ座標系で編集\nﾜｰﾙﾄﾞ座標系"},
    {Cmd::CelShading, u"セルシェーディング(&C)", u"ｾﾙｼｪｰﾃﾞｨﾝｸﾞの有効／無効\nｾﾙｼｪｰﾃﾞｨﾝｸﾞ"},
    {Cmd::RealTime, u"リアルタイム再生", u""},
    {Cmd::LogWindow, u"ログウィンドウ(&L)", u"再生中のモーションを停止\n停止"},
    {Cmd::Play, u"再生(&P)", u"ﾓｰｼｮﾝを再生\n再生"},
    {Cmd::Pause, u"一時停止(&U)", u"ﾓｰｼｮﾝの一時停止\n一時停止"},
    {Cmd::StepForward, u"1フレーム進む(&F)", u"1ﾌﾚｰﾑ進む\n1ﾌﾚｰﾑ進む"},
    {Cmd::StepBack, u"1フレーム戻る(&B)", u"1ﾌﾚｰﾑ戻る\n1ﾌﾚｰﾑ戻る"},
    {Cmd::Split, u"分割", u"作業中のｳｨﾝﾄﾞｳを分割/非分割\n分割"},
};

}  // namespace

QAction* CMainFrame::MakeAction(int id, const QString& text, const QString& tip) {
  if (QAction* a = Action(id)) return a;
  auto* a = new QAction(text, this);
  a->setData(id);
  a->setObjectName(QStringLiteral("cmd%1").arg(id));
  const QStringList parts = tip.split(QLatin1Char('\n'));
  if (!parts.value(0).isEmpty()) a->setStatusTip(parts.value(0));
  if (!parts.value(1).isEmpty()) a->setToolTip(parts.value(1));
  a->setIcon(ToolIcons::Icon(id));
  connect(a, &QAction::triggered, this, [this, id] { OnCommand(id); });
  actions_[id] = a;
  return a;
}

void CMainFrame::BuildMenus() {
  for (const Described& d : kCommands)
    MakeAction(d.id, QString::fromUtf16(d.text), QString::fromUtf16(d.tip));
  for (int id : {Cmd::DisplayStandard, Cmd::DisplayEmphasis, Cmd::DisplayHidden, Cmd::Perspective,
                 Cmd::Parallel, Cmd::SpaceLocal, Cmd::SpaceParent, Cmd::SpaceWorld, Cmd::CelShading,
                 Cmd::RealTime})
    Action(id)->setCheckable(true);
  Action(Cmd::FileNew)->setShortcut(QKeySequence::New);
  Action(Cmd::FileOpen)->setShortcut(QKeySequence::Open);
  QMenu* file = menuBar()->addMenu(QStringLiteral(u"ファイル(&F)"));
  file->addActions({Action(Cmd::FileNew), Action(Cmd::FileOpen), Action(Cmd::FileSaveAs),
                    Action(Cmd::FileSaveOverwrite)});
  file->addSeparator();
  QMenu* recent = file->addMenu(QStringLiteral(u"最近使ったファイル(&R)"));
  connect(recent, &QMenu::aboutToShow, this, [this, recent] {
    recent->clear();
    int n = 1;
    for (const QString& path : QtPrompts::RecentFiles())
      recent->addAction(QStringLiteral("&%1 %2").arg(n++).arg(path), this, [this, path] {
        document_->OpenDocumentFile(HostQt::ToSjis(path).constData());
        UpdateChecks();
      });
  });
  file->addSeparator();
  QAction* quit = file->addAction(QStringLiteral(u"終了(&X)"), this, &QWidget::close);
  quit->setObjectName(QStringLiteral("cmd57665"));
  tools_ = menuBar()->addMenu(QStringLiteral(u"ツール(&T)"));
  QMenu* view = menuBar()->addMenu(QStringLiteral(u"表示(&V)"));
  view->addActions({Action(Cmd::DisplayStandard), Action(Cmd::DisplayEmphasis), Action(Cmd::DisplayHidden)});
  view->addSeparator();
  view->addActions({Action(Cmd::Perspective), Action(Cmd::Parallel)});
  view->addSeparator();
  view->addActions({Action(Cmd::SpaceLocal), Action(Cmd::SpaceParent), Action(Cmd::SpaceWorld)});
  view->addSeparator();
  view->addActions({Action(Cmd::CelShading), Action(Cmd::RealTime), Action(Cmd::LogWindow)});
  QMenu* play = menuBar()->addMenu(QStringLiteral(u"再生(&P)"));
  play->addActions({Action(Cmd::Play), Action(Cmd::Pause), Action(Cmd::StepForward), Action(Cmd::StepBack)});
  QMenu* help = menuBar()->addMenu(QStringLiteral(u"ヘルプ(&H)"));
  QAction* about = help->addAction(QStringLiteral(u"バージョン情報(&A)..."), this, &CMainFrame::AboutRequested);
  about->setObjectName(QStringLiteral("cmd%1").arg(Cmd::About));
}

void CMainFrame::BuildToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("main"));
  bar->setIconSize(QSize(16, 16));
  bar->setObjectName(QStringLiteral("toolbar128"));
  const int buttons[] = {Cmd::FileNew, Cmd::FileOpen, Cmd::FileSaveAs, 0, Cmd::DisplayStandard,
                         Cmd::DisplayEmphasis, Cmd::DisplayHidden, 0, Cmd::Perspective, Cmd::Parallel, 0,
                         Cmd::SpaceLocal, Cmd::SpaceParent, Cmd::SpaceWorld, 0, Cmd::CelShading, 0,
                         Cmd::RealTime, 0, Cmd::LogWindow};
  for (int id : buttons) id ? (void)bar->addAction(Action(id)) : (void)bar->addSeparator();
}

void CMainFrame::SetToolsMenu(const std::vector<Commands::MenuEntry>& entries) {
  tools_->clear();
  for (const Commands::MenuEntry& e : entries) {
    QAction* a = tools_->addAction(HostQt::FromSjis(e.text.Get()));
    a->setObjectName(QStringLiteral("cmd%1").arg(e.id));
    connect(a, &QAction::triggered, this, [this, id = e.id] { OnCommand(id); });
  }
}

void CMainFrame::ShowItemMenu(int x, int y, VoIItem* item, VoIItem* source) {
  if (!item) return;
  // The popups of menu 150 by the item's kind: Item, Object, Motion, Hierarchy.
  const int kind = item->IsCharacter() ? 1 : (item->IsControl() || item->IsMotion()) ? 2 : item->IsSkelton() ? 3 : 0;
  QMenu menu(this);
  QAction* lock = menu.addAction(QStringLiteral(u"ロック(&L)"));
  lock->setData(Cmd::ItemLock);
  lock->setCheckable(true);
  lock->setChecked(item->IsLock());
  QAction* hide = menu.addAction(QStringLiteral(u"非表示(&H)"));
  hide->setData(Cmd::ItemHide);
  hide->setCheckable(true);
  hide->setChecked(item->IsHide() != 0);
  menu.addSeparator();
  auto add = [&menu](int id, const QString& text) { menu.addAction(text)->setData(id); };
  if (kind == 1) {
    add(Cmd::ItemScope, QStringLiteral(u"スコープ(&S)"));
    add(Cmd::ItemImport, QStringLiteral(u"インポート(&I)"));
    add(Cmd::ItemExport, QStringLiteral(u"エクスポート(&E)"));
    add(Cmd::ItemReload, QStringLiteral(u"リロード(&R)"));
    add(Cmd::ItemNewMotion, QStringLiteral(u"新規モーション(&M)"));
    add(Cmd::ItemCopyPose, QStringLiteral(u"ポーズコピー(&C)"));
    add(Cmd::ItemPastePose, QStringLiteral(u"ポーズペースト(&V)"));
  }
  if (kind != 3) add(Cmd::ItemDelete, QStringLiteral(u"削除(&D)"));
  add(Cmd::ItemRename, QStringLiteral(u"名前変更(&N)"));
  if (VoMasterSavora* master = document_->master)
    for (const Commands::MenuEntry& e : Commands::ItemMenuEntries(*master, item))
      add(e.id, HostQt::FromSjis(e.text.Get()));
  Commands::SetPluginTargets(item, source);
  QAction* chosen = menu.exec(QPoint(x, y));
  if (chosen) OnCommand(chosen->data().toInt());
  Commands::SetPluginTargets(nullptr, nullptr);
}
