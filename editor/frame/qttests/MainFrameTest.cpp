// The windows over a headless document: one offscreen application for the
// whole program (QtTestMain.cpp).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

#include "editor/view/FramePieces.h"
#include "editor/app/Shutdown.h"
#include "editor/document/CommandIds.h"
#include "editor/extend/CompanionContext.h"
#include "editor/frame/CMainFrame.h"
#include "editor/frame/CProjectFrame.h"
#include "editor/frame/CViewFrame.h"
#include "editor/manip/PoseEdits.h"
#include "editor/panel/ItemPanel.h"
#include "editor/testing/EditorFixture.h"
#include "editor/tree/CProjectView.h"
#include "editor/tree/TreeRules.h"
#include "hostqt/Sjis.h"
#include "vocore/scene/VoINote.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace {

// Notes when it is deleted, so a test sees who still held it.
class WatchedCoordinate : public VoICoordinate {
 public:
  WatchedCoordinate(VoIBranch* parent, bool* gone) : VoICoordinate(parent), gone_(gone) {}
  ~WatchedCoordinate() override { *gone_ = true; }

 private:
  bool* gone_;
};

class MainFrameTest : public edtest::EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    frame = std::make_unique<CMainFrame>(doc.get());
    BuildScene();
  }
  void TearDown() override {
    // The windows drop what they show first and go before the document.
    CloseEditor(*doc, master);
    frame.reset();
    EditorFixture::TearDown();
  }
  CProjectView* Tree() { return frame->ProjectFrame()->Tree(); }
  QStringList TopLevel() {
    QStringList names;
    for (int i = 0; i < Tree()->topLevelItemCount(); ++i) names << Tree()->topLevelItem(i)->text(0);
    return names;
  }
  std::unique_ptr<CMainFrame> frame;
};

TEST_F(MainFrameTest, TreeRootModesAndHiddenRoots) {
  EXPECT_EQ(TopLevel(), (QStringList{QStringLiteral("project"), QStringLiteral("general")}));
  VoICharacter* inner = doc->NewCharacter(doc->project);
  inner->SetName("inner");
  VoICharacter* other = doc->NewCharacter(doc->project);
  other->SetName("other");
  host().SetCurrentCharacter(inner);
  frame->OnCommand(Cmd::TreeScoped);
  EXPECT_EQ(TopLevel(), (QStringList{QStringLiteral("inner"), QStringLiteral("general")}));
  // Items under "project", which has no entry now, do not climb to the top.
  host().RefreshTreeItem(other);
  EXPECT_EQ(CProjectView::EntryOf(other), nullptr);
  frame->OnCommand(Cmd::TreeNone);
  EXPECT_EQ(Tree()->topLevelItemCount(), 0);
  frame->OnCommand(Cmd::TreeAll);
  ASSERT_NE(CProjectView::EntryOf(other), nullptr);
  EXPECT_EQ(CProjectView::EntryOf(other)->parent(), CProjectView::EntryOf(doc->project));
  EXPECT_EQ(CProjectView::EntryOf(inner)->icon(0).cacheKey() != CProjectView::EntryOf(other)->icon(0).cacheKey(),
            true);  // the scoped character has its own image
}

TEST_F(MainFrameTest, LabelEditingEditsThePlainName) {
  VoICharacter* c = doc->NewCharacter(doc->project);
  c->SetName("body");
  c->SwLock(1);
  host().RefreshTreeItem(c);
  QTreeWidgetItem* entry = CProjectView::EntryOf(c);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->text(0), QStringLiteral("\\ body"));
  frame->show();
  frame->EditLabel(c);
  auto* editor = Tree()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), QStringLiteral("body"));
  editor->setText(QStringLiteral(u"からだ"));
  // Enter commits through the delegate (a queued call).
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(editor, &enter);
  QCoreApplication::processEvents();
  EXPECT_EQ(HostQt::FromSjis(c->GetName()), QStringLiteral(u"からだ"));
  EXPECT_EQ(CProjectView::EntryOf(c)->text(0), QStringLiteral(u"\\ からだ"));
}

TEST_F(MainFrameTest, PanelPagesByItemKind) {
  ItemPanel* panel = frame->ProjectFrame()->Panel();
  EXPECT_EQ(panel->ItemLine()->item(0)->text(), QStringLiteral(u"アイテムは選択されていません"));
  // This file's literals are UTF-8; the system's names are Shift-JIS.
  VoIItem* help = doc->general->GetItem(HostQt::ToSjis(QStringLiteral(u"操作方法")).constData());
  ASSERT_NE(help, nullptr);
  host().ClickSelect(help, 0);
  auto* note = panel->Tabs()->widget(0)->findChild<QPlainTextEdit*>();
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->isReadOnly());
  EXPECT_TRUE(note->toPlainText().contains(QStringLiteral(u"'G' キー")));
  host().ClickSelect(doc->copyMotion, 0);
  EXPECT_EQ(panel->Tabs()->tabText(0), QStringLiteral("Motion"));
  VoIItem* plain = master.NewItem<VoIItem>(doc->general);
  host().ClickSelect(plain, 0);
  bool none = false;
  for (QLabel* l : panel->Tabs()->widget(0)->findChildren<QLabel*>())
    none = none || l->text() == QStringLiteral(u"プロパティはありません");
  EXPECT_TRUE(none);

  // What changes under the shown item appears once the views update.
  VoICharacter* girl = doc->NewCharacter(doc->project);
  girl->SetName("girl");
  host().ClickSelect(girl, 0);
  VoIMotion* walk = doc->NewMotion(girl);
  walk->SetName("walk");
  girl->SetMotion(walk);
  auto shows = [&](const char* text) {
    for (QLineEdit* e : panel->Tabs()->widget(0)->findChildren<QLineEdit*>())
      if (e->text() == QString::fromLatin1(text)) return true;
    return false;
  };
  EXPECT_FALSE(shows("walk"));
  host().UpdateAllViews();
  EXPECT_TRUE(shows("walk"));
  EXPECT_EQ(host().GetSelectedItem(), girl);
}

TEST_F(MainFrameTest, ChecksFollowTheCommands) {
  frame->OnCommand(Cmd::DisplayHidden);
  EXPECT_TRUE(frame->Action(Cmd::DisplayHidden)->isChecked());
  EXPECT_FALSE(frame->Action(Cmd::DisplayStandard)->isChecked());
  frame->OnCommand(Cmd::SpaceParent);
  EXPECT_TRUE(frame->Action(Cmd::SpaceParent)->isChecked());
  EXPECT_EQ(host().GetEditSpace(), 1);
  EXPECT_EQ(frame->ViewFrameCommand(Cmd::Play), 1);
  EXPECT_EQ(doc->paused, 0);
  auto* play = frame->ViewFrame()->findChild<QAction*>(QStringLiteral("view%1").arg(Cmd::Play));
  ASSERT_NE(play, nullptr);
  EXPECT_TRUE(play->isChecked());
  EXPECT_FALSE(frame->ViewFrame()->findChild<QAction*>(QStringLiteral("view%1").arg(Cmd::Unused1))->isEnabled());
}

TEST_F(MainFrameTest, ClosingDropsThePanelsAndTheCamerasHoldFirst) {
  bool gone = false;
  VoISkelton* s = Make<VoISkelton>(doc->project.Get(), "s");
  auto* watched = new WatchedCoordinate(s, &gone);
  master.CreateState(watched);
  host().ClickSelect(watched, 0);  // the property page holds it
  host().SetViewCamera(watched);
  CloseEditor(*doc, master);
  EXPECT_TRUE(gone);  // went with "project", before the engine closed down
}

TEST_F(MainFrameTest, TreeLabelsAreTheItemsNamesAsTheyAreNow) {
  // Entered when it is made, before it is named (as imports make items).
  VoISkelton* s = master.NewItem<VoISkelton>(doc->project);
  ASSERT_NE(CProjectView::EntryOf(s), nullptr);
  s->SetName("skelton");
  s->SwLock(1);
  EXPECT_EQ(CProjectView::EntryOf(s)->text(0), QStringLiteral("\\ skelton"));
}

TEST_F(MainFrameTest, ARightPressOnAMotionSelectsNothingAndPlaysNothing) {
  // The item menu that follows selects with mode 0; the press itself nothing.
  VoICharacter* girl = doc->NewCharacter(doc->project);
  girl->SetState(girl->GetState() | VoIItem::STATE_MARK20);  // shown expanded
  VoIMotion* walk = doc->NewMotion(girl);
  host().SetCurrentCharacter(girl);
  frame->show();
  const QPoint at = Tree()->visualItemRect(CProjectView::EntryOf(walk)).center();
  QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(Tree()->viewport(), &press);
  EXPECT_EQ(host().GetSelectedItem(), nullptr);
  EXPECT_EQ(doc->paused, 1);
}

TEST_F(MainFrameTest, ThePanelShowsTheSelectionAsItIsNow) {
  ItemPanel* panel = frame->ProjectFrame()->Panel();
  VoICharacter* girl = doc->NewCharacter(doc->project);
  host().ClickSelect(girl, 0);
  frame->OnCommand(Cmd::ItemNewMotion);  // the character's motion field names it
  QStringList fields;
  for (QLineEdit* e : panel->Tabs()->widget(0)->findChildren<QLineEdit*>()) fields << e->text();
  EXPECT_TRUE(fields.contains(QStringLiteral("motion")));
  TreeRules::Rename(girl, "boy");  // what the end of label editing does
  host().RefreshTreeItem(girl);
  EXPECT_EQ(panel->ItemLine()->item(0)->text(), QStringLiteral("boy"));
  boxes.Answer(IDYES);
  frame->OnCommand(Cmd::ItemDelete);
  EXPECT_EQ(panel->ItemLine()->item(0)->text(), QStringLiteral(u"アイテムは選択されていません"));
  EXPECT_EQ(panel->Tabs()->count(), 0);
}

// Takes pose edits the test makes behind the editor's back.
class Unqueued : public PoseQueue {
 public:
  void Queue(VoIItem*) override {}
};

TEST_F(MainFrameTest, ThePanelReadsItsItemAgainWhenADragEndsAndWhenTheFrameChanges) {
  ItemPanel* panel = frame->ProjectFrame()->Panel();
  auto fields = [panel] {
    QStringList texts;
    for (QLineEdit* e : panel->Tabs()->widget(0)->findChildren<QLineEdit*>()) texts << e->text();
    return texts.join(QLatin1Char(' ')).toStdString();
  };
  VoICharacter* girl = doc->NewCharacter(doc->project);
  host().SetCurrentCharacter(girl);
  VoICoordinate* hip = Make<VoICoordinate>(Make<VoISkelton>(girl, "s"), "hip");
  auto selectedAnew = [&] {  // what selecting the item again shows
    host().ClickSelect(girl, 0);
    host().ClickSelect(hip, 0);
    return fields();
  };
  const std::string rest = selectedAnew();
  Frx::Pquaternion turn;
  turn.SetVector(Frx::Pvector(0.6f, 0.8f, 0.0f), 0.9f);

  // A ring drag turns it (queued for keying); the panel waits for the release,
  // which it learns from Qt: the view may have missed it (a box came up).
  frame->show();
  QWindow* window = frame->windowHandle();
  const QPoint status = frame->statusBar()->geometry().center();
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, status);
  PoseEdits::MoveCoordinate(hip, 6, Frx::Pvector(), turn, Companion::Keying());
  frame->AfterFrame(0.0f);
  EXPECT_EQ(fields(), rest);
  doc->deferred.clear();  // as every frame ends
  frame->AfterFrame(0.0f);
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, status);
  frame->AfterFrame(0.0f);
  const std::string turned = fields();
  EXPECT_NE(turned, rest);
  EXPECT_EQ(selectedAnew(), turned);

  // Playback: the frame loop animates it at another frame.
  VoIMotion* walk = doc->NewMotion(girl);
  girl->SetMotion(walk);
  FrameLoop::AutoKeyCharacter(girl, walk, 10);
  Unqueued hidden;
  PoseEdits::MoveCoordinate(hip, 6, Frx::Pvector(), Frx::Pquaternion::id, hidden);
  FrameLoop::AutoKeyCharacter(girl, walk, 0);
  frame->AfterFrame(0.0f);  // the new keys are read at once
  master.Animation(girl, Frx::Pmatrix::id, 5.0f);
  frame->AfterFrame(5.0f);
  const std::string halfway = fields();
  EXPECT_NE(halfway, turned);
  EXPECT_NE(halfway, rest);
  EXPECT_EQ(selectedAnew(), halfway);

  // A field being typed in keeps what was typed.
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  auto* typed = panel->Tabs()->widget(0)->findChild<QLineEdit*>();
  typed->setFocus();
  typed->setText(QStringLiteral("12"));
  typed->setModified(true);
  ASSERT_TRUE(typed->hasFocus());
  master.Animation(girl, Frx::Pmatrix::id, 10.0f);
  frame->AfterFrame(10.0f);
  EXPECT_EQ(typed->text(), QStringLiteral("12"));
}

TEST_F(MainFrameTest, TheStatusBarHasTheIdlePaneAndFourIndicators) {
  QStringList panes;
  for (int id : {0, 59142, 59137, 59138, 59139})
    if (auto* pane = frame->statusBar()->findChild<QLabel*>(QStringLiteral("pane%1").arg(id))) panes << pane->text();
  EXPECT_EQ(panes, QString::fromUtf16(u"ﾚﾃﾞｨ ｶﾅ CAP NUM SCRL").split(QLatin1Char(' ')));
  frame->Action(Cmd::FileOpen)->showStatusText(frame.get());  // a command's status text takes pane 0
  EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral(u"既存のﾌｧｲﾙを開く"));
}

}  // namespace
