// The motion converter's Qt dialog (offscreen): what its trees show, pairing
// by selecting a source item and then a destination coordinate, and the
// module's asker. Compiled with UTF-8 literals, as the dialog is.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QTreeWidget>

#include "TandrelFixture.h"
#include "plugins/Tandrel/ui/MotionConverterDialog.h"
#include "plugins/Tandrel/ui/QtConverterAsker.h"

namespace tandreltest {
namespace {

struct App {
  int argc = 1;
  char name[8] = "dialog";
  char* argv[2] = {name, nullptr};
  QApplication app{argc, argv};
};

// "label(child, child)" down the tree.
std::string Outline(QTreeWidgetItem* row) {
  std::string text = row->text(0).toStdString();
  if (row->childCount() == 0) return text;
  text += "(";
  for (int i = 0; i < row->childCount(); ++i) text += (i ? ", " : "") + Outline(row->child(i));
  return text + ")";
}
std::string Outline(QTreeWidget* tree) {
  std::string text;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) text += (i ? ", " : "") + Outline(tree->topLevelItem(i));
  return text;
}
QTreeWidgetItem* RowOf(QTreeWidget* tree, const char* label) {
  const QList<QTreeWidgetItem*> found =
      tree->findItems(QString::fromUtf8(label), Qt::MatchExactly | Qt::MatchRecursive);
  return found.isEmpty() ? nullptr : found.front();
}

class ConverterDialogTest : public TandrelFixture {
 protected:
  void SetUp() override {
    TandrelFixture::SetUp();
    to = NewCharacter("demo");
    from = NewCharacter("capture");
    BuildSkeleton(master, to, {{"hips", "", {0, 100, 0}}, {"thigh", "hips", {9, -8, 0}},
                               {"shin", "thigh", {0, -42, 0}}, {"hidden", "hips", {0, 1, 0}},
                               {"under", "hidden", {0, 1, 0}}});
    // A plain locate between two coordinates, and a branch marked 0x10.
    VoILocate* end = master.NewItem<VoILocate>(JointOf(to, "shin"));
    end->SetName("end");
    master.NewItem<VoICoordinate>(end)->SetName("toe");
    VoICoordinate* hidden = JointOf(to, "hidden");
    hidden->SetState(hidden->GetState() | VoIItem::STATE_MARK10);
    BuildSkeleton(master, from, {{"Hips", "", {0, 0, 0}}, {"LeftUpLeg", "Hips", {1, -2, 0}},
                                 {"LeftLeg", "LeftUpLeg", {2, -7, 0}}});
  }
  App app;
  VoICharacter* to = nullptr;
  VoICharacter* from = nullptr;
};

TEST_F(ConverterDialogTest, SelectingASourceItemThenADestinationCoordinatePairsThem) {
  ConvertSession session(to, from);
  TandrelUi::MotionConverterDialog dialog(session);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("モーションコンバータ"));
  EXPECT_EQ(Outline(dialog.destinationTree), "hips(thigh(shin(toe)))");
  EXPECT_EQ(Outline(dialog.sourceTree), "skelton(Hips(LeftUpLeg(LeftLeg)))");

  dialog.sourceTree->setCurrentItem(RowOf(dialog.sourceTree, "LeftLeg"));
  dialog.destinationTree->setCurrentItem(RowOf(dialog.destinationTree, "shin"));
  EXPECT_EQ(session.PairOf(JointOf(to, "shin")), JointOf(from, "LeftLeg"));
  EXPECT_NE(RowOf(dialog.destinationTree, "shin <= LeftLeg"), nullptr);

  // A pair the session makes (a .kvc file read) shows once relabelled.
  session.Pair(JointOf(to, "hips"), JointOf(from, "Hips"));
  dialog.Relabel();
  EXPECT_EQ(Outline(dialog.destinationTree), "hips <= Hips(thigh(shin <= LeftLeg(toe)))");
  EXPECT_EQ(TandrelUi::MotionConverterDialog::ItemOf(RowOf(dialog.destinationTree, "toe")),
            JointOf(to, "toe"));
}

TEST_F(ConverterDialogTest, TheModuleAskerAnswersWithTheDialogsButton) {
  for (bool accept : {true, false}) {
    SCOPED_TRACE(accept ? "OK" : "Cancel");
    QTimer::singleShot(0, [accept] {
      auto* dialog = dynamic_cast<TandrelUi::MotionConverterDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      accept ? dialog->accept() : dialog->reject();
    });
    ConvertSession session(to, from);
    EXPECT_EQ(TandrelUi::ModuleAsker().AskPairs(session), accept);
  }
}

}  // namespace
}  // namespace tandreltest
